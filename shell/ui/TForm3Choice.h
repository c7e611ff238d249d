#pragma once

#include "ToolWindow.h"

namespace tiravel {

// Asks which landmark to compute from a sound file: usual F0, vocal range or both.
class TForm3Choice final : public ToolWindow {
public:
    explicit TForm3Choice(Program& program);
};

} // namespace tiravel
