#pragma once

#include <QIcon>

namespace tiravel {

// The pictures of the recorder's buttons, drawn at run time.

// A microphone; checked (recording), with a red dot.
QIcon microphoneIcon();
// A USB key: save the sound.
QIcon usbKeyIcon();
// An open door with an arrow: quit.
QIcon quitIcon();

} // namespace tiravel
