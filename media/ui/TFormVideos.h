#pragma once

#include "shell/ui/ToolWindow.h"

namespace tiravel {

// The video library: normal and pathological larynges with their commentary.
class TFormVideos final : public ToolWindow {
public:
    explicit TFormVideos(Program& program);
};

} // namespace tiravel
