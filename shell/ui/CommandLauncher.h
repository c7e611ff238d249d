#pragma once

#include <string>

namespace tiravel {

class Program;

// Opens the tool named by the first command-line argument: "sp" real-time
// spectrum, "pv" phonetogram, "ev" landmarks and vocal range, "ti" timbre,
// "me" the media menu. The keyword must match exactly, case included; any
// other argument is ignored.
class CommandLauncher {
public:
    explicit CommandLauncher(Program& program);

    // True when the argument named a tool, which has been shown and closed.
    bool run(const std::string& argument);

private:
    Program& program_;
};

} // namespace tiravel
