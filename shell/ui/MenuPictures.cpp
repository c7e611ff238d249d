#include "MenuPictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tiravel {

namespace {

// Symbols are drawn in a design square of 100 x 100 units (the wide
// evaluation picture in 210 x 100), y growing downwards.
constexpr double kDesign = 100.0;
constexpr double kWideDesign = 210.0;
// The band's share of the picture's height: the menus place the entry
// labels on it.
constexpr double kMenuPictureBandShare = 0.22;

const QColor kInk(0x2c, 0x3e, 0x50);
const QColor kNavy(0x1b, 0x26, 0x4f);
const QColor kWhite(Qt::white);

QPen roundPen(const QColor& colour, double width)
{
    QPen pen(colour, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

// The heat colours of a spectrogram, t from 0 (silence) to 1 (loudest).
QColor heat(double t)
{
    t = std::clamp(t, 0.0, 1.0);
    struct Stop {
        double at;
        QColor colour;
    };
    static const Stop stops[] = {{0.0, kNavy}, {0.3, QColor(0x1f, 0x5f, 0xd0)}, {0.55, QColor(0x20, 0xc0, 0xd0)},
        {0.75, QColor(0xf4, 0xd0, 0x3f)}, {1.0, QColor(0xe7, 0x3c, 0x24)}};
    for (int i = 1; i < 5; ++i) {
        if (t <= stops[i].at) {
            const double f = (t - stops[i - 1].at) / (stops[i].at - stops[i - 1].at);
            const QColor& a = stops[i - 1].colour;
            const QColor& b = stops[i].colour;
            return QColor::fromRgbF(static_cast<float>(a.redF() + f * (b.redF() - a.redF())),
                static_cast<float>(a.greenF() + f * (b.greenF() - a.greenF())),
                static_cast<float>(a.blueF() + f * (b.blueF() - a.blueF())));
        }
    }
    return stops[4].colour;
}

// The F0 of the drawn voice as a share of the spectrogram's height: a slow
// rise and fall over the picture.
double f0Share(double x)
{
    return 0.1 + 0.025 * std::sin(std::numbers::pi * 1.4 * x);
}

// The path of one harmonic across box, x from 0 to 1.
QPainterPath harmonicPath(const QRectF& box, int harmonic)
{
    QPainterPath path;
    constexpr int kSteps = 40;
    for (int i = 0; i <= kSteps; ++i) {
        const double x = static_cast<double>(i) / kSteps;
        const QPointF point(box.left() + x * box.width(), box.bottom() - harmonic * f0Share(x) * box.height());
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    return path;
}

// A voiced sound seen as a spectrogram: the harmonics of a slowly moving
// F0, weaker as they go up, with the F0 trace in white.
void drawSpectrogram(QPainter& painter, const QRectF& box)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(kNavy);
    painter.drawRoundedRect(box, 4, 4);
    painter.save();
    painter.setClipRect(box.adjusted(1, 1, -1, -1));
    painter.setBrush(Qt::NoBrush);
    const double lineWidth = box.height() * 0.032;
    for (int harmonic = 7; harmonic >= 1; --harmonic) {
        const QColor colour = heat(1.0 - 0.12 * (harmonic - 1));
        QColor glow = colour;
        glow.setAlpha(90);
        const QPainterPath path = harmonicPath(box, harmonic);
        painter.setPen(roundPen(glow, lineWidth * 2.2));
        painter.drawPath(path);
        painter.setPen(roundPen(colour, lineWidth));
        painter.drawPath(path);
    }
    painter.setPen(roundPen(kWhite, lineWidth * 0.35));
    painter.drawPath(harmonicPath(box, 1));
    painter.restore();
}

// A gauge from green (normal) to red (pathological) with its needle.
void drawGauge(QPainter& painter, QPointF centre, double radius, double needleShare)
{
    const QRectF ring(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    const QColor zones[] = {QColor(0x00, 0x80, 0x00), QColor(0xe0, 0x70, 0x00), QColor(0xd0, 0x20, 0x20)};
    for (int i = 0; i < 3; ++i) {
        painter.setPen(QPen(zones[i], radius * 0.28, Qt::SolidLine, Qt::FlatCap));
        painter.drawArc(ring, (180 - i * 60) * 16, -60 * 16);
    }
    const double angle = std::numbers::pi * (1.0 - needleShare);
    const QPointF tip(centre.x() + 0.85 * radius * std::cos(angle), centre.y() - 0.85 * radius * std::sin(angle));
    painter.setPen(roundPen(kInk, 3.5));
    painter.drawLine(centre, tip);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kInk);
    painter.drawEllipse(centre, 5, 5);
}

void drawPatientRecord(QPainter& painter)
{
    painter.setPen(roundPen(QColor(0x1f, 0x5f, 0x8b), 3));
    painter.setBrush(kWhite);
    painter.drawRoundedRect(QRectF(22, 10, 56, 84), 5, 5);
    painter.setBrush(QColor(0x1f, 0x5f, 0x8b));
    painter.drawRoundedRect(QRectF(38, 4, 24, 12), 3, 3);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x2e, 0x86, 0xc1));
    painter.drawEllipse(QPointF(50, 36), 10, 10);
    QPainterPath shoulders;
    shoulders.moveTo(31, 64);
    shoulders.cubicTo(31, 46, 69, 46, 69, 64);
    shoulders.closeSubpath();
    painter.drawPath(shoulders);
    painter.setPen(roundPen(QColor(0xa0, 0xa8, 0xb0), 3));
    painter.drawLine(QPointF(32, 74), QPointF(68, 74));
    painter.drawLine(QPointF(32, 83), QPointF(58, 83));
}

void drawEvaluation(QPainter& painter)
{
    drawSpectrogram(painter, QRectF(6, 8, 120, 84));
    painter.setPen(roundPen(QColor(0x80, 0x80, 0x80), 2));
    painter.setBrush(kWhite);
    painter.drawRoundedRect(QRectF(136, 18, 68, 64), 6, 6);
    drawGauge(painter, QPointF(170, 66), 27, 0.28);
}

void drawTherapy(QPainter& painter)
{
    painter.setPen(roundPen(QColor(0x9a, 0x6b, 0x3f), 2.5));
    painter.setBrush(QColor(0xf6, 0xd1, 0xa8));
    painter.drawEllipse(QPointF(38, 50), 27, 30);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kInk);
    painter.drawEllipse(QPointF(29, 42), 3.2, 3.2);
    painter.drawEllipse(QPointF(47, 42), 3.2, 3.2);
    painter.setBrush(QColor(0xc0, 0x39, 0x2b));
    painter.drawEllipse(QPointF(38, 64), 8, 6);
    painter.setBrush(Qt::NoBrush);
    const QColor green(0x22, 0x99, 0x54);
    for (int i = 0; i < 3; ++i) {
        const double r = 12 + 10 * i;
        painter.setPen(roundPen(green, 4));
        painter.drawArc(QRectF(56 - r, 62 - r, 2 * r, 2 * r), -40 * 16, 80 * 16);
    }
}

void drawMediaLibrary(QPainter& painter)
{
    painter.save();
    painter.translate(34, 52);
    painter.rotate(-12);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kInk);
    painter.drawRoundedRect(QRectF(-22, -36, 44, 72), 3, 3);
    painter.setBrush(kWhite);
    for (int i = 0; i < 6; ++i) {
        painter.drawRect(QRectF(-19, -32 + i * 11.5, 5, 6));
        painter.drawRect(QRectF(14, -32 + i * 11.5, 5, 6));
    }
    painter.setBrush(QColor(0xaf, 0x7a, 0xc5));
    painter.drawRect(QRectF(-11, -30, 22, 26));
    painter.setBrush(QColor(0xf5, 0xb0, 0x41));
    painter.drawRect(QRectF(-11, 2, 22, 26));
    painter.restore();
    const QColor purple(0x7d, 0x3c, 0x98);
    painter.setPen(roundPen(purple, 4));
    painter.drawLine(QPointF(80, 26), QPointF(80, 74));
    painter.drawLine(QPointF(80, 26), QPointF(92, 34));
    painter.setPen(Qt::NoPen);
    painter.setBrush(purple);
    painter.drawEllipse(QPointF(72, 76), 9, 7);
}

void drawLetterInDisc(QPainter& painter, const QColor& colour, const QString& letter)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(QPointF(50, 50), 40, 40);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(58);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(kWhite);
    painter.drawText(QRectF(10, 10, 80, 82), Qt::AlignCenter, letter);
}

void drawHelp(QPainter& painter)
{
    drawLetterInDisc(painter, QColor(0xd4, 0xac, 0x0d), QStringLiteral("?"));
}

void drawAbout(QPainter& painter)
{
    drawLetterInDisc(painter, QColor(0x56, 0x65, 0x73), QStringLiteral("i"));
}

void drawArrow(QPainter& painter, QPointF from, QPointF to, const QColor& colour, double width)
{
    painter.setPen(roundPen(colour, width));
    painter.drawLine(from, to);
    const double angle = std::atan2(to.y() - from.y(), to.x() - from.x());
    const double head = width * 3.2;
    QPolygonF tip;
    tip << to + QPointF(std::cos(angle) * head * 0.4, std::sin(angle) * head * 0.4)
        << to + QPointF(std::cos(angle + 2.5) * head, std::sin(angle + 2.5) * head)
        << to + QPointF(std::cos(angle - 2.5) * head, std::sin(angle - 2.5) * head);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(tip);
}

void drawQuit(QPainter& painter)
{
    painter.setPen(roundPen(QColor(0x6e, 0x4b, 0x2a), 3));
    painter.setBrush(QColor(0x3b, 0x2a, 0x1a));
    painter.drawRect(QRectF(14, 10, 42, 80));
    QPolygonF door;
    door << QPointF(14, 10) << QPointF(40, 18) << QPointF(40, 96) << QPointF(14, 90);
    painter.setBrush(QColor(0xb9, 0x77, 0x3c));
    painter.drawPolygon(door);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xf4, 0xd0, 0x3f));
    painter.drawEllipse(QPointF(34, 56), 2.6, 2.6);
    drawArrow(painter, QPointF(52, 50), QPointF(86, 50), QColor(0xc0, 0x39, 0x2b), 6);
}

void drawSpectrum(QPainter& painter)
{
    drawSpectrogram(painter, QRectF(8, 10, 84, 80));
}

void drawPhonetogram(QPainter& painter)
{
    painter.setPen(roundPen(kInk, 2.5));
    painter.drawLine(QPointF(12, 90), QPointF(94, 90));
    painter.drawLine(QPointF(12, 90), QPointF(12, 8));
    QPainterPath range;
    range.moveTo(20, 74);
    range.cubicTo(30, 52, 54, 20, 84, 16);
    range.cubicTo(92, 24, 86, 40, 78, 50);
    range.cubicTo(64, 68, 40, 84, 20, 74);
    painter.setPen(roundPen(QColor(0xd3, 0x54, 0x00), 2.5));
    painter.setBrush(QColor(0xf5, 0xb0, 0x41, 110));
    painter.drawPath(range);
    painter.setPen(Qt::NoPen);
    const QColor dots[] = {QColor(0xd0, 0x20, 0x20), QColor(0x1f, 0x5f, 0xd0), QColor(0x22, 0x99, 0x54)};
    const QPointF points[] = {{28, 70}, {36, 62}, {44, 54}, {52, 46}, {60, 38}, {68, 32}, {76, 26}, {40, 70},
        {50, 62}, {60, 54}, {70, 44}, {78, 36}};
    int i = 0;
    for (const QPointF& point : points) {
        painter.setBrush(dots[i++ % 3]);
        painter.drawEllipse(point, 3.4, 3.4);
    }
}

void drawPhonationTime(QPainter& painter)
{
    const QPointF centre(50, 57);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kInk);
    painter.drawRoundedRect(QRectF(43, 6, 14, 9), 2, 2);
    painter.drawRect(QRectF(47, 13, 6, 8));
    painter.setPen(roundPen(kInk, 4));
    painter.setBrush(kWhite);
    painter.drawEllipse(centre, 36, 36);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xf5, 0xb0, 0x41));
    painter.drawPie(QRectF(centre.x() - 30, centre.y() - 30, 60, 60), 90 * 16, -130 * 16);
    painter.setPen(roundPen(kInk, 2));
    for (int i = 0; i < 12; ++i) {
        const double a = i * std::numbers::pi / 6;
        painter.drawLine(centre + QPointF(31 * std::cos(a), 31 * std::sin(a)),
            centre + QPointF(35 * std::cos(a), 35 * std::sin(a)));
    }
    const double hand = (90.0 - 130.0) * std::numbers::pi / 180.0;
    painter.setPen(roundPen(QColor(0xc0, 0x39, 0x2b), 4));
    painter.drawLine(centre, centre + QPointF(27 * std::cos(hand), -27 * std::sin(hand)));
    painter.setPen(Qt::NoPen);
    painter.setBrush(kInk);
    painter.drawEllipse(centre, 4, 4);
}

void drawVocalRange(QPainter& painter)
{
    constexpr int kWhiteKeys = 8;
    const double keyWidth = 84.0 / kWhiteKeys;
    const QRectF keys(8, 40, 84, 50);
    for (int i = 0; i < kWhiteKeys; ++i) {
        QColor colour = kWhite;
        if (i == 1)
            colour = QColor(0x2e, 0xcc, 0x71);
        else if (i == 6)
            colour = QColor(0xe7, 0x4c, 0x3c);
        else if (i > 1 && i < 6)
            colour = QColor(0xd5, 0xdb, 0xdb);
        painter.setPen(roundPen(kInk, 1.8));
        painter.setBrush(colour);
        painter.drawRect(QRectF(keys.left() + i * keyWidth, keys.top(), keyWidth, keys.height()));
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(kInk);
    for (int i : {1, 2, 4, 5, 6}) {
        if (i >= kWhiteKeys)
            continue;
        painter.drawRect(QRectF(keys.left() + i * keyWidth - keyWidth * 0.3, keys.top(), keyWidth * 0.6, 30));
    }
    const double low = keys.left() + 1.5 * keyWidth;
    const double high = keys.left() + 6.5 * keyWidth;
    drawArrow(painter, QPointF((low + high) / 2, 22), QPointF(low, 22), QColor(0xd3, 0x54, 0x00), 3.5);
    drawArrow(painter, QPointF((low + high) / 2, 22), QPointF(high, 22), QColor(0xd3, 0x54, 0x00), 3.5);
}

void drawBreath(QPainter& painter)
{
    const QColor wind(0x1f, 0x8f, 0xb8);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(roundPen(wind, 5));
    QPainterPath top;
    top.moveTo(8, 32);
    top.lineTo(62, 32);
    top.cubicTo(78, 32, 80, 12, 66, 12);
    top.cubicTo(58, 12, 56, 22, 62, 24);
    painter.drawPath(top);
    QPainterPath middle;
    middle.moveTo(14, 52);
    middle.lineTo(78, 52);
    middle.cubicTo(96, 52, 96, 74, 82, 74);
    middle.cubicTo(74, 74, 72, 64, 79, 62);
    painter.drawPath(middle);
    QPainterPath bottom;
    bottom.moveTo(8, 72);
    bottom.lineTo(48, 72);
    bottom.cubicTo(62, 72, 62, 90, 51, 90);
    bottom.cubicTo(44, 90, 43, 82, 48, 81);
    painter.drawPath(bottom);
}

void drawTimbre(QPainter& painter)
{
    painter.setPen(roundPen(QColor(0x80, 0x80, 0x80), 1.5));
    painter.drawLine(QPointF(50, 4), QPointF(50, 96));
    struct Disc {
        double y;
        double level;
    };
    const Disc discs[] = {{88, 1.0}, {77, 0.8}, {67, 0.92}, {58, 0.62}, {50, 0.7}, {43, 0.45}, {36, 0.5},
        {30, 0.3}, {24, 0.33}, {18, 0.2}, {13, 0.15}, {9, 0.1}};
    painter.setPen(Qt::NoPen);
    for (const Disc& disc : discs) {
        painter.setBrush(heat(0.25 + 0.75 * disc.level));
        const double r = 2 + 14 * disc.level;
        painter.drawEllipse(QPointF(50, disc.y), r, r * 0.55);
    }
}

void drawWave(QPainter& painter, double top, double height, const QColor& colour)
{
    QPainterPath wave;
    for (int i = 0; i <= 80; ++i) {
        const double x = 10 + i;
        const double envelope = std::sin(i * std::numbers::pi / 80);
        const double y = top + height / 2 - envelope * height / 2 * std::sin(i * 0.55) * std::cos(i * 0.13);
        if (i == 0)
            wave.moveTo(x, y);
        else
            wave.lineTo(x, y);
    }
    painter.setPen(roundPen(colour, 2.6));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(wave);
}

void drawArticulation(QPainter& painter)
{
    painter.setPen(roundPen(QColor(0x92, 0x2b, 0x21), 1.8));
    painter.setBrush(QColor(0xe0, 0x5a, 0x5a));
    QPainterPath upper;
    upper.moveTo(16, 28);
    upper.cubicTo(28, 10, 42, 14, 50, 19);
    upper.cubicTo(58, 14, 72, 10, 84, 28);
    upper.cubicTo(66, 31, 34, 31, 16, 28);
    painter.drawPath(upper);
    QPainterPath lower;
    lower.moveTo(16, 28);
    lower.cubicTo(34, 34, 66, 34, 84, 28);
    lower.cubicTo(72, 48, 28, 48, 16, 28);
    painter.drawPath(lower);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1c, 0x2b, 0x22));
    painter.drawRoundedRect(QRectF(6, 52, 88, 42), 4, 4);
    drawWave(painter, 55, 22, QColor(0x1f, 0x8f, 0xff));
    drawWave(painter, 68, 22, QColor(0xff, 0x50, 0x40));
}

void drawPitch(QPainter& painter)
{
    painter.setPen(roundPen(QColor(0xd5, 0xdb, 0xdb), 1.5));
    for (int y = 14; y <= 90; y += 19)
        painter.drawLine(QPointF(6, y), QPointF(94, y));
    painter.setPen(roundPen(QColor(0x9a, 0xa4, 0xab), 5));
    QPolygonF stairs;
    stairs << QPointF(8, 82) << QPointF(30, 82) << QPointF(30, 62) << QPointF(52, 62) << QPointF(52, 42)
           << QPointF(74, 42) << QPointF(74, 22) << QPointF(92, 22);
    painter.drawPolyline(stairs);
    QPainterPath trace;
    trace.moveTo(8, 72);
    trace.cubicTo(16, 66, 22, 74, 30, 70);
    trace.cubicTo(36, 50, 44, 56, 52, 50);
    trace.cubicTo(58, 30, 66, 36, 74, 30);
    trace.cubicTo(80, 12, 86, 16, 92, 12);
    painter.setPen(roundPen(QColor(0x22, 0x99, 0x54), 4));
    painter.drawPath(trace);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x22, 0x99, 0x54));
    painter.drawEllipse(QPointF(92, 12), 4.5, 4.5);
}

void drawVideos(QPainter& painter)
{
    painter.setPen(roundPen(kInk, 3));
    painter.setBrush(QColor(0x34, 0x49, 0x5e));
    painter.drawRoundedRect(QRectF(8, 14, 84, 60), 5, 5);
    painter.drawLine(QPointF(50, 74), QPointF(50, 86));
    painter.drawLine(QPointF(32, 88), QPointF(68, 88));
    QPolygonF play;
    play << QPointF(42, 30) << QPointF(64, 44) << QPointF(42, 58);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kWhite);
    painter.drawPolygon(play);
}

void drawSounds(QPainter& painter)
{
    const QColor purple(0x7d, 0x3c, 0x98);
    painter.setPen(roundPen(purple, 3));
    painter.setBrush(purple);
    QPolygonF speaker;
    speaker << QPointF(10, 38) << QPointF(26, 38) << QPointF(48, 18) << QPointF(48, 82) << QPointF(26, 62)
            << QPointF(10, 62);
    painter.drawPolygon(speaker);
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        const double r = 12 + 11 * i;
        painter.setPen(roundPen(purple, 5));
        painter.drawArc(QRectF(50 - r, 50 - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
    }
}

void drawDataBase(QPainter& painter)
{
    const QColor side(0x7d, 0x3c, 0x98);
    const QColor top(0xbb, 0x8f, 0xce);
    for (int i = 2; i >= 0; --i) {
        const double y = 18 + i * 24;
        painter.setPen(roundPen(kWhite, 2));
        painter.setBrush(side);
        QPainterPath layer;
        layer.moveTo(18, y);
        layer.lineTo(18, y + 22);
        layer.arcTo(QRectF(18, y + 12, 64, 20), 180, 180);
        layer.lineTo(82, y);
        layer.closeSubpath();
        painter.drawPath(layer);
        painter.setBrush(top);
        painter.drawEllipse(QRectF(18, y - 10, 64, 20));
    }
}

void drawBars(QPainter& painter, double left, const double (&heights)[3], const QColor& colour)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    for (int i = 0; i < 3; ++i)
        painter.drawRect(QRectF(left + i * 11, 86 - heights[i], 8, heights[i]));
}

void drawBeforeAfter(QPainter& painter)
{
    painter.setPen(roundPen(kInk, 2));
    painter.drawLine(QPointF(4, 87), QPointF(96, 87));
    const double before[3] = {58, 70, 50};
    const double after[3] = {26, 34, 22};
    drawBars(painter, 5, before, QColor(0xd0, 0x20, 0x20));
    drawBars(painter, 64, after, QColor(0x00, 0x80, 0x00));
    drawArrow(painter, QPointF(38, 30), QPointF(60, 30), QColor(0x7d, 0x3c, 0x98), 4);
}

void drawSymbol(QPainter& painter, MenuPictureKind kind)
{
    using Draw = void (*)(QPainter&);
    static const Draw draws[] = {drawPatientRecord, drawEvaluation, drawTherapy, drawMediaLibrary, drawHelp,
        drawAbout, drawQuit, drawSpectrum, drawPhonetogram, drawPhonationTime, drawVocalRange, drawBreath,
        drawTimbre, drawArticulation, drawPitch, drawVideos, drawSounds, drawDataBase, drawBeforeAfter};
    draws[static_cast<int>(kind)](painter);
}

// Maps the design square (or the wide design) into box, centred.
void mapDesign(QPainter& painter, const QRectF& box, MenuPictureKind kind)
{
    const double designWidth = kind == MenuPictureKind::Evaluation ? kWideDesign : kDesign;
    const double scale = std::min(box.width() / designWidth, box.height() / kDesign);
    painter.translate(box.center().x() - designWidth * scale / 2, box.center().y() - kDesign * scale / 2);
    painter.scale(scale, scale);
}

void drawCard(QPainter& painter, const QRectF& card, const QColor& colour, bool highlighted)
{
    const double radius = std::min(card.width(), card.height()) * 0.07;
    QLinearGradient face(card.topLeft(), card.bottomLeft());
    face.setColorAt(0, kWhite);
    face.setColorAt(1, highlighted ? colour.lighter(185) : QColor(0xee, 0xf1, 0xf4));
    painter.setPen(QPen(highlighted ? colour : colour.lighter(140), highlighted ? 3 : 1.5));
    painter.setBrush(face);
    painter.drawRoundedRect(card, radius, radius);
    QPainterPath band;
    band.addRoundedRect(card, radius, radius);
    QPainterPath bandArea;
    bandArea.addRect(QRectF(card.left(), card.bottom() - card.height() * kMenuPictureBandShare, card.width(),
        card.height() * kMenuPictureBandShare + 1));
    painter.setPen(Qt::NoPen);
    painter.setBrush(highlighted ? colour.lighter(115) : colour);
    painter.drawPath(band.intersected(bandArea));
}

// The colour of the band of a tool's menu; the labels on it are white.
QColor menuPictureColour(MenuPictureKind kind)
{
    switch (kind) {
    case MenuPictureKind::PatientRecord: return QColor(0x2e, 0x86, 0xc1);
    case MenuPictureKind::Evaluation:
    case MenuPictureKind::Spectrum:
    case MenuPictureKind::Phonetogram:
    case MenuPictureKind::PhonationTime:
    case MenuPictureKind::VocalRange: return QColor(0xd3, 0x54, 0x00);
    case MenuPictureKind::Therapy:
    case MenuPictureKind::Breath:
    case MenuPictureKind::Timbre:
    case MenuPictureKind::Articulation:
    case MenuPictureKind::Pitch: return QColor(0x1e, 0x88, 0x4b);
    case MenuPictureKind::MediaLibrary:
    case MenuPictureKind::Videos:
    case MenuPictureKind::Sounds:
    case MenuPictureKind::DataBase:
    case MenuPictureKind::BeforeAfter: return QColor(0x7d, 0x3c, 0x98);
    case MenuPictureKind::Help: return QColor(0xb7, 0x95, 0x0b);
    case MenuPictureKind::About: return QColor(0x56, 0x65, 0x73);
    case MenuPictureKind::Quit: return QColor(0xc0, 0x39, 0x2b);
    }
    return kInk;
}

} // namespace

void paintMenuPicture(QPainter& painter, const QRectF& area, MenuPictureKind kind, bool highlighted)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF card = area.adjusted(2, 2, -2, -2);
    drawCard(painter, card, menuPictureColour(kind), highlighted);
    const double bandTop = card.bottom() - card.height() * kMenuPictureBandShare;
    const double margin = card.height() * 0.07;
    const QRectF symbolBox(card.left() + margin, card.top() + margin, card.width() - 2 * margin,
        bandTop - card.top() - 1.5 * margin);
    mapDesign(painter, symbolBox, kind);
    drawSymbol(painter, kind);
    painter.restore();
}

} // namespace tiravel
