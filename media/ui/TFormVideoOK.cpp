#include "TFormVideoOK.h"

namespace tiravel {

TFormVideoOK::TFormVideoOK(Program& program)
    : ToolWindow(program, "FormVideoOK", {"Vérification de la vidéo et des animations", "Video & animation verification", "Verificación de Video y Animación"})
{
}

} // namespace tiravel
