#include "TFormSoundBiblio.h"

namespace tiravel {

TFormSoundBiblio::TFormSoundBiblio(Program& program)
    : ToolWindow(program, "FormSoundBiblio", {"Sons de la médiathèque", "Media library sounds", "Sonidos de la mediateca"})
{
}

} // namespace tiravel
