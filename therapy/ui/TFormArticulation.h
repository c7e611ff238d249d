#pragma once

#include "shell/ui/ToolWindow.h"

namespace tiravel {

// The articulation exercise: a triggered oscilloscope of the live voice with a model trace.
class TFormArticulation final : public ToolWindow {
public:
    explicit TFormArticulation(Program& program);
};

} // namespace tiravel
