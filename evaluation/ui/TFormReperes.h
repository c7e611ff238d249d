#pragma once

#include "shell/ui/ToolWindow.h"

namespace tiravel {

// The usual speaking pitch and the vocal range on a piano keyboard.
class TFormReperes final : public ToolWindow {
public:
    explicit TFormReperes(Program& program);
};

} // namespace tiravel
