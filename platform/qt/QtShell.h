#pragma once

#include "platform/Shell.h"

namespace tiravel {

// Opens documents and web addresses with the desktop's default program
// (xdg-open on Linux). Nothing is ever passed to a command interpreter.
class QtShell final : public Shell {
public:
    bool openDocument(const std::string& pathOrUrl) override;

    // Web and mail addresses are opened as they are; anything else is a file.
    static bool isAddress(const std::string& pathOrUrl);
};

} // namespace tiravel
