#pragma once

#include "evaluation/SpectrumColors.h"

#include <QColor>
#include <QRgb>

namespace tiravel {

// The screens' $BBGGRR colours on Qt images and painters.
inline QRgb toRgb(BgrColor color)
{
    return qRgb(redOf(color), greenOf(color), blueOf(color));
}

inline QColor toQColor(BgrColor color)
{
    return QColor(redOf(color), greenOf(color), blueOf(color));
}

inline BgrColor fromRgb(QRgb rgb)
{
    return bgrColor(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

} // namespace tiravel
