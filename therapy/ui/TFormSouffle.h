#pragma once

#include "shell/ui/ToolWindow.h"

namespace tiravel {

// The breath exercise: a long steady fricative against a stepped animation.
class TFormSouffle final : public ToolWindow {
public:
    explicit TFormSouffle(Program& program);
};

} // namespace tiravel
