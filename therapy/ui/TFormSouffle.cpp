#include "TFormSouffle.h"

namespace tiravel {

TFormSouffle::TFormSouffle(Program& program)
    : ToolWindow(program, "FormSouffle", {"Rééducation du souffle", "Breath therapy", "Reeducacion del soplo"})
{
}

} // namespace tiravel
