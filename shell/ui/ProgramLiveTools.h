#pragma once

#include "shell/LiveTools.h"

namespace tiravel {

class Program;

// The live operations of the program's tools: each one is forwarded to the
// window of its tool. Installed on the dispatcher once the windows exist.
class ProgramLiveTools final : public LiveTools {
public:
    explicit ProgramLiveTools(Program& program)
        : program_(program)
    {
    }

    // Real-time spectrum screen.
    void DrawEnergyRealTime() override;
    void DumpVoiceParams() override;

private:
    Program& program_;
};

} // namespace tiravel
