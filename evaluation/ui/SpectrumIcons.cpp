#include "SpectrumIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tiravel {

namespace {

constexpr int kIconSize = 32;

QPixmap blankPixmap()
{
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

} // namespace

QIcon SpectrumIcons::microphone(bool on)
{
    QPixmap pixmap = blankPixmap();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor body = on ? QColor(210, 30, 30) : QColor(70, 70, 80);
    // The head: a rounded capsule with grille lines.
    painter.setPen(QPen(body.darker(130), 1.5));
    painter.setBrush(body);
    painter.drawRoundedRect(QRectF(11, 2, 10, 17), 5, 5);
    painter.setPen(QPen(QColor(255, 255, 255, 140), 1));
    for (int y = 7; y <= 14; y += 3)
        painter.drawLine(QPointF(13, y), QPointF(19, y));
    // The holder, stand and base.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(body.darker(130), 2.2, Qt::SolidLine, Qt::RoundCap));
    QPainterPath holder;
    holder.moveTo(7, 12);
    holder.cubicTo(7, 25, 25, 25, 25, 12);
    painter.drawPath(holder);
    painter.drawLine(QPointF(16, 22), QPointF(16, 28));
    painter.drawLine(QPointF(10, 29), QPointF(22, 29));
    if (on) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 60, 60));
        painter.drawEllipse(QPointF(27, 5), 3.5, 3.5);
    }
    return QIcon(pixmap);
}

QIcon SpectrumIcons::zoom()
{
    QPixmap pixmap = blankPixmap();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(40, 60, 110), 3, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(QColor(200, 225, 255));
    painter.drawEllipse(QPointF(13, 13), 8.5, 8.5);
    painter.drawLine(QPointF(19.5, 19.5), QPointF(28, 28));
    painter.setPen(QPen(QColor(40, 60, 110), 2));
    painter.drawLine(QPointF(9, 13), QPointF(17, 13));
    painter.drawLine(QPointF(13, 9), QPointF(13, 17));
    return QIcon(pixmap);
}

QIcon SpectrumIcons::eraser()
{
    QPixmap pixmap = blankPixmap();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(16, 16);
    painter.rotate(-35);
    painter.setPen(QPen(QColor(90, 60, 60), 1.5));
    painter.setBrush(QColor(240, 120, 130));
    painter.drawRoundedRect(QRectF(-12, -6, 14, 12), 2, 2);
    painter.setBrush(QColor(230, 230, 240));
    painter.drawRoundedRect(QRectF(2, -6, 10, 12), 2, 2);
    painter.resetTransform();
    painter.setPen(QPen(QColor(120, 120, 120), 1.5));
    painter.drawLine(QPointF(4, 29), QPointF(28, 29));
    return QIcon(pixmap);
}

} // namespace tiravel
