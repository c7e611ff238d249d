#include "TFormTimbre.h"

namespace tiravel {

TFormTimbre::TFormTimbre(Program& program)
    : ToolWindow(program, "FormTimbre", {"Rééducation du timbre", "Speech Therapy - Voice richness", "Reeducación - Timbre"})
{
}

} // namespace tiravel
