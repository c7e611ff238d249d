#include "TFormReperes.h"

namespace tiravel {

TFormReperes::TFormReperes(Program& program)
    : ToolWindow(program, "FormReperes", {"Repères et étendue vocale", "Pitch landmarks and vocal range", "Referencias y rango vocal"})
{
}

} // namespace tiravel
