// Start-up: the windows created once and in order, the settings and
// reference files read by the start window, and a missing data folder.
#include "UiTestSupport.h"

#include "shell/DataFolders.h"
#include "shell/ui/TFormError.h"
#include "shell/ui/TFormEvaluation.h"
#include "shell/ui/TFormStart.h"
#include "shell/ui/TiravelWindow.h"
#include "media/ui/TFormMedia.h"
#include "shell/ui/MenuPicture.h"

#include <QLabel>

#include <gtest/gtest.h>

#include <set>

namespace tiravel {
namespace {

using test::ProgramUnderTest;

TEST(Startup, CreatesTheTwentyOneWindowsOnceInOrder)
{
    ProgramUnderTest program;
    const std::vector<QString> expected = {"FormStart", "FormError", "FormRecord", "FormFFT", "FormHauteurTonale",
        "FormArticulation", "FormSpectrumRT", "FormAbout", "FormEvaluation", "FormReeducation", "FormSouffle",
        "FormMedia", "FormVideos", "FormSoundBiblio", "FormPatient", "FormTimbre", "FormTPM", "FormProfil",
        "FormReperes", "Form3Choice", "FormVideoOK"};
    std::vector<QString> names;
    std::set<const TiravelWindow*> distinct;
    for (const TiravelWindow* window : program->windows()) {
        names.push_back(window->objectName());
        distinct.insert(window);
    }
    EXPECT_EQ(names, expected);
    EXPECT_EQ(distinct.size(), expected.size());
    EXPECT_EQ(program->windows().front(), static_cast<TiravelWindow*>(&program->start()));
}

struct CaptionCase {
    Language language;
    QString start;
    QString error;
    QString evaluation;
    QString media;
};

class StartupCaptions : public testing::TestWithParam<CaptionCase> {};

// Every window carries a caption of the start language; the shell windows
// carry the designed ones.
TEST_P(StartupCaptions, EveryWindowHasACaptionInTheStartLanguage)
{
    const CaptionCase& c = GetParam();
    ProgramUnderTest program(c.language);
    for (const TiravelWindow* window : program->windows())
        EXPECT_FALSE(window->windowTitle().trimmed().isEmpty()) << window->objectName().toStdString();
    EXPECT_EQ(program->start().windowTitle(), c.start);
    EXPECT_EQ(program->error().windowTitle(), c.error);
    EXPECT_EQ(program->evaluation().windowTitle(), c.evaluation);
    EXPECT_EQ(program->media().windowTitle(), c.media);
}

INSTANTIATE_TEST_SUITE_P(Languages, StartupCaptions,
    testing::Values(CaptionCase{Language::French, "Bienvenue dans TIRAVEL 4", "Message d'erreur de TIRAVEL",
                        "TIRAVEL - Evaluation", QString::fromUtf8("TIRAVEL - Médiathèque")},
        CaptionCase{Language::English, "Main menu of TIRAVEL", "Error message from TIRAVEL", "TIRAVEL - Evaluation",
            "TIRAVEL - Media Library"},
        CaptionCase{Language::Spanish, QString::fromUtf8("TIRAVEL Menú Principal"), "Error TIRAVEL",
            QString::fromUtf8("TIRAVEL - Evaluación"), "TIRAVEL - Mediateca"}));

// A window left with its French caption in English is a forgotten text.
TEST(Startup, EveryCaptionButTheEvaluationMenuChangesWithTheLanguage)
{
    ProgramUnderTest french;
    std::vector<QString> frenchCaptions;
    for (const TiravelWindow* window : french->windows())
        frenchCaptions.push_back(window->windowTitle());
    ProgramUnderTest english(Language::English);
    int differing = 0;
    for (std::size_t i = 0; i < english->windows().size(); ++i)
        differing += english->windows()[i]->windowTitle() != frenchCaptions[i] ? 1 : 0;
    // Only the evaluation menu has the same caption in both languages.
    EXPECT_EQ(differing, 20);
}

TEST(Startup, ReadsTheSettingsAndSetsTheStartValues)
{
    test::Installation installation;
    installation.makeCompleteDataFolder();
    installation.writeSettings({"free line", "http://voice.example.org/db", "+2.5", "english please"});
    test::RecordingPresenter presenter;
    test::RecordingShell shell;
    ScriptedAudioInputDevice audioInput;
    ProgramState state;
    state.analysis().soundLength = 1234;
    state.analysis().energyFrameCount = 77;
    Program program(state, presenter, shell, audioInput);
    program.createWindows();

    EXPECT_TRUE(state.languageEnglish);
    EXPECT_FALSE(state.languageSpanish);
    EXPECT_EQ(state.webPageUrl, "http://voice.example.org/db");
    EXPECT_DOUBLE_EQ(state.analysis().calibration, 2.5);
    EXPECT_EQ(state.installDir, installation.root());
    EXPECT_EQ(program.folders().installDir(), installation.root());
    EXPECT_EQ(state.referenceFiles.voiceDisorders.count(), 2u);
    EXPECT_TRUE(state.referenceFiles.videoListMissing);
    EXPECT_EQ(state.analysis().soundLength, 0);
    EXPECT_EQ(state.analysis().energyFrameCount, 1);
    EXPECT_EQ(state.spectrumView.frequencyCaption, "Frequency");
    EXPECT_EQ(state.spectrumView.displayMaxHz, 5000);
    EXPECT_EQ(state.spectrumView.selectionStart, -1);
    EXPECT_EQ(state.analysis().sampleRate, 22050);
    EXPECT_DOUBLE_EQ(state.analysis().binWidth, 22050.0 / 1024);
    EXPECT_EQ(program.start().findChild<QLabel*>("LabelVersion")->text(), "TIRAVEL 4");
    EXPECT_EQ(program.start().optionsUpdateCount(), 1);
    EXPECT_FALSE(state.expertMode);
    EXPECT_TRUE(presenter.shown.empty());
}

TEST(Startup, WithoutSettingsFileStartsInFrenchWithTheDefaults)
{
    ProgramUnderTest program;
    EXPECT_FALSE(program.state.languageEnglish);
    EXPECT_FALSE(program.state.languageSpanish);
    EXPECT_EQ(program.state.webPageUrl, kDefaultWebPageUrl);
    EXPECT_DOUBLE_EQ(program.analysis().calibration, 1.0);
    EXPECT_EQ(program.state.spectrumView.frequencyCaption, "Fréquence");
    EXPECT_TRUE(program.presenter.shown.empty());
}

// A broken installation is told in message boxes and the menus still work.
TEST(Startup, MissingDataFolderIsShownAndTheProgramRuns)
{
    ProgramUnderTest program(Language::French, false);
    ASSERT_EQ(program.presenter.shown.size(), 2u);
    const auto& classification = program.presenter.shown[0];
    EXPECT_EQ(classification.name, "QMessageBox");
    EXPECT_EQ(classification.caption, QString::fromUtf8("Attention - nomenclature.txt non trouvé"));
    const auto& dataFolder = program.presenter.shown[1];
    EXPECT_EQ(dataFolder.name, "QMessageBox");
    EXPECT_EQ(dataFolder.line1, QString::fromUtf8("\"div_tiravel\" sous-répertoire non trouvé"));
    EXPECT_EQ(dataFolder.caption, QString::fromUtf8("Attention - problème d'installation"));

    EXPECT_EQ(program->windows().size(), 21u);
    EXPECT_EQ(program.state.installDir, program.installation.root());
    program->start().picture("ImageEvaluation")->click();
    program->evaluation().picture("ImageSpectre")->click();
    EXPECT_EQ(program.shownNames().back(), "FormSpectrumRT");
    EXPECT_FALSE(program->ending());
}

TEST(Startup, ErrorsBeforeTheErrorWindowExistsGoToAMessageBox)
{
    test::RecordingPresenter presenter;
    ErrorRouter router(presenter);
    router.DisplayError("Problème d'ouverture du fichier Tiravel4.ini", "Attention");
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0].name, "QMessageBox");
    EXPECT_EQ(presenter.shown[0].line1, QString::fromUtf8("Problème d'ouverture du fichier Tiravel4.ini"));
    EXPECT_EQ(presenter.shown[0].caption, "Attention");
}

TEST(Startup, ErrorsGoToTheErrorWindowOnceItExists)
{
    ProgramUnderTest program;
    program->errors().DisplayError("first line", "second line");
    ASSERT_EQ(program.presenter.shown.size(), 1u);
    EXPECT_EQ(program.presenter.shown[0].name, "FormError");
    EXPECT_EQ(program.presenter.shown[0].line1, "first line");
    EXPECT_EQ(program.presenter.shown[0].line2, "second line");
}

} // namespace
} // namespace tiravel
