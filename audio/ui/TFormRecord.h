#pragma once

#include "shell/ui/ToolWindow.h"

namespace tiravel {

// The recorder: records up to about 22 s from the microphone and saves it as a WAV file.
class TFormRecord final : public ToolWindow {
public:
    explicit TFormRecord(Program& program);
};

} // namespace tiravel
