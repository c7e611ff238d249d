#include "MenuGrid.h"

#include <cmath>

namespace tiravel {

namespace {

int scaled(int value, int client, int design)
{
    return static_cast<int>(std::nearbyint(static_cast<double>(value) * client / design));
}

} // namespace

MenuGrid::MenuGrid(QSize clientSize)
    : client_(clientSize)
{
}

QRect MenuGrid::scale(const QRect& design) const
{
    return {scaleX(design.left()), scaleY(design.top()), scaleX(design.width()), scaleY(design.height())};
}

int MenuGrid::scaleX(int designX) const
{
    return scaled(designX, client_.width(), kDesignWidth);
}

int MenuGrid::scaleY(int designY) const
{
    return scaled(designY, client_.height(), kDesignHeight);
}

double MenuGrid::verticalFactor() const
{
    return static_cast<double>(client_.height()) / kDesignHeight;
}

} // namespace tiravel
