#pragma once

#include <QRect>
#include <QSize>

namespace tiravel {

// The 1024 x 768 design grid of the picture menus, scaled to the client
// area: horizontal values by width / 1024, vertical ones by height / 768,
// each rounded to nearest with halves to even.
class MenuGrid {
public:
    static constexpr int kDesignWidth = 1024;
    static constexpr int kDesignHeight = 768;

    explicit MenuGrid(QSize clientSize);

    QRect scale(const QRect& design) const;
    int scaleX(int designX) const;
    int scaleY(int designY) const;
    // The vertical factor, for font sizes.
    double verticalFactor() const;

private:
    QSize client_;
};

} // namespace tiravel
