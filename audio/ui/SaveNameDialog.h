#pragma once

#include <optional>
#include <string>

namespace tiravel {

// Asks the user where to save a sound, offering a name.
class SaveNameDialog {
public:
    virtual ~SaveNameDialog() = default;
    // The chosen file name, or nothing when the user cancels.
    virtual std::optional<std::string> ask(const std::string& suggested) = 0;
};

} // namespace tiravel
