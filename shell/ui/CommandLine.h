#pragma once

#include <string>
#include <vector>

namespace tiravel {

// What the program was asked for on its command line.
struct CommandLine {
    bool help = false;            // --help or -h: print the usage and stop
    bool expertMode = false;      // --expert
    std::string launcherArgument; // first other argument, at most 250 bytes; empty when none

    // arguments excludes the program name.
    static CommandLine parse(const std::vector<std::string>& arguments);
    // The usage text printed by --help.
    static std::string usage();
};

} // namespace tiravel
