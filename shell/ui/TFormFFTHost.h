#pragma once

#include "ToolWindow.h"

namespace tiravel {

// The analysis window: never shown, it stands for the owner of the live
// recorder and of the analysis operations (the program's analysis engine).
class TFormFFTHost final : public ToolWindow {
public:
    explicit TFormFFTHost(Program& program);

    // Fills the analysis window table and clears the F0 history.
    void FormCreate() override;
};

} // namespace tiravel
