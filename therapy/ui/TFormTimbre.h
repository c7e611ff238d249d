#pragma once

#include "shell/ui/ToolWindow.h"

namespace tiravel {

// The timbre exercise: a two-sided spectral column of the live voice.
class TFormTimbre final : public ToolWindow {
public:
    explicit TFormTimbre(Program& program);
};

} // namespace tiravel
