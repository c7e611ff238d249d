#include "TFormTPM.h"

namespace tiravel {

TFormTPM::TFormTPM(Program& program)
    : ToolWindow(program, "FormTPM", {"Temps Phonatoire Maximum", "Maximum Phonation Time", "Tiempo Fonatorio"})
{
}

} // namespace tiravel
