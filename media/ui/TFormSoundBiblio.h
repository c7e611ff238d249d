#pragma once

#include "shell/ui/ToolWindow.h"

namespace tiravel {

// The reference sounds of the media library and the statistics over the database.
class TFormSoundBiblio final : public ToolWindow {
public:
    explicit TFormSoundBiblio(Program& program);
};

} // namespace tiravel
