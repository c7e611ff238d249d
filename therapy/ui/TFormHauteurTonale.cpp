#include "TFormHauteurTonale.h"

namespace tiravel {

TFormHauteurTonale::TFormHauteurTonale(Program& program)
    : ToolWindow(program, "FormHauteurTonale", {"Hauteur tonale", "Voice Pitch", "REEDUCACION - Altura tonal"})
{
}

} // namespace tiravel
