#pragma once

#include "shell/ui/ToolWindow.h"

namespace tiravel {

// The real-time spectrum screen, the main evaluation tool.
class TFormSpectrumRT final : public ToolWindow {
public:
    explicit TFormSpectrumRT(Program& program);
};

} // namespace tiravel
