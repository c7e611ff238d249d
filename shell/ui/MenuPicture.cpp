#include "MenuPicture.h"

#include "MenuPictures.h"

#include <QMouseEvent>
#include <QPainter>

namespace tiravel {

MenuPicture::MenuPicture(MenuPictureKind kind, QWidget* parent)
    : QWidget(parent)
    , kind_(kind)
{
    setCursor(Qt::PointingHandCursor);
}

void MenuPicture::click()
{
    emit clicked();
}

void MenuPicture::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    paintMenuPicture(painter, QRectF(rect()), kind_, hovered_);
}

void MenuPicture::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        click();
}

void MenuPicture::enterEvent(QEnterEvent* /*event*/)
{
    hovered_ = true;
    update();
}

void MenuPicture::leaveEvent(QEvent* /*event*/)
{
    hovered_ = false;
    update();
}

} // namespace tiravel
