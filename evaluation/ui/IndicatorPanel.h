#pragma once

#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace tiravel {

class PaintBox;

// The gauge panel of the "Indicateurs" tab: the five indicator gauges with
// their captions, scale labels and value boxes (attack alteration, pitch
// instability, amplitude instability, noise/signal, harmonic poverty), the
// legend, the three span buttons, the age button and the phase-portrait box;
// in expert mode also the sound files of the current folder and the memo of
// the expert functions.
class IndicatorPanel final : public QWidget {
public:
    static constexpr int kGaugeCount = 5;
    static constexpr int kColumnWidth = 150;

    explicit IndicatorPanel(QWidget* parent);

    // Places the controls for the panel's current size.
    void layoutChildren();

    std::array<PaintBox*, kGaugeCount> gauges;      // ImageAttack, ImageHaut, ImageAmpl, ImageSNR, ImageHarm
    std::array<QLineEdit*, kGaugeCount> edits;      // EditAttack .. EditHarm
    std::array<QLabel*, kGaugeCount> captions;
    QLabel* const LabelLegend;
    QPushButton* const sbAll;
    QPushButton* const sbOneSecond;
    QPushButton* const sbZone;
    QPushButton* const sbAge;
    PaintBox* const PaintIndicator;
    QListWidget* const FileListBox;
    QPlainTextEdit* const MemoExpert;

private:
    std::array<std::array<QLabel*, 3>, kGaugeCount> scaleLabels_ {};
};

} // namespace tiravel
