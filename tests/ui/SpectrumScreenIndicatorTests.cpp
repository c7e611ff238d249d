// The spectrum screen's indicator views: the five gauges and their value
// boxes, the age-adjusted thresholds, the indicator curves of tabs 3..6, the
// tab strip and panels, and the texts of the three languages.
#include "UiTestSupport.h"

#include "evaluation/IndicatorScale.h"
#include "evaluation/SpectrumColors.h"
#include "evaluation/ui/GaugePainter.h"
#include "evaluation/ui/IndicatorPanel.h"
#include "evaluation/ui/PaintBox.h"
#include "evaluation/ui/SpectrumButtonPanel.h"
#include "evaluation/ui/TFormSpectrumRT.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

namespace tiravel {
namespace {

QRgb rgbOf(BgrColor color)
{
    return qRgb(redOf(color), greenOf(color), blueOf(color));
}

class SpectrumIndicators : public testing::Test {
protected:
    explicit SpectrumIndicators(Language language = Language::French)
        : program(language)
    {
        window().resize(1280, 860);
        window().UpdateOptions();
        window().FormResize();
    }

    TFormSpectrumRT& window() { return program->spectrumRT(); }
    SpectrumButtonPanel& buttons() { return window().buttons(); }
    IndicatorPanel& panel() { return window().indicatorPanel(); }
    AnalysisState& analysis() { return program.analysis(); }
    QImage& bottom() { return window().PaintEnergyBottom().image(); }

    void showGauges() { window().TabIndicators().setCurrentIndex(kTabIndicatorsIndex); }
    void setIndicators(double attack, double pitch, double amplitude, double noise, double harmonics)
    {
        analysis().attackAlteration = attack;
        analysis().pitchInstability = pitch;
        analysis().amplitudeInstability = amplitude;
        analysis().noiseSignalRatio = noise;
        analysis().harmonicPoverty = harmonics;
    }
    QColor textColor(int gauge) { return panel().edits[gauge]->palette().color(QPalette::Text); }

    static constexpr int kTabIndicatorsIndex = 2;
    test::ProgramUnderTest program;
};

TEST_F(SpectrumIndicators, FiguresAndValueBoxesOfDumpVoiceParams)
{
    showGauges();
    analysis().energyTotal = 1.0; // 90 dB
    analysis().localF0 = 220.4;
    setIndicators(0, 0.5, 1.2, 2.0, 0.8);
    window().DumpVoiceParams();
    EXPECT_EQ(buttons().LabeldB->text(), "Amplitude:   90 dB");
    EXPECT_EQ(buttons().LabelF0->text(), "F0 :  220 Hz");
    const struct {
        QString text;
        BgrColor color;
    } expected[] = {{"---", kColorGrey}, {"0.50", kColorGreen}, {"1.20", kColorOrange}, {"2.00", kColorRed},
        {"0.80", kColorGreen}};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(panel().edits[i]->text(), expected[i].text);
        EXPECT_EQ(textColor(i), QColor(rgbOf(expected[i].color)));
    }
}

TEST_F(SpectrumIndicators, GaugesAreLeftAloneWhileHidden)
{
    setIndicators(2, 2, 2, 2, 2);
    window().DumpVoiceParams();
    EXPECT_EQ(panel().edits[1]->text(), "0.0");
    EXPECT_EQ(textColor(1), QColor(rgbOf(kColorGrey)));
    EXPECT_TRUE(panel().isHidden());
}

TEST_F(SpectrumIndicators, ClearVoiceParamsZeroesTheIndicators)
{
    showGauges();
    setIndicators(1, 2, 3, 4, 5);
    analysis().selectionMeanF0 = 180;
    window().ClearVoiceParams();
    EXPECT_EQ(analysis().pitchInstability, 0.0);
    EXPECT_EQ(analysis().harmonicPoverty, 0.0);
    EXPECT_EQ(analysis().selectionMeanF0, 0.0);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(panel().edits[i]->text(), "---");
}

struct GaugeCase {
    double value;
    int barTop;
    BgrColor color;
};

class SpectrumGauges : public SpectrumIndicators, public testing::WithParamInterface<GaugeCase> {};

// The outline of the bar in the value's colour at 12 pixels a level, the
// scale picture below it and a checker pattern above it.
TEST_P(SpectrumGauges, BarTopColourAndChecker)
{
    const GaugeCase c = GetParam();
    QImage image(GaugePainter::kGaugeWidth, GaugePainter::kGaugeHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    BgrColor color = 0;
    EXPECT_EQ(window().DrawRectInImage(image, color, c.value), c.color);
    EXPECT_EQ(color, c.color);
    const QImage& ref = window().ImageRef();
    EXPECT_EQ(image.pixel(12, c.barTop), rgbOf(c.color));
    EXPECT_EQ(image.pixel(3, (c.barTop + 127) / 2), rgbOf(c.color));
    EXPECT_EQ(image.pixel(12, c.barTop + 3), ref.pixel(12, c.barTop + 3));
    EXPECT_EQ(image.pixel(0, 0), ref.pixel(0, 0));
    // Above the bar: odd x + y checkered, even x + y the scale picture.
    const int y = c.barTop - 5;
    EXPECT_EQ(image.pixel(10, y) == rgbOf(kColorGaugeChecker), (10 + y) % 2 == 1);
    EXPECT_EQ(image.pixel(11, y) == rgbOf(kColorGaugeChecker), (11 + y) % 2 == 1);
    EXPECT_EQ(image.pixel(12, c.barTop - 4), ref.pixel(12, c.barTop - 4));
}

INSTANTIATE_TEST_SUITE_P(Values, SpectrumGauges,
    testing::Values(GaugeCase {0.1, 120, kColorGreen}, GaugeCase {1.0, 70, kColorOrange}, GaugeCase {10.0, 22, kColorRed}));

TEST_F(SpectrumIndicators, ScalePictureRunsFromGreenToRed)
{
    const QImage& ref = window().ImageRef();
    ASSERT_EQ(ref.size(), QSize(25, 130));
    EXPECT_EQ(ref.pixel(12, 125), rgbOf(kColorGreen));
    EXPECT_EQ(ref.pixel(12, 5), rgbOf(kColorRed));
}

// Age 70 with the age button down moves the thresholds to 0.9 and 1.6.
TEST_F(SpectrumIndicators, AgeButtonAdjustsTheThresholds)
{
    window().setPatientAge(70);
    showGauges();
    QPushButton& age = *panel().sbAge;
    EXPECT_FALSE(age.isHidden());
    EXPECT_EQ(age.text(), QString::fromUtf8("Ajuster les seuils avec l'âge (70)"));
    setIndicators(0.85, 1.55, 1.65, 0, 0);
    window().DumpVoiceParams();
    EXPECT_EQ(textColor(0), QColor(rgbOf(kColorOrange)));
    EXPECT_EQ(textColor(1), QColor(rgbOf(kColorRed)));

    age.click();
    EXPECT_EQ(age.text(), "Appliquer les seuils standards");
    EXPECT_EQ(textColor(0), QColor(rgbOf(kColorGreen)));
    EXPECT_EQ(textColor(1), QColor(rgbOf(kColorOrange)));
    EXPECT_EQ(textColor(2), QColor(rgbOf(kColorRed)));

    age.click();
    EXPECT_EQ(textColor(0), QColor(rgbOf(kColorOrange)));
    EXPECT_EQ(age.text(), QString::fromUtf8("Ajuster les seuils avec l'âge (70)"));
}

TEST_F(SpectrumIndicators, AgeButtonOnlyAboveSixtyFive)
{
    window().setPatientAge(65);
    showGauges();
    EXPECT_TRUE(panel().sbAge->isHidden());
    window().setPatientAge(66);
    EXPECT_FALSE(panel().sbAge->isHidden());
    window().TabIndicators().setCurrentIndex(0);
    EXPECT_TRUE(panel().isHidden());
}

// A sound whose voiced frames all carry the same noise ratio and harmonic
// poverty: a flat curve at that value, with the value as its average.
class SpectrumCurves : public SpectrumIndicators {
protected:
    SpectrumCurves()
    {
        AnalysisState& state = analysis();
        state.energyFrameCount = 400;
        state.soundLength = 88200;
        state.f0SmoothCount = 25;
        for (std::size_t k = 1; k <= 400; ++k) {
            state.frameF0[k] = 200;
            state.frameEnergy[k] = 3;
            state.frameNoiseRatio[k] = 2.0;
            state.frameHarmonicPoverty[k] = 0.5;
        }
    }
    int rowOf(double v) { return indicatorTraceRow(v, bottom().height() / 2); }
    int xOf(int frame) { return static_cast<int>(std::nearbyint(frame * bottom().width() / 400.0)); }
};

TEST_F(SpectrumCurves, FlatCurveAtItsValueWithItsAverage)
{
    const struct {
        int tab;
        double value;
    } cases[] = {{5, 2.0}, {6, 0.5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tab);
        // Frame 0 is unvoiced and adds 0; frames 1..T (T = 400 - 25 - 5) add
        // the value: the average over T is the value itself.
        EXPECT_NEAR(window().DrawMarker(c.tab), c.value, 1e-9);
        EXPECT_EQ(bottom().pixel(xOf(190), rowOf(c.value) - 1), rgbOf(indicatorColor(c.value)));
        EXPECT_EQ(bottom().pixel(xOf(190), rowOf(c.value) - 8), rgbOf(kColorIndicatorBand));
    }
}

TEST_F(SpectrumCurves, SteadyPitchGivesNoPointsAndShortSoundsAverageOne)
{
    EXPECT_EQ(window().DrawMarker(3), 0.0);
    for (int y = 0; y < bottom().height(); ++y) {
        const QRgb pixel = bottom().pixel(xOf(190), y);
        ASSERT_TRUE(pixel == rgbOf(kColorIndicatorBand) || pixel == rgbOf(kColorGrey)) << y;
    }
    analysis().energyFrameCount = 30; // T = 0
    EXPECT_EQ(window().DrawMarker(5), 1.0);
}

TEST_F(SpectrumCurves, GaugeImagesOpenTheirCurves)
{
    const struct {
        void (TFormSpectrumRT::*click)();
        int tab;
    } cases[] = {{&TFormSpectrumRT::ImageHautClick, 3}, {&TFormSpectrumRT::ImageAmplClick, 1},
        {&TFormSpectrumRT::ImageSNRClick, 5}, {&TFormSpectrumRT::ImageHarmClick, 6}};
    for (const auto& c : cases) {
        showGauges();
        (window().*c.click)();
        EXPECT_EQ(window().TabIndicators().currentIndex(), c.tab);
    }
}

TEST_F(SpectrumIndicators, GaugePanelReplacesTheBottomSpectrogram)
{
    showGauges();
    EXPECT_FALSE(panel().isHidden());
    EXPECT_TRUE(window().PaintEnergyBottom().isHidden());
    EXPECT_TRUE(window().screenState().indicatorsEnabled);
    window().TabIndicators().setCurrentIndex(4);
    EXPECT_TRUE(panel().isHidden());
    EXPECT_FALSE(window().PaintEnergyBottom().isHidden());
    EXPECT_FALSE(window().screenState().indicatorsEnabled);
}

TEST_F(SpectrumIndicators, PatientPanelTakesTheSpectrumTabAndTheRedFont)
{
    window().TabIndicators().setCurrentIndex(4);
    window().energyBottomBtnClick();
    EXPECT_EQ(window().TabIndicators().currentIndex(), 0);
    EXPECT_EQ(buttons().energyBottomBtn->palette().color(QPalette::ButtonText), QColor(Qt::red));
    EXPECT_EQ(buttons().energyTopBtn->palette().color(QPalette::ButtonText), QColor(Qt::black));
    window().TabIndicators().setCurrentIndex(1);
    window().energyBottomBtnClick();
    EXPECT_EQ(window().TabIndicators().currentIndex(), 1);
    window().energyTopBtnClick();
    EXPECT_EQ(buttons().energyTopBtn->palette().color(QPalette::ButtonText), QColor(Qt::red));
    EXPECT_FALSE(buttons().energyBottomBtn->isChecked());
}

TEST_F(SpectrumIndicators, ZoomFillsTheScreenWithTheTopPanel)
{
    window().TabIndicators().setCurrentIndex(5);
    buttons().sbFull->click();
    const int panelTop = SpectrumButtonPanel::kPanelHeight;
    EXPECT_EQ(window().PaintEnergyTop().height(), 860 - panelTop - 70);
    EXPECT_EQ(window().PaintEnergyTop().image().height(), 860 - panelTop - 70);
    EXPECT_TRUE(window().TabIndicators().isHidden());
    EXPECT_TRUE(window().PaintEnergyBottom().isHidden());
    buttons().sbFull->click();
    EXPECT_EQ(window().PaintEnergyTop().height(), (860 - panelTop) / 2 - 35);
    EXPECT_FALSE(window().TabIndicators().isHidden());
    EXPECT_FALSE(window().PaintEnergyBottom().isHidden());
    EXPECT_EQ(window().TabIndicators().currentIndex(), 0);
}

TEST_F(SpectrumIndicators, WhiteBackgroundRedrawsThePaletteInTheLightColours)
{
    buttons().sbWhiteBG->click();
    EXPECT_EQ(window().screenState().backgroundColor, kColorWhiteBackground);
    EXPECT_TRUE(window().screenState().redrawPending);
    EXPECT_EQ(window().screenState().paletteColors[90], lightPaletteColor(90));
    EXPECT_EQ(window().PaintPalette().image().pixel(10, 150 - 136), rgbOf(lightPaletteColor(90)));
    window().TimerWait();
    EXPECT_FALSE(window().screenState().redrawPending);
    EXPECT_EQ(window().PaintEnergyTop().image().pixel(window().PaintEnergyTop().width() / 2, 20),
        rgbOf(kColorWhiteBackground));
    buttons().sbWhiteBG->click();
    EXPECT_EQ(window().screenState().backgroundColor, kColorBlueBackground);
}

TEST_F(SpectrumIndicators, ReadoutTexts)
{
    window().DumpDuration(22050, 0);
    EXPECT_EQ(buttons().LabelDuration->text(), QString::fromUtf8("Durée:  1.00 s"));
    window().DumpdB(63.4);
    EXPECT_EQ(buttons().LabeldB->text(), "Amplitude:   63 dB");
    EXPECT_EQ(panel().LabelLegend->text(), "<1 = normal, >1 = pathologique");
    EXPECT_EQ(window().TabIndicators().tabText(3), "Instab. Hauteur");
}

class SpectrumIndicatorsEnglish : public SpectrumIndicators {
protected:
    SpectrumIndicatorsEnglish()
        : SpectrumIndicators(Language::English)
    {
    }
};

TEST_F(SpectrumIndicatorsEnglish, CaptionsAndReadouts)
{
    EXPECT_EQ(window().windowTitle(), "Real time spectrum");
    EXPECT_EQ(buttons().LabeldB->text(), "Amplitude not available");
    EXPECT_EQ(buttons().LabelF0->text(), "Fundamental not available");
    EXPECT_EQ(window().TabIndicators().tabText(6), "Harmonics ");
    EXPECT_EQ(window().TabIndicators().tabText(8), "Instant freq.");
    EXPECT_EQ(panel().captions[3]->text(), "Noise/Signal ratio");
    EXPECT_EQ(panel().LabelLegend->text(), "<1 = normal, >1 = pathological");
    window().DumpDuration(0, 11025);
    EXPECT_EQ(buttons().LabelDuration->text(), "Duration:  0.50 s");
    window().setPatientAge(80);
    EXPECT_EQ(panel().sbAge->text(), "Adjust colors with age (80)");
}

class SpectrumIndicatorsSpanish : public SpectrumIndicators {
protected:
    SpectrumIndicatorsSpanish()
        : SpectrumIndicators(Language::Spanish)
    {
    }
};

TEST_F(SpectrumIndicatorsSpanish, CaptionsAndReadouts)
{
    window().DumpdB(90);
    EXPECT_EQ(buttons().LabeldB->text(), "Amplitud:   90 dB");
    EXPECT_EQ(panel().captions[4]->text(), QString::fromUtf8("Pobreza Armónica"));
    EXPECT_EQ(panel().sbAll->text(), "Sonido entero");
    window().DumpDuration(0, 22050);
    EXPECT_EQ(buttons().LabelDuration->text(), QString::fromUtf8("Duración:  1.00 s"));
}

} // namespace
} // namespace tiravel
