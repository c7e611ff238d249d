#include "SelectionOverlay.h"

#include <QPainter>

#include <algorithm>

namespace tiravel {

namespace {

void preparePen(QPainter& painter)
{
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    QPen pen(Qt::white);
    pen.setStyle(Qt::DotLine);
    pen.setWidth(1);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
}

} // namespace

void SelectionOverlay::xorLine(QImage& image, int x)
{
    QPainter painter(&image);
    preparePen(painter);
    painter.drawLine(x, 0, x, image.height() - 1);
}

void SelectionOverlay::xorRect(QImage& image, int x0, int x1)
{
    QPainter painter(&image);
    preparePen(painter);
    const int left = std::min(x0, x1);
    const int right = std::max(x0, x1);
    painter.drawRect(left, 0, right - left, image.height() - 1);
}

void SelectionOverlay::clickMark(QImage& image, int x, int y)
{
    QPainter painter(&image);
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPoint(x, y), 3, 3);
}

} // namespace tiravel
