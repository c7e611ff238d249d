// The spectrum screen on sound files: opening and analysing a WAV file, the
// filters and gain changes that rewrite it, the formant bands and playback.
#include "UiTestSupport.h"

#include "analysis/HeadlessAnalysis.h"
#include "audio/SyntheticVoice.h"
#include "evaluation/SoundFileState.h"
#include "evaluation/ui/IndicatorPanel.h"
#include "evaluation/ui/PaintBox.h"
#include "evaluation/ui/SoundFileChooser.h"
#include "evaluation/ui/SoundFileControls.h"
#include "evaluation/ui/SpectrumButtonPanel.h"
#include "evaluation/ui/TFormSpectrumRT.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QThread>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tiravel {
namespace {

namespace fs = std::filesystem;

// Answers the open dialog with a fixed path, or cancels it.
VoiceSpec voice(double seconds = 2.0)
{
    VoiceSpec spec;
    spec.f0Hz = 220;
    spec.seconds = seconds;
    spec.leadingSilenceSeconds = 0.2;
    spec.jitter = 0.01;
    spec.shimmer = 0.05;
    spec.noiseLevel = 0.01;
    return spec;
}

// The reader starts 10 bytes into the sound data: soundBuffer[1] holds the
// file's sample 5.
constexpr std::size_t kSkippedSamples = 5;

// The 16-bit samples of a canonical WAV file written by the program.
std::vector<std::int16_t> samplesOf(const fs::path& path)
{
    const std::vector<std::uint8_t> bytes = test::readFile(path);
    std::vector<std::int16_t> samples;
    for (std::size_t at = 44; at + 1 < bytes.size(); at += 2)
        samples.push_back(static_cast<std::int16_t>(bytes[at] | bytes[at + 1] << 8));
    return samples;
}

class SpectrumFiles : public testing::Test {
protected:
    explicit SpectrumFiles(Language language = Language::French)
        : program(language)
    {
        window().resize(1280, 860);
        window().UpdateOptions();
        window().FormResize();
        window().setSoundFileChooser(chooser);
    }

    TFormSpectrumRT& window() { return program->spectrumRT(); }
    SoundFileControls& files() { return window().fileControls(); }
    AnalysisState& analysis() { return program.analysis(); }
    std::string title() { return window().windowTitle().toStdString(); }

    fs::path writeVoice(const std::string& name, const VoiceSpec& spec = voice())
    {
        const fs::path path = program.installation.root() / name;
        test::writeFile(path, test::wavBytes(synthesizeVoice(spec)));
        return path;
    }

    void open(const fs::path& path)
    {
        chooser.path = path.string();
        window().sbLoadClick();
    }

    test::FixedSoundChooser chooser;
    test::ProgramUnderTest program;
};

TEST_F(SpectrumFiles, OpenedVoiceGivesTheAnalysersIndicators)
{
    const fs::path path = writeVoice("voice.wav");
    open(path);

    auto headless = std::make_unique<AnalysisState>();
    test::RecordingErrorReporter errors;
    const FileAnalysis expected = analyseSoundFile(*headless, path.string(), false, errors);
    ASSERT_TRUE(expected.loaded);
    const AnalysisState& shown = analysis();
    EXPECT_EQ(shown.energyFrameCount, expected.energyFrameCount);
    EXPECT_EQ(shown.selectionMeanF0, expected.selectionMeanF0);
    EXPECT_EQ(shown.attackAlteration, expected.indicators.attackAlteration);
    EXPECT_EQ(shown.pitchInstability, expected.indicators.pitchInstability);
    EXPECT_EQ(shown.amplitudeInstability, expected.indicators.amplitudeInstability);
    EXPECT_EQ(shown.noiseSignalRatio, expected.indicators.noiseSignalRatio);
    EXPECT_EQ(shown.harmonicPoverty, expected.indicators.harmonicPoverty);
    EXPECT_GT(shown.pitchInstability, 0);

    EXPECT_EQ(program->soundFiles().currentSoundPath, path.string());
    EXPECT_GT(window().currentSoundDate(), 0);
    EXPECT_EQ(files().LabelSoundFile->text().toStdString(), "Fichier son : voice.wav");
    EXPECT_EQ(files().sbPlay->toolTip().toStdString(), "Entendre le fichier de son \"voice.wav\"");
    EXPECT_EQ(title(), "Spectrogramme de Fichier son : voice.wav");
    EXPECT_EQ(window().buttons().LabelDuration->text().toStdString(), "Durée:  2.20 s");
    EXPECT_TRUE(window().selectionEnabled());
    EXPECT_TRUE(files().sbPlus3dB->isEnabled());
    EXPECT_FALSE(window().loadingSound());
}

TEST_F(SpectrumFiles, ReloadCaptionNamesTheSound)
{
    const fs::path path = writeVoice("voice.wav");
    window().DoLoadFile(path.string());
    EXPECT_EQ(title(), "Spectrogramme du son \"voice.wav\"");
}

TEST_F(SpectrumFiles, ProgressBarMovesThroughTheLoadingSteps)
{
    const fs::path path = writeVoice("voice.wav");
    std::vector<int> steps;
    QObject::connect(files().ProgressLoad, &QProgressBar::valueChanged, [&steps](int value) { steps.push_back(value); });
    window().DoLoadFile(path.string());
    EXPECT_EQ(steps, (std::vector<int> {1, 10, 50, 80, 90, 100}));
}

TEST_F(SpectrumFiles, CancelledDialogLoadsNothing)
{
    window().sbLoadClick();
    EXPECT_EQ(chooser.asked, 1);
    EXPECT_TRUE(program->soundFiles().currentSoundPath.empty());
    EXPECT_FALSE(files().sbPlus3dB->isEnabled());
    EXPECT_TRUE(window().screenState().redrawPending);
}

TEST_F(SpectrumFiles, ReadErrorKeepsThePreviousAnalysis)
{
    const fs::path path = writeVoice("voice.wav");
    open(path);
    const std::int32_t frames = analysis().energyFrameCount;
    const double f0 = analysis().frameF0[frames / 2];
    const double pitch = analysis().pitchInstability;

    window().DoLoadFile((program.installation.root() / "missing.wav").string());
    EXPECT_EQ(title(), "Spectre temps réel du son - Erreur -2 lecture \"missing.wav\"");
    EXPECT_EQ(analysis().energyFrameCount, frames);
    EXPECT_EQ(analysis().frameF0[frames / 2], f0);
    EXPECT_EQ(analysis().pitchInstability, pitch);
    EXPECT_EQ(program->soundFiles().currentSoundPath, path.string());
    EXPECT_EQ(files().ProgressLoad->value(), 100);
}

class SpectrumFilesInEnglish : public SpectrumFiles {
protected:
    SpectrumFilesInEnglish() : SpectrumFiles(Language::English) {}
};

TEST_F(SpectrumFilesInEnglish, CaptionsAreTranslated)
{
    window().DoLoadFile((program.installation.root() / "missing.wav").string());
    EXPECT_EQ(title(), "Real time spectrum - Error -2 while reading \"missing.wav\"");
    open(writeVoice("voice.wav"));
    EXPECT_EQ(title(), "Spectrogram of Sound file : voice.wav");
    EXPECT_EQ(files().sbPlay->toolTip().toStdString(), "Hear sound file \"voice.wav\"");
}

TEST_F(SpectrumFiles, FilterRewritesTheFileHighPassedAndReloadsIt)
{
    const fs::path path = writeVoice("voice.wav");
    open(path);
    const std::vector<std::uint8_t> before = test::readFile(path);

    window().sbFilterClick();
    fs::path backup = path;
    backup.replace_extension(".~WA");
    EXPECT_EQ(test::readFile(backup), before);
    const std::vector<std::int16_t> after = samplesOf(path);
    ASSERT_EQ(after.size() - kSkippedSamples, static_cast<std::size_t>(analysis().soundLength));
    EXPECT_NE(test::readFile(path), before);
    // The reloaded sound is the file's new content.
    for (std::size_t k : {1000U, 10000U, 30000U})
        EXPECT_EQ(analysis().soundBuffer[k + 1], after[k + kSkippedSamples] / 500.0) << k;
}

// A constant offset is removed by the high-pass filter.
TEST_F(SpectrumFiles, FilterRemovesAnOffset)
{
    std::vector<std::int16_t> samples = synthesizeVoice(voice());
    for (std::int16_t& s : samples)
        s = static_cast<std::int16_t>(s / 2 + 8000);
    const fs::path path = program.installation.root() / "offset.wav";
    test::writeFile(path, test::wavBytes(samples));
    open(path);
    window().sbFilterClick();
    const std::vector<std::int16_t> after = samplesOf(path);
    double mean = 0;
    for (std::size_t k = after.size() / 2; k < after.size(); ++k)
        mean += after[k];
    mean /= static_cast<double>(after.size() - after.size() / 2);
    EXPECT_LT(std::abs(mean), 200);
}

TEST_F(SpectrumFiles, GainButtonsScaleTheWholeFile)
{
    const struct {
        const char* button;
        double factor;
    } cases[] = {{"+", 1.5}, {"-", 0.66}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        const fs::path path = writeVoice("voice.wav");
        open(path);
        const std::vector<std::int16_t> before = samplesOf(path);
        if (c.factor > 1)
            window().sbPlus3dBClick();
        else
            window().sbMinus3dBClick();
        const std::vector<std::int16_t> after = samplesOf(path);
        // The file holds the loaded samples, the first written as 0.
        ASSERT_EQ(after.size(), before.size() - kSkippedSamples);
        EXPECT_EQ(after[0], 0);
        for (std::size_t k : {5000U, 20000U, 40000U})
            EXPECT_NEAR(after[k], before[k + kSkippedSamples - 1] * c.factor, 1.0) << k;
    }
}

TEST_F(SpectrumFiles, ShortFileIsNeverRewritten)
{
    const fs::path path = writeVoice("short.wav", voice(0.2)); // 8820 samples
    open(path);
    ASSERT_LT(analysis().soundLength, 10000);
    const std::vector<std::uint8_t> before = test::readFile(path);
    window().sbPlus3dBClick();
    window().sbFilterClick();
    EXPECT_EQ(test::readFile(path), before);
    EXPECT_FALSE(fs::exists(fs::path(path).replace_extension(".~WA")));
}

TEST_F(SpectrumFiles, FormantButtonPlaysTheBandItWrote)
{
    open(writeVoice("voixF45.wav"));
    const double loaded = analysis().soundBuffer[20000];
    window().sbHearF1Click();
    ASSERT_EQ(program.soundPlayer.played.size(), 1U);
    const fs::path played = program.soundPlayer.played.back();
    EXPECT_EQ(played.filename(), "filter.wav");
    ASSERT_TRUE(fs::exists(played));
    EXPECT_EQ(static_cast<std::int32_t>(samplesOf(played).size()), analysis().soundLength);
    // The loaded sound itself is unchanged.
    EXPECT_EQ(analysis().soundBuffer[20000], loaded);
}

TEST_F(SpectrumFiles, SpeakerComesFromTheFileName)
{
    const struct {
        const char* name;
        int category;
        int age;
        int tab;
        bool ageButton;
        const char* patientLine;
    } cases[] = {
        {"voixF45.wav", 1, 45, 2, false, "45 ans, femme"},
        {"voixH72.wav", 0, 72, 2, true, "72 ans, homme"},
        {"voice-sans.wav", 3, 0, 0, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        analysis().voiceCategory = 3;
        window().TabIndicators().setCurrentIndex(0);
        window().setPatientAge(0);
        open(writeVoice(c.name));
        EXPECT_EQ(analysis().voiceCategory, c.category);
        EXPECT_EQ(window().screenState().patientAge, c.age);
        EXPECT_EQ(window().TabIndicators().currentIndex(), c.tab);
        EXPECT_EQ(!window().indicatorPanel().sbAge->isHidden(), c.ageButton);
        EXPECT_EQ(files().LabelPatient->text().toStdString(), c.patientLine);
    }
}

TEST_F(SpectrumFiles, SoundKindComesFromTheFileName)
{
    open(writeVoice("patient-a-chant-diado.wav"));
    EXPECT_EQ(program->soundFiles().soundKind, 2);
    open(writeVoice("plain-voice.wav"));
    EXPECT_EQ(program->soundFiles().soundKind, 0);
}

TEST_F(SpectrumFiles, QuietFileIsOfferedAnAmplification)
{
    VoiceSpec quiet = voice();
    quiet.peakAmplitude = 600;
    quiet.noiseLevel = 0;
    open(writeVoice("quiet.wav", quiet));
    QPushButton& equalize = *window().buttons().sbEqualize;
    EXPECT_FALSE(equalize.isHidden());
    EXPECT_TRUE(equalize.text().startsWith(QStringLiteral("Amplifier de ")));
    EXPECT_TRUE(equalize.text().endsWith(QStringLiteral(" dB")));
    EXPECT_EQ(window().equalizeRole(), TFormSpectrumRT::EqualizeRole::Amplify);

    open(writeVoice("loud.wav"));
    EXPECT_TRUE(equalize.isHidden());
}

TEST_F(SpectrumFiles, AmplifyRoleRewritesOnlyInExpertMode)
{
    VoiceSpec quiet = voice();
    quiet.peakAmplitude = 600;
    quiet.noiseLevel = 0;
    const fs::path path = writeVoice("quiet.wav", quiet);
    open(path);
    ASSERT_EQ(window().equalizeRole(), TFormSpectrumRT::EqualizeRole::Amplify);
    const std::vector<std::uint8_t> before = test::readFile(path);
    window().sbEqualizeClick();
    EXPECT_EQ(test::readFile(path), before);

    program.state.expertMode = true;
    const double bandMax = analysis().bandEnergyMax;
    window().sbEqualizeClick();
    EXPECT_NE(test::readFile(path), before);
    EXPECT_GT(analysis().bandEnergyMax, 2 * bandMax);
}

TEST_F(SpectrumFiles, FilterEditSetsTheSearchFloorAndOffersARecompute)
{
    QLineEdit& edit = *window().buttons().EditFilter;
    QPushButton& equalize = *window().buttons().sbEqualize;
    edit.setText(QStringLiteral("120"));
    window().EditFilterChange();
    EXPECT_EQ(analysis().f0MinHz, 120);
    EXPECT_FALSE(equalize.isHidden());
    EXPECT_EQ(equalize.text().toStdString(), "Recalculer les indicateurs");
    EXPECT_TRUE(window().recomputePending());

    edit.setText(QStringLiteral("abc"));
    window().EditFilterChange();
    EXPECT_EQ(analysis().f0MinHz, 120);
    EXPECT_TRUE(equalize.isHidden());
    EXPECT_FALSE(window().recomputePending());
}

TEST_F(SpectrumFiles, HighLowEditSetsTheLimit)
{
    analysis().binWidth = 10.0;
    files().EditHFBF->setText(QStringLiteral("2000"));
    window().EditHFBFChange();
    EXPECT_EQ(analysis().highLimitHz, 2000);
    EXPECT_EQ(analysis().highLimitBin, 200);
    files().EditHFBF->setText(QStringLiteral("20000"));
    window().EditHFBFChange();
    EXPECT_EQ(analysis().highLimitHz, 2000);
}

TEST_F(SpectrumFiles, MicrophoneDisablesTheTunings)
{
    open(writeVoice("voice.wav"));
    ASSERT_TRUE(files().sbFilter->isEnabled());
    window().buttons().sbRecordOn->setChecked(true);
    window().sbRecordOnClick();
    EXPECT_FALSE(files().sbFilter->isEnabled());
    EXPECT_FALSE(files().sbPlus3dB->isEnabled());
    EXPECT_FALSE(files().sbMinus3dB->isEnabled());
}

TEST_F(SpectrumFiles, PlayDrawsAMovingCursorUntilStopped)
{
    const fs::path path = writeVoice("voice.wav");
    open(path);
    window().sbPlayClick();
    ASSERT_EQ(program.soundPlayer.played, (std::vector<std::string> {path.string()}));
    EXPECT_TRUE(window().playingSound());
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 350) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
    const QImage& top = window().PaintEnergyTop().image();
    EXPECT_EQ(top.pixel(1, 2), qRgb(255, 0, 0));
    EXPECT_NE(top.pixel(top.width() - 2, 2), qRgb(255, 0, 0));

    window().sbPlayClick();
    EXPECT_FALSE(window().playingSound());
    EXPECT_EQ(program.soundPlayer.stops, 1);
}

TEST_F(SpectrumFiles, NoFileOrAMissingFilePlaysNothing)
{
    window().sbPlayClick();
    open(writeVoice("voice.wav"));
    fs::remove(program->soundFiles().currentSoundPath);
    window().sbPlayClick();
    EXPECT_TRUE(program.soundPlayer.played.empty());
    EXPECT_FALSE(window().playingSound());
}

TEST_F(SpectrumFiles, LeavingTheScreenSilencesTheSound)
{
    window().sbOkClick();
    EXPECT_EQ(program.soundPlayer.played, (std::vector<std::string> {"silence.WAV"}));
}

TEST_F(SpectrumFiles, RecorderWithoutANewSoundLoadsNothing)
{
    window().sbRecorderClick();
    ASSERT_FALSE(program.presenter.shown.empty());
    EXPECT_EQ(program.presenter.shown.back().name, QStringLiteral("FormRecord"));
    EXPECT_TRUE(program->soundFiles().currentSoundPath.empty());
}

} // namespace
} // namespace tiravel
