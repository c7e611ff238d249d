#pragma once

#include "PictureMenu.h"

class QLabel;

namespace tiravel {

// The evaluation menu: real-time spectrum, phonetogram, phonation time and
// pitch landmarks with the vocal range.
class TFormEvaluation final : public PictureMenu {
public:
    explicit TFormEvaluation(Program& program);

    void FormCreate() override;

    void ImagePatientClick();
    void ImageSpectreClick();
    void ImagePhonetogramClick();
    void ImageHelpClick();
    void ImageQuitClick();
    void ImageTPMClick();
    void ImageEtendueClick();
    void ImageAboutClick();

protected:
    // A faint spectrogram stretched over the whole client area.
    void paintBackground(QPainter& painter) override;

private:
    QLabel* labelTitle_;
};

} // namespace tiravel
