// The live loop of the real-time spectrum screen: columns drawn per buffer,
// the store of frames, the wrap, the scale options, the live indicator trace
// and the microphone button, on the offscreen platform.
#include "UiTestSupport.h"

#include "audio/SyntheticVoice.h"
#include "evaluation/IndicatorScale.h"
#include "evaluation/LiveIndicators.h"
#include "evaluation/SpectrumColors.h"
#include "evaluation/ui/PaintBox.h"
#include "evaluation/ui/SpectrumButtonPanel.h"
#include "evaluation/ui/TFormSpectrumRT.h"
#include "shell/LiveDispatcher.h"

#include <QComboBox>
#include <QLabel>
#include <QSlider>
#include <QTabBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace tiravel {
namespace {

QRgb rgbOf(BgrColor color)
{
    return qRgb(redOf(color), greenOf(color), blueOf(color));
}

constexpr std::size_t kBufferSamples = 1103; // one 50 ms capture buffer

class SpectrumLive : public testing::Test {
protected:
    // Opened as the evaluation menu opens it.
    SpectrumLive()
    {
        window().resize(1280, 860);
        window().UpdateOptions();
        window().FormResize();
    }

    TFormSpectrumRT& window() { return program->spectrumRT(); }
    SpectrumButtonPanel& buttons() { return window().buttons(); }
    AnalysisState& analysis() { return program.analysis(); }
    SpectrumScreenState& screen() { return window().screenState(); }
    QImage& top() { return window().PaintEnergyTop().image(); }
    QImage& bottom() { return window().PaintEnergyBottom().image(); }

    // The live frame as the dispatcher leaves it: every bin at value.
    void setFrame(double value, double f0 = 0, double bandEnergy = 0)
    {
        analysis().energyTable[0].fill(value);
        analysis().localF0 = f0;
        analysis().bandEnergy = bandEnergy;
    }

    // Rows of bin k on a live column of a panel at 0..2500 Hz: [first, last).
    static std::pair<int, int> binRows(const QImage& image, int k)
    {
        const double ppb = image.height() / (2500.0 * 1024 / 22050);
        return {static_cast<int>(std::nearbyint(image.height() - (k + 1) * ppb)),
            static_cast<int>(std::nearbyint(image.height() - k * ppb))};
    }

    void microphoneOn()
    {
        buttons().sbRecordOn->click();
        program.audioInput.pumpNotifications();
    }

    // Captures buffers of a voice through the device and the dispatcher.
    void feed(const std::vector<std::int16_t>& voice, int buffers)
    {
        for (int b = 0; b < buffers; ++b) {
            std::vector<std::uint8_t> bytes(2 * kBufferSamples);
            for (std::size_t i = 0; i < kBufferSamples; ++i) {
                const std::int16_t s = voice[(b * kBufferSamples + i) % voice.size()];
                bytes[2 * i] = static_cast<std::uint8_t>(s & 0xFF);
                bytes[2 * i + 1] = static_cast<std::uint8_t>((s >> 8) & 0xFF);
            }
            ASSERT_TRUE(program.audioInput.pushData(bytes));
            program.audioInput.pumpNotifications();
        }
    }

    test::ProgramUnderTest program;
};

std::vector<std::int16_t> vowel220()
{
    VoiceSpec spec;
    spec.f0Hz = 220;
    spec.seconds = 3;
    spec.vibratoHz = 5;
    spec.vibratoDepth = 0.01;
    spec.attackSeconds = 0;
    return synthesizeVoice(spec);
}

// Guards the main path: capture buffers reach the screen, which draws one
// column pair per buffer, stores each frame and shows F0 every 5th buffer.
TEST_F(SpectrumLive, CapturedVoiceIsDrawnStoredAndMeasured)
{
    microphoneOn();
    ASSERT_TRUE(program.audioInput.isCapturing());
    EXPECT_EQ(analysis().toolMode, kModeSpectrumRT);
    feed(vowel220(), 20);

    EXPECT_EQ(analysis().energyFrameCount, 20);
    EXPECT_EQ(screen().topColumnX, 20 * 2 * screen().scrollStep);
    EXPECT_EQ(analysis().energyTable[20][10], analysis().energyTable[0][10]);
    EXPECT_GT(analysis().energyTable[7][10], 0.0);
    const QString f0 = buttons().LabelF0->text();
    ASSERT_TRUE(f0.startsWith("F0 : ")) << f0.toStdString();
    EXPECT_NEAR(f0.mid(5, 4).toDouble(), 220, 12) << f0.toStdString();
    EXPECT_TRUE(buttons().LabeldB->text().startsWith("Amplitude: "));

    // The last buffer's F0 mark is black, and the voice's first harmonic
    // shows in its second column.
    const int x0 = screen().topColumnX;
    const int height = top().height();
    const int f0Row = height - static_cast<int>(std::nearbyint(analysis().localF0 * height / 2500.0));
    EXPECT_EQ(top().pixel(x0, f0Row), rgbOf(kColorBlack));
    const auto [first, last] = binRows(top(), 10);
    EXPECT_NE(top().pixel(x0 + screen().scrollStep, (first + last) / 2), rgbOf(kColorBlueBackground));
}

TEST_F(SpectrumLive, MicrophoneButtonStartsAndStopsCapture)
{
    analysis().f0SmoothCount = 62;
    analysis().levelJumpOffset = 12;
    analysis().energyFrameCount = 300;
    buttons().LabelF->setText("x");
    buttons().ComboFreq->setCurrentIndex(0);
    microphoneOn();
    EXPECT_TRUE(buttons().sbRecordOn->isChecked());
    EXPECT_TRUE(program.audioInput.isCapturing());
    EXPECT_EQ(analysis().f0SmoothCount, 25);
    EXPECT_EQ(analysis().levelJumpOffset, 5);
    EXPECT_EQ(analysis().energyFrameCount, 0);
    EXPECT_EQ(screen().waveWindowEnd, 4096);
    EXPECT_EQ(screen().waveWindowLength, 4096);
    EXPECT_TRUE(buttons().LabelF->text().isEmpty());
    EXPECT_EQ(window().windowTitle(), QString::fromUtf8("Spectre temps réel"));

    buttons().sbRecordOn->click();
    program.audioInput.pumpNotifications();
    EXPECT_FALSE(buttons().sbRecordOn->isChecked());
    EXPECT_FALSE(program.audioInput.isOpen());

    // Leaving the screen also stops a running capture.
    microphoneOn();
    window().sbOkClick();
    program.audioInput.pumpNotifications();
    EXPECT_FALSE(program.audioInput.isOpen());
    EXPECT_FALSE(buttons().sbRecordOn->isChecked());
    EXPECT_EQ(analysis().toolMode, 0);
}

// A device that cannot open leaves the button up.
TEST_F(SpectrumLive, FailedOpenRaisesTheMicrophoneButton)
{
    program.audioInput.failNext(ScriptedAudioInputDevice::Call::Open, kDeviceFailed);
    microphoneOn();
    EXPECT_FALSE(buttons().sbRecordOn->isChecked());
    EXPECT_FALSE(program.audioInput.isCapturing());
}

// The first frame after the start averages with an empty row: half the
// magnitude in the first column, the whole in the second.
TEST_F(SpectrumLive, FirstColumnAveragesWithTheFrameStoredLast)
{
    analysis().energyFrameCount = 0;
    setFrame(0.01);
    window().DrawEnergyRealTime();
    const auto [first, last] = binRows(top(), 30);
    const int y = (first + last) / 2;
    // At gain 2000: 0.005 is level 46, 0.01 level 60.
    EXPECT_EQ(top().pixel(4, y), rgbOf(darkPaletteColor(46)));
    EXPECT_EQ(top().pixel(6, y), rgbOf(darkPaletteColor(60)));
    EXPECT_EQ(screen().colorToDb[colorToDbIndex(darkPaletteColor(46))], 44);
    EXPECT_EQ(screen().colorToDb[colorToDbIndex(darkPaletteColor(60))], 50);
    EXPECT_EQ(analysis().energyFrameCount, 1);

    window().DrawEnergyRealTime();
    EXPECT_EQ(top().pixel(8, y), rgbOf(darkPaletteColor(60)));
}

struct WrapCase {
    int fromEnd; // topColumnX = width - fromEnd before the buffer
    bool wraps;
};

class SpectrumLiveWrap : public SpectrumLive, public testing::WithParamInterface<WrapCase> {};

TEST_P(SpectrumLiveWrap, PassingTheWidthRestartsAtZeroAndRowOne)
{
    const int width = top().width();
    screen().topColumnX = width - GetParam().fromEnd;
    screen().traceContinues = true;
    analysis().energyFrameCount = 57;
    analysis().energyTable[1][512] = 7.5;
    setFrame(0.02);
    window().DrawEnergyRealTime();
    if (GetParam().wraps) {
        EXPECT_EQ(screen().topColumnX, 0);
        EXPECT_EQ(analysis().energyFrameCount, 1);
        EXPECT_EQ(screen().screenWrapCount, 1);
        EXPECT_FALSE(screen().traceContinues);
        EXPECT_EQ(analysis().energyTable[1][300], 0.02);
        EXPECT_EQ(analysis().energyTable[1][512], 7.5); // the Nyquist bin is not stored
    } else {
        EXPECT_EQ(screen().topColumnX, width);
        EXPECT_EQ(analysis().energyFrameCount, 58);
        EXPECT_EQ(screen().screenWrapCount, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Wrap, SpectrumLiveWrap, testing::Values(WrapCase {4, false}, WrapCase {3, true}));

TEST_F(SpectrumLive, StoreStopsAtOneThousandFrames)
{
    analysis().energyFrameCount = 1000;
    analysis().energyTable[1000][5] = 3.0;
    setFrame(0.02);
    window().DrawEnergyRealTime();
    EXPECT_EQ(analysis().energyFrameCount, 1000);
    EXPECT_EQ(analysis().energyTable[1000][5], 3.0);
}

TEST_F(SpectrumLive, PatientPanelReceivesTheColumnsWhenSelected)
{
    window().energyBottomBtnClick();
    const QImage before = top().copy();
    setFrame(0.02);
    window().DrawEnergyRealTime();
    EXPECT_EQ(screen().bottomColumnX, 4);
    EXPECT_EQ(screen().topColumnX, 0);
    EXPECT_EQ(top(), before);
    const auto [first, last] = binRows(bottom(), 30);
    EXPECT_EQ(bottom().pixel(6, (first + last) / 2), rgbOf(darkPaletteColor(74))); // 0.02 at gain 2000
}

struct FrequencyCase {
    int item;
    int maxHz;
    int stepHz;
};

TEST_F(SpectrumLive, ComboFreqChoosesTheScaleAndGrid)
{
    const FrequencyCase cases[] = {{0, 10000, 1000}, {1, 5000, 500}, {2, 2500, 500}, {3, 1000, 100}, {4, 500, 100}};
    for (const FrequencyCase& c : cases) {
        SCOPED_TRACE(c.item);
        buttons().ComboFreq->setCurrentIndex(c.item);
        window().ComboFreqChange();
        EXPECT_EQ(program.state.spectrumView.displayMaxHz, c.maxHz);
        EXPECT_EQ(program.state.spectrumView.gridStepHz, c.stepHz);
    }
}

// From 0 to 10000 Hz only the bins below the top of the box are drawn.
TEST_F(SpectrumLive, BinsAboveTheTopOfTheScaleAreSkipped)
{
    buttons().ComboFreq->setCurrentIndex(0);
    window().ComboFreqChange();
    const QRgb loud = rgbOf(darkPaletteColor(100));
    const auto columnHasLoud = [&](int x) {
        for (int y = 0; y < top().height(); ++y)
            if (top().pixel(x, y) == loud)
                return true;
        return false;
    };
    for (std::size_t k = 0; k < kSpectrumBins; ++k)
        analysis().energyTable[0][k] = k >= 470 ? 1.0 : 0.0;
    window().DrawEnergyRealTime();
    EXPECT_FALSE(columnHasLoud(6));
    for (std::size_t k = 0; k < kSpectrumBins; ++k)
        analysis().energyTable[0][k] = k >= 455 && k < 470 ? 1.0 : 0.0;
    window().DrawEnergyRealTime();
    EXPECT_TRUE(columnHasLoud(10));
}

TEST_F(SpectrumLive, TrackBarSetsTheGainAndTrackSpeedTheColumnWidth)
{
    for (const auto& [position, gain] : std::vector<std::pair<int, double>> {{0, 500}, {2, 2000}, {5, 16000}}) {
        buttons().TrackBar->setValue(position);
        EXPECT_DOUBLE_EQ(screen().spectrogramGain, gain) << position;
    }
    for (int position = 0; position <= 4; ++position) {
        SCOPED_TRACE(position);
        buttons().TrackSpeed->setValue(position);
        EXPECT_EQ(screen().scrollStep, position + 1);
        const int before = screen().topColumnX;
        window().DrawEnergyRealTime();
        EXPECT_EQ(screen().topColumnX, before + 2 * (position + 1));
    }
}

// The pitch trace of tab 3: points joined by a line, and a silent frame
// that leaves no point and breaks the line.
TEST_F(SpectrumLive, SilentFrameBreaksThePitchTrace)
{
    window().TabIndicators().setCurrentIndex(kTabPitchCurve);
    buttons().TrackSpeed->setValue(4); // 10 pixels a buffer
    screen().topColumnX = 300;
    for (std::size_t i = 0; i < 25; ++i)
        analysis().oldF0s[i] = 200;
    analysis().f0SmoothCount = 25;
    const auto buffer = [&](double energy) {
        setFrame(0.02, 220);
        analysis().localEnergy = energy;
        window().DrawEnergyRealTime();
    };
    buffer(0.01);
    buffer(0.01);
    buffer(0.01);
    EXPECT_TRUE(screen().traceContinues);
    EXPECT_NEAR(analysis().pitchInstability, 200 * 0.1, 1e-9); // three buffers of r = 0.1
    const TracePoint beforeSilence = screen().previousTracePoint;
    buffer(0.001);
    EXPECT_FALSE(screen().traceContinues);
    EXPECT_EQ(screen().pitchInstabilityLive[0], 0.0);
    buffer(0.01);
    const TracePoint afterSilence = screen().previousTracePoint;
    EXPECT_EQ(afterSilence.x, 350);
    EXPECT_NEAR(analysis().pitchInstability, 200 * 0.1 / 3, 1e-9);

    const int half = bottom().height() / 2;
    const auto isLegendRow = [&](int y) {
        for (double v : kIndicatorLegendValues)
            if (indicatorTraceRow(v, half) == y)
                return true;
        return false;
    };
    const QRgb band = rgbOf(kColorIndicatorBand);
    const QRgb line = qRgb(64, 64, 64);
    // Nothing crosses the silent frame's band...
    for (int x = 343; x <= 345; ++x) {
        for (int y = std::min(beforeSilence.y, afterSilence.y); y <= std::max(beforeSilence.y, afterSilence.y); ++y) {
            if (isLegendRow(y))
                continue;
            ASSERT_EQ(bottom().pixel(x, y), band) << x << "," << y;
        }
    }
    // ...while consecutive voiced frames are joined.
    bool joined = false;
    for (int y = 0; y < bottom().height(); ++y)
        joined = joined || bottom().pixel(325, y) == line;
    EXPECT_TRUE(joined);
}

// The trace is not joined across the wrap: points within 11 pixels of the
// left edge start a new line.
TEST_F(SpectrumLive, TraceRestartsAfterTheWrap)
{
    window().TabIndicators().setCurrentIndex(kTabNoiseCurve);
    buttons().TrackSpeed->setValue(4); // 10 pixels a buffer
    screen().topColumnX = top().width() - 5;
    screen().traceContinues = true;
    analysis().noiseSignalRatio = 0.5;
    const bool expected[] = {false, false, true, true};
    for (bool continues : expected) {
        setFrame(0.02, 200);
        analysis().localDb = 60;
        analysis().localEnergy = 0.01;
        window().DrawEnergyRealTime();
        EXPECT_EQ(screen().traceContinues, continues) << screen().topColumnX;
    }
    EXPECT_EQ(screen().previousTracePoint.x, 30);
    EXPECT_EQ(screen().previousTracePoint.y, indicatorTraceRow(0.5, bottom().height() / 2));
}

TEST_F(SpectrumLive, ClearSpaceEmptiesTheTargetPanelAndTheStore)
{
    for (int i = 0; i < 5; ++i) {
        setFrame(0.05);
        window().DrawEnergyRealTime();
    }
    window().sbClearSpaceClick();
    EXPECT_EQ(analysis().energyFrameCount, 0);
    EXPECT_EQ(screen().topColumnX, 0);
    for (int y = 0; y < top().height(); ++y)
        ASSERT_EQ(top().pixel(8, y), rgbOf(kColorBlueBackground)) << y;
}

// The views of later versions take no drawing from the live loop.
TEST_F(SpectrumLive, LaterViewsAreLabelledAndLeftAloneByTheLiveLoop)
{
    for (int tab : {1, 7, 8}) {
        SCOPED_TRACE(tab);
        window().TabIndicators().setCurrentIndex(tab);
        const QImage before = bottom().copy();
        int captionPixels = 0;
        for (int y = 0; y < before.height(); ++y)
            for (int x = 0; x < before.width(); ++x)
                captionPixels += before.pixel(x, y) != before.pixel(0, 0) ? 1 : 0;
        EXPECT_GT(captionPixels, 100);
        setFrame(0.05, 200, 0.1);
        analysis().localEnergy = 0.05;
        window().DrawEnergyRealTime();
        EXPECT_EQ(bottom(), before);
    }
}

} // namespace
} // namespace tiravel
