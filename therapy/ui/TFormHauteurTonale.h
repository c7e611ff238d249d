#pragma once

#include "shell/ui/ToolWindow.h"

namespace tiravel {

// The pitch exercise: the live pitch drawn over a reference shape.
class TFormHauteurTonale final : public ToolWindow {
public:
    explicit TFormHauteurTonale(Program& program);
};

} // namespace tiravel
