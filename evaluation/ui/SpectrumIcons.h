#pragma once

#include <QIcon>

namespace tiravel {

// Icons of the spectrum screen's buttons, drawn by the program.
class SpectrumIcons {
public:
    // A studio microphone: grey when off, red when capturing.
    static QIcon microphone(bool on);
    // A magnifier for the zoom button.
    static QIcon zoom();
    // An eraser for "clear all".
    static QIcon eraser();
};

} // namespace tiravel
