#pragma once

#include <string>

namespace tiravel {

// Shows a problem to the user: the modal error window or a standard message
// box in the program, a recording fake in tests.
class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    // The error window: text1 is the message, text2 a short heading.
    virtual void DisplayError(const std::string& text1, const std::string& text2) = 0;
    // A standard message box with its title.
    virtual void ShowMessage(const std::string& text, const std::string& title) = 0;
};

// Writes the two lines on standard error: used by the headless analyser.
class StderrErrorReporter final : public ErrorReporter {
public:
    void DisplayError(const std::string& text1, const std::string& text2) override;
    void ShowMessage(const std::string& text, const std::string& title) override;
};

} // namespace tiravel
