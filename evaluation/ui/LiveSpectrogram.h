#pragma once

#include "SpectrogramLook.h"
#include "SpectrogramPainter.h"
#include "evaluation/SpectrumScreenState.h"

#include <QFont>
#include <QStaticText>
#include <QString>

#include <array>
#include <cstdint>

namespace tiravel {

class PaintBox;

// The live loop of the spectrum screen: for each buffer the dispatcher has
// analysed, two columns on the target spectrogram (the first interpolated
// with the frame stored last), the F0 mark, the frame stored, the frequency
// grid, and on the indicator tabs the live trace on the bottom panel. Its
// rows and prepared labels are made once; a buffer allocates nothing.
class LiveSpectrogram {
public:
    LiveSpectrogram(AnalysisState& analysis, SpectrumScreenState& screen);

    // Where this buffer is drawn and with what.
    struct Frame {
        PaintBox& target;          // the spectrogram receiving the columns
        bool targetIsTop;
        PaintBox& bottom;          // the bottom panel (live trace)
        std::int32_t tab;          // bottom tab shown
        const SpectrogramLook& look; // the target's look
    };

    // DrawEnergyRealTime for one buffer.
    void drawFrame(const Frame& frame);

    // The grid labels of a frequency scale, and the legend of the live
    // trace in the current language; prepared when they change.
    void prepareGridLabels(std::int32_t displayMinHz, std::int32_t displayMaxHz, std::int32_t stepHz);
    void prepareLegend(const std::array<QString, 5>& labels);
    void setFont(const QFont& font) { font_ = font; }

    // Set when the top spectrogram wrapped while the gauges were shown.
    bool wrappedWithGauges() const { return wrappedWithGauges_; }

private:
    static constexpr std::size_t kMaxGridLabels = 128;

    void advanceColumn(const Frame& frame, std::int32_t& x, std::int32_t width);
    void storeFrame();
    void drawGridLabels(QImage& image, const SpectrogramLook& look, std::int32_t x2);
    void drawIndicatorViews(const Frame& frame, std::int32_t x0, std::int32_t x2);

    AnalysisState& analysis_;
    SpectrumScreenState& screen_;
    SpectrumRow current_;   // this frame's bins as drawn: raw or formant-smoothed
    SpectrumRow emptyRow_;  // what the first column averages with before any frame is stored
    std::array<QStaticText, kMaxGridLabels> gridLabels_;
    std::array<std::int32_t, kMaxGridLabels> gridLabelHz_ {};
    std::size_t gridLabelCount_ = 0;
    std::int32_t gridStepHz_ = 500;
    std::int32_t gridLabelWidth_ = 0;
    std::array<QStaticText, 5> legend_;
    QFont font_;
    bool wrappedWithGauges_ = false;
};

} // namespace tiravel
