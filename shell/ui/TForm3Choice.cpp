#include "TForm3Choice.h"

namespace tiravel {

TForm3Choice::TForm3Choice(Program& program)
    : ToolWindow(program, "Form3Choice", {"Sélectionner une des trois options", "Select one of the three options", "Seleccione una de las tres opciones"})
{
}

} // namespace tiravel
