#include "ErrorReporter.h"

#include <cstdio>

namespace tiravel {

void StderrErrorReporter::DisplayError(const std::string& text1, const std::string& text2)
{
    std::fprintf(stderr, "%s: %s\n", text2.c_str(), text1.c_str());
}

void StderrErrorReporter::ShowMessage(const std::string& text, const std::string& title)
{
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
}

} // namespace tiravel
