// The results of the spectrum screen: the patient button's pictures and
// report lines, the expert dumps and the mail of the spectrogram.
#include "UiTestSupport.h"

#include "audio/SyntheticVoice.h"
#include "evaluation/SoundFileState.h"
#include "evaluation/ui/IndicatorPanel.h"
#include "evaluation/ui/PaintBox.h"
#include "evaluation/ui/SoundFileChooser.h"
#include "evaluation/ui/SpectrumButtonPanel.h"
#include "evaluation/ui/TFormSpectrumRT.h"
#include "patient/PatientSummary.h"
#include "patient/ui/TFormPatient.h"
#include "platform/MailClient.h"
#include "shell/DataFolders.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace tiravel {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSoundName = "patient_apres_a-chant.wav";

// Remembers the mail instead of sending it.
class ScriptedMailClient final : public MailClient {
public:
    MailResult send(const MailServer& server, const MailMessage& message) override
    {
        servers.push_back(server);
        messages.push_back(message);
        return {true, {}};
    }
    std::vector<MailServer> servers;
    std::vector<MailMessage> messages;
};

std::vector<std::string> linesOf(const QPlainTextEdit& memo)
{
    std::vector<std::string> lines;
    for (const QString& line : memo.toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        lines.push_back(line.toStdString());
    return lines;
}

std::string textOf(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class SpectrumResults : public testing::Test {
protected:
    explicit SpectrumResults(bool expert = false, Language language = Language::French)
        : program(language)
    {
        program.state.expertMode = expert;
        window().resize(1280, 860);
        window().UpdateOptions();
        window().FormResize();
        window().setSoundFileChooser(chooser);
        window().setMailClient(mail);
        summaryName().setText(QStringLiteral("Bilan"));
        fs::create_directories(folder);
        VoiceSpec sound;
        sound.f0Hz = 220;
        sound.seconds = 1.0;
        test::writeFile(folder / kSoundName, test::wavBytes(synthesizeVoice(sound)));
    }

    TFormSpectrumRT& window() { return program->spectrumRT(); }
    SpectrumButtonPanel& buttons() { return window().buttons(); }
    QPlainTextEdit& memo() { return *window().indicatorPanel().MemoExpert; }
    QLineEdit& summaryName() { return *program->patient().findChild<QLineEdit*>(QStringLiteral("EditSummaryName")); }
    fs::path patients() { return program->folders().patientsFolder(); }

    void loadSound()
    {
        chooser.path = (folder / kSoundName).string();
        window().sbLoadClick();
        ASSERT_EQ(program->soundFiles().currentSoundPath, (folder / kSoundName).string());
    }

    // The report lines from the first one that starts with first.
    std::vector<std::string> reportFrom(const std::string& first)
    {
        const auto* report = program->patient().findChild<QTextEdit*>(QStringLiteral("RichEdit"));
        std::vector<std::string> lines;
        for (int i = 0; report != nullptr && i < report->document()->blockCount(); ++i) {
            std::string line = program->patient().patientLine(i);
            if (!lines.empty() || line.starts_with(first))
                lines.push_back(std::move(line));
        }
        return lines;
    }

    void setIndicators()
    {
        AnalysisState& a = program.analysis();
        a.attackAlteration = 0.5;
        a.pitchInstability = 1.25;
        a.amplitudeInstability = 2;
        a.noiseSignalRatio = 0.125;
        a.harmonicPoverty = 10;
    }

    test::ProgramUnderTest program;
    fs::path folder = program.installation.root() / "voices";
    test::FixedSoundChooser chooser;
    ScriptedMailClient mail;
};

class ExpertResults : public SpectrumResults {
protected:
    ExpertResults() : SpectrumResults(true) {}
};

TEST_F(SpectrumResults, PatientButtonAppendsTheBlockAndSavesBothPictures)
{
    loadSound();
    setIndicators();
    window().sbPatientClick();

    const std::string folderLine = "Répertoire de travail: " + patients().string();
    const std::string paste = "Ouvrir un éditeur de texte et taper CTRL+V pour coller l'image";
    const std::vector<std::string> lines = reportFrom("Spectre sauvegardé");
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[0], "Spectre sauvegardé dans \"image-Spectre-Bilan--1.bmp\"");
    EXPECT_EQ(lines[1], folderLine);
    EXPECT_EQ(lines[2], paste);
    EXPECT_EQ(lines[3], "Puissance sauvegardé dans \"image-Puissance-Bilan--2.bmp\"");
    EXPECT_EQ(lines[4], folderLine);
    EXPECT_EQ(lines[5], paste);
    EXPECT_EQ(lines[6], "Calcul des indicateurs qualité de voix du fichier : \"patient_apres_a-chant.wav\"");
    EXPECT_TRUE(lines[7].starts_with("Date d'enregistrement du fichier : ")) << lines[7];
    EXPECT_GT(lines[7].size(), std::string("Date d'enregistrement du fichier : ").size());
    EXPECT_EQ(lines[8], " 1) Altération attaque: 0.50");
    EXPECT_EQ(lines[9], " 2) Instabilité hauteur: 1.25");
    EXPECT_EQ(lines[10], " 3) Instabilité amplitude: 2.00");
    EXPECT_EQ(lines[11], " 4) Rapport signal/bruit: 0.12");
    EXPECT_EQ(lines[12], " 5) Pauvreté harmonique: 10.00");

    const fs::path spectrum = patients() / "image-Spectre-Bilan--1.bmp";
    const fs::path power = patients() / "image-Puissance-Bilan--2.bmp";
    EXPECT_EQ(program.state.pictures.spectrogram, spectrum.string());
    EXPECT_EQ(program.state.pictures.power, power.string());
    EXPECT_EQ(program.state.imageCounter, 2);
    for (const fs::path& picture : {spectrum, power}) {
        const std::vector<std::uint8_t> bytes = test::readFile(picture);
        ASSERT_GT(bytes.size(), 2u) << picture;
        EXPECT_EQ(bytes[0], 'B');
        EXPECT_EQ(bytes[1], 'M');
    }
    EXPECT_EQ(QImage(QString::fromStdString(spectrum.string())).size(), window().PaintEnergyTop().image().size());
    EXPECT_FALSE(QGuiApplication::clipboard()->image().isNull());
    ASSERT_FALSE(program.presenter.shown.empty());
    EXPECT_EQ(program.presenter.shown.back().name, QStringLiteral("FormPatient"));
    EXPECT_TRUE(window().screenState().redrawPending);
}

// The block reads back into the patient summary as the record's own lines
// do: the indicators the reading rules know, the after recording, and both
// pictures on the summary page.
TEST_F(SpectrumResults, SavedBlockIsReadBackByThePatientWindow)
{
    loadSound();
    setIndicators();
    window().sbPatientClick();
    TFormPatient& patient = program->patient();
    patient.UpdateSummaryFromPatientFile();
    const PatientSummary& summary = patient.summary();
    EXPECT_EQ(summary.attackAlteration, "0.50");
    EXPECT_EQ(summary.pitchInstability, "1.25");
    EXPECT_EQ(summary.amplitudeInstability, ""); // the French amplitude line matches no reading rule
    EXPECT_EQ(summary.noiseSignal, "0.12");
    EXPECT_EQ(summary.harmonicPoverty, "10.00");
    const auto* after = patient.findChild<QLabel*>("LabelFileApres");
    ASSERT_NE(after, nullptr);
    EXPECT_TRUE(after->text().startsWith("patient_apres_a-chant.wav (")) << after->text().toStdString();
    for (const char* name : {"ImageSpectrum", "ImagePower"}) {
        const auto* image = patient.findChild<QLabel*>(name);
        ASSERT_NE(image, nullptr);
        EXPECT_FALSE(image->pixmap().isNull()) << name;
    }
    EXPECT_TRUE(patient.findChild<QLabel*>("ImageRange")->pixmap().isNull());
}

TEST_F(SpectrumResults, WithoutASoundTheBlockHasNoFileAndTodaysDate)
{
    window().sbPatientClick();
    const std::vector<std::string> lines = reportFrom("Calcul des indicateurs");
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "Calcul des indicateurs qualité de voix :");
    EXPECT_TRUE(lines[1].starts_with("Date du calcul: ")) << lines[1];
}

// A picture that cannot be written is shown to the user and leaves the
// report and the saved paths as they were.
TEST_F(SpectrumResults, PictureThatCannotBeSavedIsReported)
{
    program.state.pictures.spectrogram = "previous.bmp";
    fs::remove_all(patients());
    test::writeFile(patients(), std::vector<std::uint8_t> {'x'}); // a file where the folder should be
    window().sbPatientClick();
    EXPECT_TRUE(reportFrom("Spectre sauvegardé").empty());
    EXPECT_EQ(program.state.pictures.spectrogram, "previous.bmp");
    bool reported = false;
    for (const auto& shown : program.presenter.shown)
        reported = reported || shown.line1.startsWith(QStringLiteral("Impossible de créer le fichier"));
    EXPECT_TRUE(reported);
}

TEST_F(SpectrumResults, ExpertControlsAreHidden)
{
    EXPECT_FALSE(buttons().sbPatient->isHidden());
    for (QWidget* control : std::initializer_list<QWidget*> {buttons().sbDumpFFT, buttons().sbDumpF0,
             buttons().sbEmail, buttons().EditEmail})
        EXPECT_TRUE(control->isHidden()) << control->objectName().toStdString();
    loadSound();
    window().sbDumpClick();
    window().sbDumpF0Click();
    EXPECT_FALSE(fs::exists(fs::current_path() / "dump_fft.txt"));
    EXPECT_FALSE(fs::exists(fs::current_path() / "patien_dump_f0.txt"));
}

TEST_F(ExpertResults, PictureCarriesTheDateStamp)
{
    loadSound();
    window().sbPatientClick();
    const std::vector<std::string> lines = reportFrom("Spectre sauvegardé");
    ASSERT_FALSE(lines.empty());
    const std::string& saved = lines[0];
    EXPECT_TRUE(saved.starts_with("Spectre sauvegardé dans \"image-Spectre-Bilan-")) << saved;
    EXPECT_TRUE(saved.ends_with("-1.bmp\"")) << saved;
    EXPECT_EQ(saved.find("Bilan--"), std::string::npos) << "the stamp is missing: " << saved;
    const QImage picture(QString::fromStdString(program.state.pictures.spectrogram));
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.pixelColor(25, 35), QColor(Qt::blue));
}

TEST_F(ExpertResults, DumpsAreWrittenInTheCurrentFolder)
{
    loadSound();
    window().sbDumpClick();
    window().sbDumpF0Click();
    const std::string fft = textOf(fs::current_path() / "dump_fft.txt");
    const std::string f0 = textOf(fs::current_path() / "patien_dump_f0.txt");
    EXPECT_TRUE(fft.starts_with("Index\tTime(s)\tFreq(Hz)\tEnergy(dB)\r\n"));
    EXPECT_TRUE(f0.starts_with("Time(s)\tF0(Hz)\tPower(dB)\r\n"));
    EXPECT_EQ(linesOf(memo()), (std::vector<std::string> {"Read patient_apres_a-chant.wav",
                                   "Dump instant FFT in \"dump_fft.txt\"", "Dump F0 in \"patien_dump_f0.txt\""}));
}

TEST_F(ExpertResults, MailWithoutASoundSaysSo)
{
    buttons().EditEmail->setText(QStringLiteral("patient@example.org"));
    window().sbEmailClick();
    EXPECT_EQ(linesOf(memo()), std::vector<std::string> {"No WAV file loaded"});
    EXPECT_TRUE(mail.messages.empty());
}

TEST_F(ExpertResults, MailWithoutSettingsSaysWhichLinesToAdd)
{
    loadSound();
    buttons().EditEmail->setText(QStringLiteral("patient@example.org"));
    window().sbEmailClick();
    EXPECT_EQ(linesOf(memo()).back(), "Mail settings missing in tiravel4.ini");
    ASSERT_FALSE(program.presenter.shown.empty());
    EXPECT_TRUE(program.presenter.shown.back().line1.contains(QStringLiteral("mail-server")));
    EXPECT_TRUE(mail.messages.empty());
}

TEST_F(ExpertResults, MailSendsTheSavedSpectrogram)
{
    program.installation.writeSettings({"TIRAVEL 4", "http://www.example.org/", "1.0", "FR",
        "mail-server = smtp.example.org", "mail-sender = cabinet@example.org", "mail-signature = Dr Dupont"});
    loadSound();
    buttons().EditEmail->setText(QStringLiteral("patient@example.org"));
    window().sbEmailClick();
    ASSERT_EQ(mail.messages.size(), 1u);
    EXPECT_EQ(mail.servers[0].host, "smtp.example.org");
    EXPECT_EQ(mail.servers[0].port, 25);
    EXPECT_EQ(mail.messages[0].to, std::vector<std::string> {"patient@example.org"});
    EXPECT_EQ(mail.messages[0].attachmentPath, program.state.pictures.spectrogram);
    EXPECT_TRUE(fs::exists(mail.messages[0].attachmentPath));
    EXPECT_TRUE(fs::path(mail.messages[0].attachmentPath).filename().string().starts_with("image-Spectrogramme-Bilan-"));
    EXPECT_TRUE(mail.messages[0].body.ends_with("Bien cordialement. Dr Dupont"));
    EXPECT_EQ(linesOf(memo()), (std::vector<std::string> {"Read patient_apres_a-chant.wav", "Generate bitmap",
                                   "Connect to smtp.example.org", "Message sent to :", "patient@example.org"}));
}

// The new controls fit the panel at the design size, in every language.
class ResultsLayout : public testing::TestWithParam<Language> {};

TEST_P(ResultsLayout, ControlsFitWithoutElision)
{
    test::ProgramUnderTest program(GetParam());
    program.state.expertMode = true;
    TFormSpectrumRT& window = program->spectrumRT();
    window.resize(1280, 860);
    window.UpdateOptions();
    window.FormResize();
    SpectrumButtonPanel& b = window.buttons();
    b.layout()->activate();
    for (QWidget* control : std::initializer_list<QWidget*> {b.sbPatient, b.sbDumpFFT, b.sbDumpF0, b.sbEmail,
             b.EditEmail}) {
        SCOPED_TRACE(control->objectName().toStdString());
        EXPECT_GE(control->width(), control->sizeHint().width());
        EXPECT_LE(control->geometry().right(), b.width());
        EXPECT_LE(control->geometry().bottom(), b.height());
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, ResultsLayout,
    testing::Values(Language::French, Language::English, Language::Spanish));

} // namespace
} // namespace tiravel
