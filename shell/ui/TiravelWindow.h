#pragma once

#include "shell/LanguageTexts.h"

#include <QDialog>
#include <QString>

class QResizeEvent;

namespace tiravel {

class Program;
struct ProgramState;

// What every window of the program shares: it is created once at start,
// prepares its texts in FormCreate (run again after a language switch,
// without re-creating any control), is prepared for each new use by
// UpdateOptions and lays itself out in FormResize.
class TiravelWindow : public QDialog {
public:
    TiravelWindow(Program& program, const char* name);

    // Sets the texts of the current language and the window's start data.
    virtual void FormCreate() = 0;
    // Prepares the window for a new use; the menus run it before showing a tool.
    void UpdateOptions();
    // Lays the controls out for the current client size.
    void FormResize();

    // How many times each was run: the menus' calls are checked with these.
    int optionsUpdateCount() const { return optionsUpdateCount_; }
    int resizeCount() const { return resizeCount_; }

protected:
    // What UpdateOptions does for this window.
    virtual void prepareOptions() {}
    // What FormResize does for this window.
    virtual void layoutControls() {}

    void resizeEvent(QResizeEvent* event) override;

    Program& program() const { return program_; }
    ProgramState& state() const;
    Language language() const;
    // The text of the current language.
    QString text3(const char* french, const char* english, const char* spanish) const;
    QString text3(const TriText& text) const;
    // Entry n of the shared texts, as the start window last updated them.
    QString languageText(int n) const;

private:
    Program& program_;
    int optionsUpdateCount_ = 0;
    int resizeCount_ = 0;
};

} // namespace tiravel
