#include "CommandLauncher.h"

#include "evaluation/ui/TFormProfil.h"
#include "evaluation/ui/TFormReperes.h"
#include "evaluation/ui/TFormSpectrumRT.h"
#include "media/ui/TFormMedia.h"
#include "shell/LiveDispatcher.h"
#include "shell/ui/Program.h"
#include "therapy/ui/TFormTimbre.h"

#include <array>
#include <string_view>

namespace tiravel {

namespace {

using Preparation = Program::Preparation;

struct LaunchEntry {
    std::string_view keyword;
    std::uint8_t toolMode;
    Preparation preparation;
    TiravelWindow& (*window)(Program&);
};

const std::array<LaunchEntry, 5> kLaunchTable = {{
    {"sp", kModeSpectrumRT, Preparation::OptionsAndResize, [](Program& p) -> TiravelWindow& { return p.spectrumRT(); }},
    {"pv", kModeProfil, Preparation::Options, [](Program& p) -> TiravelWindow& { return p.profil(); }},
    {"ev", kModeReperes, Preparation::Options, [](Program& p) -> TiravelWindow& { return p.reperes(); }},
    {"ti", kModeTimbre, Preparation::Options, [](Program& p) -> TiravelWindow& { return p.timbre(); }},
    {"me", 0, Preparation::None, [](Program& p) -> TiravelWindow& { return p.media(); }},
}};

} // namespace

CommandLauncher::CommandLauncher(Program& program)
    : program_(program)
{
}

bool CommandLauncher::run(const std::string& argument)
{
    for (const LaunchEntry& entry : kLaunchTable) {
        if (argument == entry.keyword) {
            program_.openTool(entry.window(program_), entry.toolMode, entry.preparation);
            return true;
        }
    }
    return false;
}

} // namespace tiravel
