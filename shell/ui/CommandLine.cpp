#include "CommandLine.h"

#include "patient/TextRules.h"

namespace tiravel {

namespace {

constexpr std::size_t kMaxArgumentLength = 250;

} // namespace

CommandLine CommandLine::parse(const std::vector<std::string>& arguments)
{
    CommandLine result;
    bool launcherSeen = false;
    for (const std::string& argument : arguments) {
        if (argument == "--help" || argument == "-h")
            result.help = true;
        else if (argument == "--expert")
            result.expertMode = true;
        else if (!launcherSeen) {
            result.launcherArgument = utf8Prefix(argument, kMaxArgumentLength);
            launcherSeen = true;
        }
    }
    return result;
}

std::string CommandLine::usage()
{
    return "Usage: tiravel4 [--expert] [TOOL]\n"
           "Voice analysis and voice therapy workstation.\n"
           "\n"
           "  --expert  show the expert controls and readouts of the evaluation tools\n"
           "  --help    print this help and exit\n"
           "\n"
           "TOOL opens one tool before the main menu (exact, lower case):\n"
           "  sp  real-time spectrum\n"
           "  pv  phonetogram\n"
           "  ev  pitch landmarks and vocal range\n"
           "  ti  timbre therapy\n"
           "  me  media library menu\n"
           "\n"
           "Run it from the folder that holds the data folder div_tiravel.\n";
}

} // namespace tiravel
