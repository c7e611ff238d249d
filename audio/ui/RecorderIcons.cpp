#include "RecorderIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tiravel {

namespace {

constexpr int kSide = 48;

QPixmap blankPixmap()
{
    QPixmap pixmap(kSide, kSide);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void drawMicrophone(QPainter& painter)
{
    painter.setPen(QPen(QColor(40, 40, 40), 2));
    painter.setBrush(QColor(90, 90, 100));
    painter.drawRoundedRect(QRectF(17, 4, 14, 24), 7, 7);
    painter.setPen(QPen(QColor(200, 200, 210), 1));
    for (int y = 10; y <= 22; y += 4)
        painter.drawLine(QPointF(20, y), QPointF(28, y));
    painter.setPen(QPen(QColor(40, 40, 40), 3, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(11, 10, 26, 24), 180 * 16, 180 * 16);
    painter.drawLine(QPointF(24, 34), QPointF(24, 41));
    painter.drawLine(QPointF(15, 43), QPointF(33, 43));
}

QPixmap microphonePixmap(bool recording)
{
    QPixmap pixmap = blankPixmap();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    drawMicrophone(painter);
    if (recording) {
        painter.setPen(QPen(Qt::white, 2));
        painter.setBrush(QColor(220, 0, 0));
        painter.drawEllipse(QRectF(31, 2, 15, 15));
    }
    return pixmap;
}

QPixmap usbKeyPixmap()
{
    QPixmap pixmap = blankPixmap();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(150, 150, 160), 2));
    painter.setBrush(QColor(225, 225, 230));
    painter.drawRect(QRectF(17, 3, 14, 13));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(60, 60, 70));
    painter.drawRect(QRectF(20, 7, 3, 3));
    painter.drawRect(QRectF(25, 7, 3, 3));
    painter.setPen(QPen(QColor(10, 40, 110), 2));
    painter.setBrush(QColor(30, 90, 200));
    painter.drawRoundedRect(QRectF(13, 16, 22, 29), 5, 5);
    painter.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(24, 22), QPointF(24, 36));
    painter.drawLine(QPointF(19, 31), QPointF(24, 37));
    painter.drawLine(QPointF(29, 31), QPointF(24, 37));
    return pixmap;
}

QPixmap quitPixmap()
{
    QPixmap pixmap = blankPixmap();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(90, 55, 20), 2));
    painter.setBrush(QColor(235, 225, 205));
    painter.drawRect(QRectF(6, 4, 24, 40));
    QPainterPath door;
    door.moveTo(6, 4);
    door.lineTo(20, 9);
    door.lineTo(20, 47);
    door.lineTo(6, 44);
    door.closeSubpath();
    painter.setBrush(QColor(160, 100, 45));
    painter.drawPath(door);
    painter.setPen(QPen(QColor(0, 128, 0), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(QPointF(24, 24), QPointF(43, 24));
    painter.drawLine(QPointF(36, 17), QPointF(43, 24));
    painter.drawLine(QPointF(36, 31), QPointF(43, 24));
    return pixmap;
}

} // namespace

QIcon microphoneIcon()
{
    QIcon icon;
    icon.addPixmap(microphonePixmap(false), QIcon::Normal, QIcon::Off);
    icon.addPixmap(microphonePixmap(true), QIcon::Normal, QIcon::On);
    return icon;
}

QIcon usbKeyIcon()
{
    return QIcon(usbKeyPixmap());
}

QIcon quitIcon()
{
    return QIcon(quitPixmap());
}

} // namespace tiravel
