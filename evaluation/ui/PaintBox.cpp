#include "PaintBox.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace tiravel {

PaintBox::PaintBox(QWidget* parent, const char* name, QRgb fill)
    : QWidget(parent)
    , fill_(fill)
{
    setObjectName(QString::fromLatin1(name));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool PaintBox::syncImageSize()
{
    const QSize wanted(std::max(1, width()), std::max(1, height()));
    if (image_.size() == wanted)
        return false;
    image_ = QImage(wanted, QImage::Format_RGB32);
    image_.fill(fill_);
    return true;
}

void PaintBox::setBoxSize(int width, int height)
{
    setFixedSize(width, height);
    syncImageSize();
}

void PaintBox::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawImage(event->rect(), image_, event->rect());
}

void PaintBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit mouseDown(event->position().toPoint().x(), event->position().toPoint().y());
}

void PaintBox::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMoved(event->position().toPoint().x(), event->position().toPoint().y());
}

void PaintBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit mouseUp(event->position().toPoint().x(), event->position().toPoint().y());
}

void PaintBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked(event->position().toPoint().x(), event->position().toPoint().y());
}

} // namespace tiravel
