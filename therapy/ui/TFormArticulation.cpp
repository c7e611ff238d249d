#include "TFormArticulation.h"

namespace tiravel {

TFormArticulation::TFormArticulation(Program& program)
    : ToolWindow(program, "FormArticulation", {"Rééducation de l'articulation", "Articulation therapy", "Reeducación de la articulación"})
{
}

} // namespace tiravel
