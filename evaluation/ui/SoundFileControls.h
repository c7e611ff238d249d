#pragma once

#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace tiravel {

// The sound-file row of the spectrum screen: open, record and listen, the
// filters and gain changes of the loaded sound, the four formant bands, the
// high/low frequency limit, the loading progress and the loaded file's
// name. The screen connects and labels them.
class SoundFileControls final : public QWidget {
public:
    static constexpr int kRowHeight = 36;

    explicit SoundFileControls(QWidget* parent);

    QPushButton* const sbLoad;
    QPushButton* const sbRecorder;
    QPushButton* const sbPlay;
    QPushButton* const sbFilter;
    QPushButton* const sbBoost;
    QPushButton* const sbMinus3dB;
    QPushButton* const sbPlus3dB;
    std::array<QPushButton*, 4> sbHear; // F1..F4
    QLabel* const labelHFBF;
    QLineEdit* const EditHFBF;
    QProgressBar* const ProgressLoad;
    QLabel* const LabelSoundFile;
    QLabel* const LabelPatient;
};

} // namespace tiravel
