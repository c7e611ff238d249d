// The recorder window driven through its own scripted input device: its
// captions, its preparation, recording and the automatic stop, the level
// and its saturation, saving under a suggested name, closing, and capture
// errors.
#include "UiTestSupport.h"

#include "audio/ui/SaveNameDialog.h"
#include "audio/ui/TFormRecord.h"

#include <QApplication>
#include <QDate>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tiravel {
namespace {

constexpr const char* kStepNames[] = {"LabelGiveInstruction", "LabelStartRecord", "LabelStopRecord", "LabelStore",
    "LabelQuit"};

// 1103 samples (one 50 ms buffer) of +raw, -raw, ...
std::vector<std::uint8_t> alternating(std::int16_t raw)
{
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < 1103; ++i) {
        const auto sample = static_cast<std::int16_t>(i % 2 == 0 ? raw : -raw);
        bytes.push_back(static_cast<std::uint8_t>(sample & 0xff));
        bytes.push_back(static_cast<std::uint8_t>((sample >> 8) & 0xff));
    }
    return bytes;
}

// Answers the save question as a test says, remembering what it was offered.
class ScriptedSaveName final : public SaveNameDialog {
public:
    std::optional<std::string> ask(const std::string& suggested) override
    {
        offered.push_back(suggested);
        return answer;
    }
    std::optional<std::string> answer;
    std::vector<std::string> offered;
};

std::string todayInNames()
{
    return QLocale().toString(QDate::currentDate(), QLocale::ShortFormat).replace('/', '-').toStdString();
}

class RecorderWindow : public testing::Test {
protected:
    explicit RecorderWindow(Language language = Language::French)
        : program(language)
    {
        record().setSaveNameDialog(saveName);
        record().show();
    }

    TFormRecord& record() { return program->record(); }
    ScriptedAudioInputDevice& device() { return program.recorderInput; }
    template <typename Widget = QLabel>
    Widget& control(const char* name)
    {
        auto* widget = record().findChild<Widget*>(QString::fromLatin1(name));
        if (widget == nullptr)
            throw std::logic_error(name);
        return *widget;
    }
    QString text(const char* name) { return control(name).text(); }
    bool shown(const char* name) { return !control(name).isHidden(); }
    QPushButton& button(const char* name) { return control<QPushButton>(name); }
    int boldStep()
    {
        int bold = 0;
        for (int i = 0; i < 5; ++i)
            bold = control(kStepNames[i]).font().bold() ? bold * 10 + i + 1 : bold;
        return bold;
    }

    // The menu's preparation, with the device opened.
    void open()
    {
        record().UpdateOptions();
        device().pumpNotifications();
    }
    void feed(const std::vector<std::uint8_t>& bytes)
    {
        ASSERT_TRUE(device().pushData(bytes));
        device().pumpNotifications();
    }
    // Opens, records count buffers and stops with the record button.
    void recordBuffers(int count, std::int16_t raw = 1000)
    {
        open();
        button("sbRecord").click();
        for (int b = 0; b < count; ++b)
            feed(alternating(raw));
        button("sbRecord").click();
        device().pumpNotifications();
    }
    std::vector<QString> messageBoxes() const
    {
        std::vector<QString> boxes;
        for (const auto& shown : program.presenter.shown) {
            if (shown.name == "QMessageBox")
                boxes.push_back(shown.caption + " | " + shown.line1);
        }
        return boxes;
    }

    test::ProgramUnderTest program;
    ScriptedSaveName saveName;
};

struct CaptionCase {
    Language language;
    const char* caption;
    const char* frequency;
    const char* duration;
    const char* level;
    const char* strong;
    const char* step1;
    const char* step2;
    const char* step4;
    const char* step5;
    const char* last;
};

class RecorderCaptions : public testing::TestWithParam<CaptionCase> {};

TEST_P(RecorderCaptions, AreThoseOfTheLanguage)
{
    const CaptionCase& c = GetParam();
    test::ProgramUnderTest program(c.language);
    const TFormRecord& record = program->record();
    const auto label = [&record](const char* name) { return record.findChild<QLabel*>(name)->text(); };
    EXPECT_EQ(record.windowTitle(), QString::fromUtf8(c.caption));
    EXPECT_EQ(label("LabelFreq"), QString::fromUtf8(c.frequency));
    EXPECT_EQ(label("LabelDuration"), QString::fromUtf8(c.duration));
    EXPECT_EQ(record.findChild<QGroupBox*>("GroupLevel")->title(), QString::fromUtf8(c.level));
    EXPECT_EQ(label("LabelStrong"), QString::fromUtf8(c.strong));
    EXPECT_EQ(label("LabelGiveInstruction"), QString::fromUtf8(c.step1));
    EXPECT_EQ(label("LabelStartRecord"), QString::fromUtf8(c.step2));
    EXPECT_EQ(label("LabelStore"), QString::fromUtf8(c.step4));
    EXPECT_EQ(label("LabelQuit"), QString::fromUtf8(c.step5));
    EXPECT_EQ(label("LabelLast"), QString::fromUtf8(c.last));
}

INSTANTIATE_TEST_SUITE_P(Languages, RecorderCaptions,
    testing::Values(
        CaptionCase{Language::French, "Enregistrer un son", "Fréquence d'échantillonnage 22050 , résolution 16 bit, mono",
            "Temps maximum d'enregistrement: 20 secondes", "Niveau", "Fort", "1. Donner la consigne",
            "2. Cliquer l'icône microphone pour démarrer l'enregistrement",
            "4. Cliquer l'icône clé USB pour sauvegarder l'enregistrement", "5. Cliquer l'icône quitter",
            "Dernier son enregistré: "},
        CaptionCase{Language::English, "Record a sound", "Sampling Frequency 22050 Hz,  16 bit resolution, mono",
            "Maximum record length : 20 seconds", "Level", "Strong", "1. Give instructions",
            "2. Click the microphone to start recording", "4. Click the USB key icon to save the sound", "5. Quit",
            "Last sound recorded:"},
        CaptionCase{Language::Spanish, "Grabar un sonido", "Frecuencia de muestreo :22050 Hz,  resolución :16 bit , mono",
            "Longitud máxima de registro : 20 segundos", "Nivel", "Alto", "1. Dar instrucciones",
            "2. Pulse el icono micrófono para iniciar la grabación",
            "4. Clic en el icono de la llave USB para guardar el sonido", "5. Salir", "Última sonido grabado:"}));

TEST_F(RecorderWindow, OpeningMonitorsTheLevelWithItsOwnDeviceAtStepTwo)
{
    recordBuffers(3);
    open();
    EXPECT_EQ(std::filesystem::current_path(), program.installation.root() / "div_tiravel");
    EXPECT_TRUE(record().recorder().Active());
    EXPECT_TRUE(device().isCapturing());
    EXPECT_EQ(device().openFormat().samplesPerSec, 22050u);
    EXPECT_FALSE(program.audioInput.isOpen());
    EXPECT_TRUE(record().session().nothingRecordedYet());
    EXPECT_EQ(record().session().lastSoundName(), "inconnu.wav");
    EXPECT_FALSE(button("sbRecord").isChecked());
    EXPECT_EQ(boldStep(), 2);
    EXPECT_FALSE(shown("LabelRecorded"));
    EXPECT_EQ(control<QProgressBar>("ProgressRecord").value(), 0);
    EXPECT_EQ(control<QProgressBar>("ProgressLevel").value(), 0);
}

TEST_F(RecorderWindow, OneBufferRecordsATenthOfASecond)
{
    open();
    button("sbRecord").click();
    EXPECT_EQ(boldStep(), 3);
    feed(alternating(1000));
    button("sbRecord").click();
    EXPECT_EQ(program.analysis().soundLength, 1103);
    EXPECT_TRUE(shown("LabelRecorded"));
    EXPECT_EQ(text("LabelRecorded"), QString::fromUtf8("Durée de l'enregistrement : 0.1 secondes"));
    EXPECT_EQ(boldStep(), 4);
    EXPECT_FALSE(device().isCapturing());
    EXPECT_FALSE(record().session().nothingRecordedYet());
    // The energy table of the recording: one frame every 10 samples.
    EXPECT_EQ(program.analysis().energyFrameCount, 110);
}

// Monitoring buffers after a recording began never touch it.
TEST_F(RecorderWindow, MonitoringLeavesTheRecordingLength)
{
    program.analysis().soundLength = 4321;
    program.analysis().soundBuffer[1028] = -7.0;
    open();
    for (int b = 0; b < 12; ++b)
        feed(alternating(500));
    EXPECT_EQ(program.analysis().soundLength, 4321);
    EXPECT_DOUBLE_EQ(program.analysis().soundBuffer[1027], -10.0);
    EXPECT_DOUBLE_EQ(program.analysis().soundBuffer[1028], -7.0);
}

struct SaturationCase {
    std::int16_t raw;  // variance (raw / 50)^2
    int level;
    bool saturated;
};

class RecorderSaturation : public RecorderWindow, public testing::WithParamInterface<SaturationCase> {};

// Shown on the 10th buffer: 1256 gives 20 log10(631.0) = 56.0, 1185 gives
// 54.99; 5 gives -10, below the bar.
TEST_P(RecorderSaturation, IsShownAboveLevel85)
{
    open();
    for (int b = 0; b < 9; ++b)
        feed(alternating(GetParam().raw));
    EXPECT_EQ(control<QProgressBar>("ProgressLevel").value(), 0);
    feed(alternating(GetParam().raw));
    EXPECT_EQ(control<QProgressBar>("ProgressLevel").value(), GetParam().level);
    EXPECT_EQ(shown("LabelSaturation"), GetParam().saturated);
}

INSTANTIATE_TEST_SUITE_P(Levels, RecorderSaturation,
    testing::Values(SaturationCase{1256, 86, true}, SaturationCase{1185, 85, false}, SaturationCase{5, 0, false}));

TEST_F(RecorderWindow, StopsByItselfBeforeTheBufferOverflows)
{
    open();
    button("sbRecord").click();
    for (int b = 0; b < 451; ++b)
        feed(alternating(1000));
    EXPECT_TRUE(button("sbRecord").isChecked());
    EXPECT_EQ(control<QProgressBar>("ProgressRecord").value(), 99);
    feed(alternating(1000));
    EXPECT_FALSE(button("sbRecord").isChecked());
    EXPECT_FALSE(device().isCapturing());
    EXPECT_EQ(program.analysis().soundLength, 451 * 1103);
    EXPECT_EQ(text("LabelRecorded"), QString::fromUtf8("Durée de l'enregistrement :22.6 secondes"));
    EXPECT_EQ(boldStep(), 4);
    device().pumpNotifications();
    EXPECT_FALSE(device().isOpen());
    EXPECT_DOUBLE_EQ(program.analysis().soundBuffer[0], 20.0);
}

TEST_F(RecorderWindow, SaveBeforeAnyRecordingStartsOne)
{
    open();
    button("sbSave").click();
    EXPECT_TRUE(button("sbRecord").isChecked());
    EXPECT_TRUE(record().session().recording());
    EXPECT_EQ(boldStep(), 3);
    EXPECT_TRUE(record().isVisible());
    EXPECT_TRUE(saveName.offered.empty());
    feed(alternating(1000));
    EXPECT_EQ(program.analysis().soundLength, 1103);
}

TEST_F(RecorderWindow, SavesUnderTheNameChosenFromTheSuggestion)
{
    program.analysis().toolMode = 1;
    recordBuffers(1);
    saveName.answer = (program.installation.root() / "essai.wav").string();
    button("sbSave").click();
    ASSERT_EQ(saveName.offered, std::vector<std::string>{"nouveau_" + todayInNames() + "_1.wav"});
    const auto file = program.installation.root() / "essai.WAV";
    ASSERT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(std::filesystem::file_size(file), 44u + 2 * 1103);
    EXPECT_EQ(test::readFile(file)[44], 0);
    EXPECT_EQ(record().session().lastSoundName(), file.string());
    EXPECT_EQ(text("LabelLast"),
        QString::fromStdString("Dernier enregistrement : \"" + file.string() + " (551 échantillons)"));
    EXPECT_EQ(boldStep(), 5);
    EXPECT_FALSE(record().isVisible());
    EXPECT_EQ(program.analysis().toolMode, 0);
}

TEST_F(RecorderWindow, SuggestionsNameThePatientAndCountEverySave)
{
    recordBuffers(1);
    button("sbSave").click();
    program.state.currentPatientName = "Martin";
    record().show();
    recordBuffers(1);
    button("sbSave").click();
    EXPECT_EQ(saveName.offered, (std::vector<std::string>{"nouveau_" + todayInNames() + "_1.wav",
                                    "Martin_" + todayInNames() + "_2.wav"}));
}

TEST_F(RecorderWindow, CancellingTheSaveStillCloses)
{
    recordBuffers(1);
    button("sbSave").click();
    EXPECT_EQ(saveName.offered.size(), 1u);
    EXPECT_FALSE(record().isVisible());
    EXPECT_EQ(record().session().lastSoundName(), "inconnu.wav");
    EXPECT_EQ(record().session().saveCounter(), 1);
    EXPECT_EQ(program.analysis().soundLength, 1103);
}

// Saving while recording stops the recording first.
TEST_F(RecorderWindow, SaveDuringARecordingStopsItThenSaves)
{
    open();
    button("sbRecord").click();
    feed(alternating(1000));
    feed(alternating(1000));
    saveName.answer = (program.installation.root() / "deux").string();
    button("sbSave").click();
    EXPECT_FALSE(device().isCapturing());
    EXPECT_EQ(text("LabelRecorded"), QString::fromUtf8("Durée de l'enregistrement : 0.1 secondes"));
    EXPECT_EQ(std::filesystem::file_size(program.installation.root() / "deux.WAV"), 44u + 4 * 1103);
}

TEST(RecorderSaveDialog, IsAFileDialogShownByThePresenter)
{
    test::ProgramUnderTest plain;
    TFormRecord& record = plain->record();
    record.UpdateOptions();
    plain.recorderInput.pumpNotifications();
    record.sbRecordClick(); // not down: a stop, as after an empty recording
    record.sbSaveClick();
    ASSERT_EQ(plain.shownNames(), std::vector<QString>{"OpenSave"});
    EXPECT_EQ(plain.presenter.shown[0].caption, "Sauvegarder le son");
}

struct FailedSaveCase {
    Language language;
    const char* shown;
};

class RecorderFailedSave : public RecorderWindow, public testing::WithParamInterface<FailedSaveCase> {
protected:
    RecorderFailedSave()
        : RecorderWindow(GetParam().language)
    {
    }
};

TEST_P(RecorderFailedSave, SaysSoInTheLanguageAndKeepsTheRecording)
{
    recordBuffers(1);
    const double sample = program.analysis().soundBuffer[5];
    saveName.answer = (program.installation.root() / "missing" / "essai.wav").string();
    button("sbSave").click();
    EXPECT_EQ(messageBoxes(), std::vector<QString>{QString::fromUtf8(GetParam().shown)});
    EXPECT_EQ(program.analysis().soundLength, 1103);
    EXPECT_DOUBLE_EQ(program.analysis().soundBuffer[5], sample);
    EXPECT_FALSE(record().isVisible());
}

INSTANTIATE_TEST_SUITE_P(Languages, RecorderFailedSave,
    testing::Values(FailedSaveCase{Language::French, "Erreur | Un problème est survenu lors de la sauvegarde du fichier WAV"},
        FailedSaveCase{Language::English, "Error | An error occured when saving WAV file"},
        FailedSaveCase{Language::Spanish, "Error | Se produjo un error al guardar el archivo WAV"}));

// However it closes, the recorder stops and no tool takes live input.
TEST_F(RecorderWindow, ClosingByAnyMeansStopsTheRecorder)
{
    const std::vector<std::function<void()>> closers = {
        [this] { button("sbClose").click(); },
        [this] {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(&record(), &escape);
        },
        [this] { record().close(); },
    };
    for (std::size_t i = 0; i < closers.size(); ++i) {
        record().show();
        program.analysis().toolMode = 8;
        open();
        button("sbRecord").click();
        feed(alternating(1000));
        closers[i]();
        EXPECT_FALSE(record().isVisible()) << i;
        EXPECT_FALSE(device().isCapturing()) << i;
        EXPECT_FALSE(button("sbRecord").isChecked()) << i;
        EXPECT_EQ(program.analysis().toolMode, 0) << i;
        EXPECT_EQ(program.analysis().soundLength, 1103) << i;
        device().pumpNotifications();
    }
}

TEST_F(RecorderWindow, AnyKeyShowsTheLastSound)
{
    EXPECT_FALSE(shown("LabelLast"));
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(&record(), &key);
    EXPECT_TRUE(shown("LabelLast"));
    EXPECT_TRUE(record().isVisible());
}

TEST_F(RecorderWindow, ACaptureErrorGoesToTheErrorWindow)
{
    device().failNext(ScriptedAudioInputDevice::Call::Open, kDeviceFailed);
    open();
    ASSERT_EQ(program.shownNames(), std::vector<QString>{"FormError"});
    EXPECT_EQ(program.presenter.shown[0].line1, QString::fromUtf8(defaultDeviceErrorText(kDeviceFailed)));
    EXPECT_EQ(program.presenter.shown[0].line2, QString::fromUtf8("Entrée audio"));
    EXPECT_FALSE(record().recorder().Active());
}

TEST_F(RecorderWindow, ALostDeviceDuringARecordingKeepsWhatWasRecorded)
{
    open();
    button("sbRecord").click();
    feed(alternating(1000));
    device().loseDevice();
    device().pumpNotifications();
    ASSERT_EQ(program.shownNames(), std::vector<QString>{"FormError"});
    EXPECT_EQ(program.presenter.shown[0].line1, QString::fromUtf8(defaultDeviceErrorText(kDeviceLost)));
    button("sbRecord").click();
    device().pumpNotifications();
    EXPECT_EQ(program.analysis().soundLength, 1103);
    EXPECT_EQ(boldStep(), 4);
    // The next opening captures again.
    open();
    EXPECT_TRUE(device().isCapturing());
}

} // namespace
} // namespace tiravel
