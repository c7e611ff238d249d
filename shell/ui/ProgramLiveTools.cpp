#include "ProgramLiveTools.h"

#include "evaluation/ui/TFormSpectrumRT.h"
#include "shell/ui/Program.h"

namespace tiravel {

void ProgramLiveTools::DrawEnergyRealTime()
{
    program_.spectrumRT().DrawEnergyRealTime();
}

void ProgramLiveTools::DumpVoiceParams()
{
    program_.spectrumRT().DumpVoiceParams();
}

} // namespace tiravel
