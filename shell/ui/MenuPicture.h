#pragma once

#include "MenuPictureKind.h"

#include <QWidget>

namespace tiravel {

// One clickable picture of a menu, drawn at whatever size the menu gives it.
class MenuPicture final : public QWidget {
    Q_OBJECT
public:
    MenuPicture(MenuPictureKind kind, QWidget* parent);

    MenuPictureKind kind() const { return kind_; }
    // The same as a click with the mouse.
    void click();

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    MenuPictureKind kind_;
    bool hovered_ = false;
};

} // namespace tiravel
