#pragma once

#include "shell/ui/ToolWindow.h"

namespace tiravel {

// The phonetogram: up to five voice range profiles superposed.
class TFormProfil final : public ToolWindow {
public:
    explicit TFormProfil(Program& program);
};

} // namespace tiravel
