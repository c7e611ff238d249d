#pragma once

#include <string>

namespace tiravel {

// Opens a document or a web address with the user's default program.
class Shell {
public:
    virtual ~Shell() = default;
    // pathOrUrl is an absolute file path or a web address; false when nothing
    // could be opened.
    virtual bool openDocument(const std::string& pathOrUrl) = 0;
};

} // namespace tiravel
