#pragma once

#include "shell/ui/ToolWindow.h"

namespace tiravel {

// Asks once whether the videos and animations show on this computer.
class TFormVideoOK final : public ToolWindow {
public:
    explicit TFormVideoOK(Program& program);
};

} // namespace tiravel
