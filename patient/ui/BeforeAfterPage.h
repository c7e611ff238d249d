#pragma once

#include "shell/LanguageTexts.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <functional>
#include <string>

class QCheckBox;
class QLabel;
class QPushButton;

namespace tiravel {

struct AnalysisState;

// The five voice indicators of one recording, before or after therapy.
struct IndicatorRecording {
    std::array<double, 5> values {-1.0, -1.0, -1.0, -1.0, -1.0}; // -1: none yet
    std::string fileName;
};

// The before/after page: the indicators of two recordings of /a/ as bars on
// a logarithmic scale, their file names and dates, and their spectrograms.
class BeforeAfterPage final : public QWidget {
public:
    explicit BeforeAfterPage(QWidget* parent);

    void setLanguage(Language language);
    // Clears both recordings (values -1, no file, empty spectrograms).
    void clear();
    // Shows a recording: before (true) or after (false); date is the day the
    // file was recorded, as text.
    void showRecording(bool before, const IndicatorRecording& recording, const QString& date,
        const QImage& spectrogram);
    const IndicatorRecording& recording(bool before) const { return before ? before_ : after_; }

    // "Ajouter les icônes" and "Ajouter les spectrogrammes".
    void CheckIconsClick();
    void CheckSpectrumClick();
    // The two buttons "/a/ avant" and "/a/ après" run these.
    void setChooseActions(std::function<void()> before, std::function<void()> after);

    QPushButton& beforeButton() const { return *sbAAvant_; }
    QPushButton& afterButton() const { return *sbAApres_; }

private:
    class Bars;

    Language language_ = Language::French;
    IndicatorRecording before_;
    IndicatorRecording after_;
    QPushButton* sbAAvant_;
    QPushButton* sbAApres_;
    QLabel* LabelFileAvant_;
    QLabel* LabelFileApres_;
    Bars* bars_;
    QCheckBox* CheckIcons_;
    QCheckBox* CheckSpectrum_;
    QLabel* captionSpectrogram1_;
    QLabel* captionSpectrogram2_;
    QLabel* ImageSpectrogram1_;
    QLabel* ImageSpectrogram2_;
};

// The spectrogram of the loaded sound on a light background: one column per
// stored frame, one cell per bin 1..511, in the spectrum screen's colours.
QImage recordingSpectrogram(const AnalysisState& state, int width, int height);

} // namespace tiravel
