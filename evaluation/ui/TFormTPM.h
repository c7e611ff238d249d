#pragma once

#include "shell/ui/ToolWindow.h"

namespace tiravel {

// Maximum phonation time of /a/, /s/ and /z/ with the s/z ratio.
class TFormTPM final : public ToolWindow {
public:
    explicit TFormTPM(Program& program);
};

} // namespace tiravel
