#include "TFormSpectrumRT.h"

namespace tiravel {

TFormSpectrumRT::TFormSpectrumRT(Program& program)
    : ToolWindow(program, "FormSpectrumRT", {"Spectre temps réel", "Real time spectrum", "Espectro Tiempo Real"})
{
}

} // namespace tiravel
