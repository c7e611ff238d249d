#pragma once

#include "PictureMenu.h"

class QLabel;
class QPushButton;

namespace tiravel {

// The therapy menu: breath, timbre, articulation and pitch exercises.
class TFormReeducation final : public PictureMenu {
public:
    explicit TFormReeducation(Program& program);

    void FormCreate() override;

    void ImagePatientClick();
    void ImageSouffleClick();
    void ImageTimbreClick();
    void ImageHelpClick();
    void ImageCloseClick();
    void ImageArticulationClick();
    void ImageHauteurTonaleClick();
    void ImageAboutClick();
    // The help index, where the picture opens the therapy page.
    void sbHelpClick();

private:
    QLabel* labelTitle_;
    QPushButton* sbHelp_;
};

} // namespace tiravel
