#pragma once

#include "TiravelWindow.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;

namespace tiravel {

// What the program is, who made it, thanks and references, and the
// language chooser of the whole program.
class TFormAbout final : public TiravelWindow {
public:
    // The web page and the mail address behind the window's links.
    static constexpr const char* kWebPage = "http://www.tiravel.example/";
    static constexpr const char* kMailAddress = "mailto:contact@tiravel.example";

    explicit TFormAbout(Program& program);

    void FormCreate() override;
    // Item 0 French, 1 English, 2 Spanish: every window that follows the
    // language is re-labelled in place.
    void RadioLanguageClick(int item);
    void LabelWebClick();
    void LabelMailClick();
    void sbQuitClick();

private:
    void relabelWindows();
    QLabel& addSection(const char* name);

    QLabel* labelTitle_;
    QLabel* labelDescription_;
    QLabel* labelRoles_;
    QLabel* labelThanks_;
    QLabel* labelBibliography_;
    QLabel* labelWeb_;
    QLabel* labelMail_;
    QGroupBox* radioLanguage_;
    QButtonGroup* languageButtons_;
    QPushButton* sbQuit_;
};

} // namespace tiravel
