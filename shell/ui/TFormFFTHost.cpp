#include "TFormFFTHost.h"

#include "Program.h"

namespace tiravel {

TFormFFTHost::TFormFFTHost(Program& program)
    : ToolWindow(program, "FormFFT", {"Analyse du signal", "Signal analysis", "Análisis de la señal"})
{
}

void TFormFFTHost::FormCreate()
{
    ToolWindow::FormCreate();
    program().analysisEngine().FormCreate();
}

} // namespace tiravel
