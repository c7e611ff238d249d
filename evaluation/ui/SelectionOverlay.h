#pragma once

#include <QImage>

namespace tiravel {

// The marks of a mouse selection on a spectrogram's back buffer. The dotted
// line and rectangle are drawn in XOR, so drawing one a second time at the
// same place erases it and gives back the spectrogram under it.
class SelectionOverlay {
public:
    // The dotted white vertical line at x over the full height.
    static void xorLine(QImage& image, int x);
    // The dotted white rectangle from x0 to x1 over the full height.
    static void xorRect(QImage& image, int x0, int x1);
    // The small white mark of a click at (x, y).
    static void clickMark(QImage& image, int x, int y);
};

} // namespace tiravel
