// The spectrum screen on an analysed sound: the stored-frame redraw with its
// markers, mouse selections with their readouts and the "out.wav" they
// write, and the span buttons.
#include "UiTestSupport.h"

#include "analysis/SoundAnalysis.h"
#include "audio/SyntheticVoice.h"
#include "evaluation/SpectrogramGeometry.h"
#include "evaluation/SpectrumColors.h"
#include "evaluation/ui/IndicatorPanel.h"
#include "evaluation/ui/PaintBox.h"
#include "evaluation/ui/SpectrumButtonPanel.h"
#include "evaluation/ui/TFormSpectrumRT.h"
#include "platform/ProgressSink.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <algorithm>
#include <filesystem>
#include <vector>

namespace tiravel {
namespace {

namespace fs = std::filesystem;

QRgb rgbOf(BgrColor color)
{
    return qRgb(redOf(color), greenOf(color), blueOf(color));
}

std::uint32_t le32(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

class SpectrumSelections : public testing::Test {
protected:
    SpectrumSelections()
    {
        window().resize(1280, 860);
        window().UpdateOptions();
        window().FormResize();
    }

    TFormSpectrumRT& window() { return program->spectrumRT(); }
    SpectrumButtonPanel& buttons() { return window().buttons(); }
    AnalysisState& analysis() { return program.analysis(); }
    QImage& top() { return window().PaintEnergyTop().image(); }
    int width() { return top().width(); }

    // A sustained voice after 0.3 s of silence, analysed as a loaded file is.
    void analyse(double seconds)
    {
        VoiceSpec spec;
        spec.f0Hz = 200;
        spec.seconds = seconds;
        spec.leadingSilenceSeconds = 0.3;
        spec.jitter = 0.01;
        spec.shimmer = 0.05;
        const std::vector<std::int16_t> samples = synthesizeVoice(spec);
        AnalysisState& state = analysis();
        for (std::size_t i = 0; i < samples.size(); ++i)
            state.soundBuffer[i + 1] = samples[i] / 500.0;
        state.soundLength = static_cast<std::int32_t>(samples.size());
        SetWindowSizesForDuration(state);
        NoProgress progress;
        AnalysisEngine& engine = program->analysisEngine().engine();
        engine.ComputeEnergyTable(progress);
        AnalyseSoundFrames(engine);
        ComputeAttackAlteration(state, state.markerFrames[0]);
        ComputeIndicators(state, 1, state.energyFrameCount);
        window().showAnalysedSound();
    }

    void drag(int fromX, int toX, int y = 120)
    {
        window().PaintEnergyTopMouseDown(fromX, y);
        window().PaintEnergyTopMouseMove((fromX + toX) / 2, y);
        window().PaintEnergyTopMouseMove(toX, y);
        window().PaintEnergyTopMouseUp(toX, y);
    }

    std::int32_t sampleAt(int x) { return sampleOfX(x, width(), analysis().soundLength); }
    std::int32_t frameAt(int x) { return frameOfX(x, width(), analysis().energyFrameCount); }

    test::ProgramUnderTest program;
};

TEST_F(SpectrumSelections, NothingIsSelectedBeforeASoundIsAnalysed)
{
    EXPECT_FALSE(window().selectionEnabled());
    analysis().markerFrames[0] = 42;
    drag(100, 600);
    EXPECT_EQ(analysis().markerFrames[0], 42);
    EXPECT_FALSE(fs::exists("out.wav"));
}

// The stored redraw marks the attack and the one-second span with black,
// green and red lines two pixels wide.
TEST_F(SpectrumSelections, StoredRedrawDrawsTheMarkerLines)
{
    AnalysisState& state = analysis();
    state.energyFrameCount = 100;
    state.soundLength = 19845; // 900 ms: time lines every 100 ms stay clear of the markers
    state.markerFrames[0] = 20;
    state.markerFrames[1] = 45;
    state.markerFrames[2] = 80;
    window().DrawEnergyTable(1);
    const int y = top().height() - static_cast<int>(std::nearbyint(250.0 * top().height() / 2500));
    const struct {
        int frame;
        BgrColor color;
    } markers[] = {{20, kColorBlack}, {45, kColorGreen}, {80, kColorRed}};
    for (const auto& m : markers) {
        SCOPED_TRACE(m.frame);
        const int x = static_cast<int>(std::nearbyint(m.frame * width() / 100.0));
        EXPECT_EQ(top().pixel(x, y), rgbOf(m.color));
        EXPECT_EQ(top().pixel(x + 1, y), rgbOf(m.color));
        EXPECT_EQ(top().pixel(x + 2, y), rgbOf(kColorBlueBackground));
        EXPECT_EQ(top().pixel(x - 1, y), rgbOf(kColorBlueBackground));
    }
    // A marker on frame 0 is not drawn.
    state.markerFrames[0] = 0;
    window().DrawEnergyTable(1);
    EXPECT_EQ(top().pixel(0, y), rgbOf(kColorBlueBackground));
}

TEST_F(SpectrumSelections, StoredRedrawColoursEachFrameByItsBins)
{
    AnalysisState& state = analysis();
    state.energyFrameCount = 10;
    state.soundLength = 22050;
    for (auto& row : state.energyTable)
        row.fill(0);
    state.energyTable[3].fill(0.01); // level 60 at gain 2000
    state.energyTable[6].fill(0.0001); // below the stored floor: left in the background
    window().DrawEnergyTable(1);
    const int y = top().height() - static_cast<int>(std::nearbyint(700.0 * top().height() / 2500));
    const int frameWidth = width() / 10;
    EXPECT_EQ(top().pixel(3 * frameWidth + frameWidth / 2, y), rgbOf(darkPaletteColor(60)));
    EXPECT_EQ(top().pixel(6 * frameWidth + frameWidth / 2, y), rgbOf(kColorBlueBackground));
    EXPECT_EQ(top().pixel(8 * frameWidth + frameWidth / 2, y), rgbOf(kColorBlueBackground));
}

// A click moves the attack marker to the clicked frame, recomputes the
// attack alteration, and writes no sound.
TEST_F(SpectrumSelections, ClickMovesTheAttackMarker)
{
    analyse(2.0);
    const int x = width() / 2;
    window().PaintEnergyTopMouseDown(x, 150);
    window().PaintEnergyTopMouseUp(x, 150);
    EXPECT_EQ(analysis().markerFrames[0], frameAt(x));
    const double attack = analysis().attackAlteration;
    ComputeAttackAlteration(analysis(), frameAt(x));
    EXPECT_EQ(analysis().attackAlteration, attack);
    EXPECT_FALSE(fs::exists("out.wav"));
    // The clicked frame's spectrum is analysed again: F0 of the voice.
    EXPECT_NEAR(analysis().localF0, 200, 10);
    EXPECT_FALSE(buttons().EditBoost->text().isEmpty());
}

TEST_F(SpectrumSelections, SpanBelowOneHundredSamplesWritesNothing)
{
    analyse(2.0);
    ASSERT_LT(sampleAt(402) - sampleAt(400), 100);
    drag(402, 400);
    EXPECT_EQ(analysis().markerFrames[0], frameAt(400));
    EXPECT_FALSE(fs::exists("out.wav"));
}

TEST_F(SpectrumSelections, SpanWritesTheSelectionAndComputesItsIndicators)
{
    analyse(2.0);
    const int from = 300;
    const int to = 700;
    drag(to, from); // right to left: the span is ordered
    const std::int32_t first = sampleAt(from);
    const std::int32_t last = sampleAt(to);
    ASSERT_TRUE(fs::exists("out.wav"));
    const std::vector<std::uint8_t> bytes = test::readFile("out.wav");
    ASSERT_GE(bytes.size(), 44u);
    const std::uint32_t samples = static_cast<std::uint32_t>(last - first - 1);
    EXPECT_EQ(le32(bytes, 40), 2 * samples);
    EXPECT_EQ(le32(bytes, 24), 22050u);
    const auto sampleOut = [&](std::size_t i) { return static_cast<std::int16_t>(bytes[44 + 2 * i] | bytes[45 + 2 * i] << 8); };
    EXPECT_EQ(sampleOut(0), static_cast<std::int16_t>(std::nearbyint(analysis().soundBuffer[first] * 500)));
    EXPECT_EQ(sampleOut(samples - 1), static_cast<std::int16_t>(std::nearbyint(analysis().soundBuffer[last - 2] * 500)));

    EXPECT_EQ(window().screenState().selection.selectionDurationMs,
        static_cast<int>(std::nearbyint(samples * 1000.0 / 22050)));
    EXPECT_EQ(analysis().selectionLength, frameAt(to) - frameAt(from) + 1);
    EXPECT_EQ(analysis().markerFrames[0], frameAt(from));
    EXPECT_EQ(buttons().LabelDuration->text(),
        QString::fromUtf8("Durée: ") + QString::fromStdString(fixedText((last - first) / 22050.0, 5, 2)) + " s");
    EXPECT_TRUE(buttons().sbEqualize->isHidden());
}

TEST_F(SpectrumSelections, SpanOverTwoSecondsOffersToKeepOnlyTheSelection)
{
    analyse(3.0);
    drag(40, width() - 40);
    EXPECT_FALSE(buttons().sbEqualize->isHidden());
    EXPECT_EQ(buttons().sbEqualize->text(), QString::fromUtf8("Ne garder que la sélection"));
}

TEST_F(SpectrumSelections, UnwritableSelectionFileStillMovesTheMarkerOnly)
{
    analyse(2.0);
    fs::create_directory("out.wav");
    drag(200, 800);
    const std::int32_t attack = frameAt(200);
    EXPECT_EQ(analysis().markerFrames[0], attack);
    EXPECT_EQ(window().screenState().selection.selectionDurationMs, 0);
    // Only the attack window was computed: its 0.3 s from the new marker.
    const auto frames03 = static_cast<std::int32_t>(
        std::nearbyint(analysis().energyFrameCount * 0.3 * 22050 / analysis().soundLength));
    EXPECT_EQ(analysis().selectionLength, std::min(attack + frames03, 1000) - attack + 1);
}

// The dotted rectangle and line are drawn in XOR: erasing them gives the
// spectrogram back pixel for pixel.
TEST_F(SpectrumSelections, NewPressErasesTheOldRectangle)
{
    analyse(2.0);
    const QImage before = top().copy();
    drag(200, 600);
    EXPECT_TRUE(window().screenState().selection.selectionShown);
    EXPECT_NE(top(), before);
    window().PaintEnergyTopMouseDown(900, 100);
    EXPECT_EQ(top(), before);
    EXPECT_TRUE(window().screenState().selection.selecting);
}

TEST_F(SpectrumSelections, ReadoutsUnderTheCursor)
{
    analyse(2.0);
    const int x = width() / 2;
    const int y = top().height() / 2;
    window().PaintEnergyTopMouseMove(x, y);
    const double hz = (top().height() - y) * 2500.0 / top().height();
    EXPECT_EQ(buttons().LabelF->text(), QString::fromUtf8("Fréquence: ") + QString::fromStdString(fixedText(hz, 4, 0)) + " Hz");
    EXPECT_EQ(buttons().LabelF0->text(),
        "F0 : " + QString::fromStdString(fixedText(analysis().frameF0[frameAt(x)], 4, 0)) + " Hz");
    EXPECT_TRUE(buttons().LabeldB->text().startsWith("Amplitude: "));
    // Far above the box the bin is beyond the spectrum: no stored value.
    window().PaintEnergyTopMouseMove(x, -2000);
    EXPECT_EQ(buttons().LabeldB->text(), "Amplitude non disponible");
}

TEST_F(SpectrumSelections, SpanButtonsComputeTheWholeSoundAndTheSecondAfterTheAttack)
{
    analyse(2.0);
    window().TabIndicators().setCurrentIndex(2);
    const QImage before = top().copy();
    const auto& markers = analysis().markerFrames;
    ASSERT_GT(markers[2], markers[1]);
    window().sbOneSecondClick();
    EXPECT_EQ(analysis().selectionLength, markers[2] - markers[1] + 1);
    EXPECT_TRUE(window().screenState().selection.selectionShown);
    EXPECT_NE(top(), before);
    window().sbAllClick();
    EXPECT_EQ(analysis().selectionLength, analysis().energyFrameCount);
    EXPECT_EQ(top(), before);
}

TEST_F(SpectrumSelections, SelectionInTheIndicatorTabPressesSelectedZone)
{
    analyse(2.0);
    window().TabIndicators().setCurrentIndex(2);
    QPushButton& zone = *window().indicatorPanel().sbZone;
    EXPECT_FALSE(zone.isEnabled());
    drag(300, 700);
    EXPECT_TRUE(zone.isEnabled());
    EXPECT_TRUE(zone.isChecked());
}

// On the patient panel the drag order matters: right to left computes nothing.
TEST_F(SpectrumSelections, PatientPanelSelectionsInDragOrder)
{
    window().energyBottomBtnClick();
    analyse(2.0);
    const int w = window().PaintEnergyBottom().image().width();
    const std::int32_t frames = analysis().energyFrameCount;
    analysis().noiseSignalRatio = 7.5;
    window().PaintEnergyBottomMouseDown(700, 100);
    window().PaintEnergyBottomMouseUp(300, 100);
    EXPECT_LT(analysis().selectionLength, 1);
    EXPECT_EQ(analysis().noiseSignalRatio, 7.5);
    EXPECT_TRUE(fs::exists("out.wav"));
    window().PaintEnergyBottomMouseDown(300, 100);
    window().PaintEnergyBottomMouseUp(700, 100);
    EXPECT_EQ(analysis().selectionLength, frameOfX(700, w, frames) - frameOfX(300, w, frames) + 1);
}

TEST_F(SpectrumSelections, MicrophoneOnDisablesSelections)
{
    analyse(2.0);
    buttons().sbRecordOn->click();
    analysis().markerFrames[0] = 42;
    drag(100, 600);
    EXPECT_EQ(analysis().markerFrames[0], 42);
}

} // namespace
} // namespace tiravel
