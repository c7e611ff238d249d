#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QToolButton;

namespace tiravel {

// The button panel of the spectrum screen: the microphone, clear and zoom
// buttons, the panel choice, the scale and colour options, help and quit on
// the first row; the figures (F0, level, frequency, duration) and the
// sound-file edits on the second; the patient button and the expert dumps
// and mail on the third. The screen connects and labels them.
class SpectrumButtonPanel final : public QWidget {
public:
    static constexpr int kPanelHeight = 130;

    explicit SpectrumButtonPanel(QWidget* parent);

    QToolButton* const sbRecordOn;
    QToolButton* const sbClearSpace;
    QToolButton* const sbFull;
    QPushButton* const energyTopBtn;
    QPushButton* const energyBottomBtn;
    QLabel* const labelMaxFrequency;
    QComboBox* const ComboFreq;
    QLabel* const labelSensitivity;
    QSlider* const TrackBar;
    QLabel* const labelSpeed;
    QSlider* const TrackSpeed;
    QToolButton* const sbWhiteBG;
    QToolButton* const sbFormants;
    QToolButton* const sbHelp;
    QPushButton* const sbQuit;

    QLabel* const LabelF0;
    QLabel* const LabeldB;
    QLabel* const LabelF;
    QLabel* const LabelDuration;
    QLabel* const labelDetectF0;
    QLineEdit* const EditFilter;
    QLabel* const labelBoost;
    QLineEdit* const EditBoost;
    QPushButton* const sbEqualize;

    QToolButton* const sbPatient;
    QPushButton* const sbDumpFFT;  // expert
    QPushButton* const sbDumpF0;   // expert
    QPushButton* const sbEmail;    // expert
    QLineEdit* const EditEmail;    // expert: the recipient address

private:
    void buildFirstRow();
    void buildSecondRow();
    void buildThirdRow();
};

} // namespace tiravel
