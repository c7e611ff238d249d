#pragma once

#include "PictureMenu.h"

class QLabel;

namespace tiravel {

// The welcome window and main menu: closing it ends the program. Its
// creation is the start-up sequence of the whole program.
class TFormStart final : public PictureMenu {
public:
    explicit TFormStart(Program& program);

    // Reads the settings, the language texts and the reference files, sets
    // the installation folder and the analysis defaults.
    void FormCreate() override;
    // The shared texts, then this window's texts, in the current language.
    void UpdateReferenceTexts();
    // The voice-disorder classification and the video list flag.
    void UpdateReferenceFiles();

    void ImagePatientClick();
    void ImageEvaluationClick();
    void ImageReeducationClick();
    void ImageMediathequeClick();
    void ImageHelpClick();
    void ImageAboutClick();
    void ImageQuitClick();
    // Escape ends the program at once.
    void FormKeyDown(int key);
    void FormClose();

protected:
    // The default view values of the real-time spectrum screen.
    void prepareOptions() override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void readSettings();
    void setHelpAndQuitTexts();

    QLabel* labelMorax_;
    QLabel* labelVersion_;
};

} // namespace tiravel
