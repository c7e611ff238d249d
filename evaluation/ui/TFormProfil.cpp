#include "TFormProfil.h"

namespace tiravel {

TFormProfil::TFormProfil(Program& program)
    : ToolWindow(program, "FormProfil", {"Phonétogramme", "Phonetogram", "Fonetograma"})
{
}

} // namespace tiravel
