#pragma once

#include "TiravelWindow.h"

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace tiravel {

// A tool window: its caption in the three languages, a body for the tool's
// own controls and a close button (Escape closes it too).
class ToolWindow : public TiravelWindow {
public:
    ToolWindow(Program& program, const char* name, TriText caption);

    // The caption and the close button in the current language.
    void FormCreate() override;
    void sbCloseClick();

protected:
    // Where the tool places its controls.
    QVBoxLayout& body() const { return *body_; }

private:
    TriText caption_;
    QLabel* labelTitle_;
    QVBoxLayout* body_;
    QPushButton* sbClose_;
};

} // namespace tiravel
