#pragma once

#include "TiravelWindow.h"
#include "platform/ErrorReporter.h"

class QLabel;
class QPushButton;

namespace tiravel {

// The modal error window: two lines of text on a light red background.
// It also shows the program's standard message boxes.
class TFormError final : public TiravelWindow, public ErrorReporter {
public:
    explicit TFormError(Program& program);

    // The caption of the language active at start; it keeps it for the run.
    void FormCreate() override;

    // text1 is the message, text2 a short heading; each at most 250 bytes.
    void DisplayError(const std::string& text1, const std::string& text2) override;
    // The video player's error, with its remedy.
    void DisplayVideoError();
    void ShowMessage(const std::string& text, const std::string& title) override;
    void ButtonOkClick();

private:
    void centreOnScreen();

    QLabel* labelError1_;
    QLabel* labelError2_;
    QPushButton* buttonOk_;
};

} // namespace tiravel
