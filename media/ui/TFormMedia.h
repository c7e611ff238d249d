#pragma once

#include "shell/ui/PictureMenu.h"

class QLabel;
class QPushButton;

namespace tiravel {

// The media library menu: videos, reference sounds, the recording database
// and the before/after comparison of the patient's indicators.
class TFormMedia final : public PictureMenu {
public:
    explicit TFormMedia(Program& program);

    void FormCreate() override;

    void ImagePatientClick();
    void ImageVideosClick();
    void ImageSonsClick();
    void ImageHelpClick();
    void ImageCloseClick();
    void ImageDataBaseClick();
    void ImageStatsClick();
    void ImageAboutClick();
    void sbSommaireClick();

private:
    QLabel* labelTitle_;
    QPushButton* sbSommaire_;
};

} // namespace tiravel
