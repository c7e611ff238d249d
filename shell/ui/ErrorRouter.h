#pragma once

#include "platform/ErrorReporter.h"

namespace tiravel {

class WindowPresenter;

// The program's error reporter: errors go to the error window once it
// exists. Errors met while the windows are still being created, before the
// error window (the settings file is read by the very first window), are
// shown in a message box with the same two texts.
class ErrorRouter final : public ErrorReporter {
public:
    explicit ErrorRouter(WindowPresenter& presenter);

    void setErrorWindow(ErrorReporter& errorWindow) { errorWindow_ = &errorWindow; }
    void clearErrorWindow() { errorWindow_ = nullptr; }

    void DisplayError(const std::string& text1, const std::string& text2) override;
    void ShowMessage(const std::string& text, const std::string& title) override;

private:
    WindowPresenter& presenter_;
    ErrorReporter* errorWindow_ = nullptr;
};

} // namespace tiravel
