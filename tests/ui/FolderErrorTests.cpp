// Missing data folders, as the user sees them: the error window with the
// text and title of the current language, or a message box for the data
// folder itself.
#include "UiTestSupport.h"

#include "shell/DataFolders.h"
#include "shell/ui/MenuPicture.h"
#include "shell/ui/TFormEvaluation.h"

#include <gtest/gtest.h>

namespace tiravel {
namespace {

struct FolderErrorCase {
    Language language;
    bool (DataFolders::*enter)();
    std::string folder; // removed below the installation folder
    QString window;     // "FormError" or "QMessageBox"
    QString text;
    QString title;
    QString caption;    // of the window shown
};

void PrintTo(const FolderErrorCase& c, std::ostream* out)
{
    *out << test::languageCode(c.language) << " " << c.folder;
}

class FolderError : public testing::TestWithParam<FolderErrorCase> {};

TEST_P(FolderError, IsShownInTheLanguageOfTheMoment)
{
    const FolderErrorCase& c = GetParam();
    test::ProgramUnderTest program(c.language);
    program.installation.removeFolder(c.folder);
    program.presenter.shown.clear();

    EXPECT_FALSE((program->folders().*c.enter)());
    ASSERT_EQ(program.presenter.shown.size(), 1u);
    const auto& shown = program.presenter.shown[0];
    EXPECT_EQ(shown.name, c.window);
    EXPECT_EQ(shown.line1, c.text);
    if (c.window == "FormError") {
        EXPECT_EQ(shown.line2, c.title);
    }
    EXPECT_EQ(shown.caption, c.caption);
    EXPECT_EQ(std::filesystem::current_path(), program.installation.root());
}

const QString kFrenchTitle = QString::fromUtf8("Attention - problème d'installation");
const QString kFrenchError = "Message d'erreur de TIRAVEL";

INSTANTIATE_TEST_SUITE_P(Folders, FolderError,
    testing::Values(
        FolderErrorCase{Language::French, &DataFolders::enterVideoFolder, "div_tiravel/video", "FormError",
            QString::fromUtf8("\"div_tiravel/video\" sous-répertoire non trouvé"), kFrenchTitle, kFrenchError},
        FolderErrorCase{Language::English, &DataFolders::enterPianoFolder, "div_tiravel/piano", "FormError",
            "\"div_tiravel/piano\" Sub dir not found", "Warning - Software installation problem",
            "Error message from TIRAVEL"},
        FolderErrorCase{Language::Spanish, &DataFolders::enterPatientsFolder, "div_tiravel/mis pacientes",
            "FormError", "\"div_tiravel/mis pacientes\" Sub-directorio no encontrado",
            QString::fromUtf8("Advertencia - problema de instalación"), "Error TIRAVEL"},
        FolderErrorCase{Language::French, &DataFolders::enterHelpFolder, "div_tiravel/html", "FormError",
            "\"div_tiravel/html\" Subdir not found", kFrenchTitle, kFrenchError},
        FolderErrorCase{Language::English, &DataFolders::enterHelpFolder, "div_tiravel/html_en", "FormError",
            "\"div_tiravel/html_en\" Sub dir not found", "Warning - Software installation problem",
            "Error message from TIRAVEL"},
        FolderErrorCase{Language::French, &DataFolders::enterDataFolder, "div_tiravel", "QMessageBox",
            QString::fromUtf8("\"div_tiravel\" sous-répertoire non trouvé"), "", kFrenchTitle},
        FolderErrorCase{Language::Spanish, &DataFolders::enterDataFolder, "div_tiravel", "QMessageBox",
            "\"div_tiravel\" Sub-directorio no encontrado", "",
            QString::fromUtf8("Advertencia - problema de instalación")}));

// The error window keeps its start caption, but the message follows the
// language chosen since.
TEST(FolderError, FollowsALanguageSwitch)
{
    test::ProgramUnderTest program;
    program.state.setLanguage(Language::English);
    program.installation.removeFolder("div_tiravel/mediatheque");
    program->folders().enterMediaLibraryFolder();
    ASSERT_EQ(program.presenter.shown.size(), 1u);
    EXPECT_EQ(program.presenter.shown[0].line1, "\"div_tiravel/mediatheque\" Sub dir not found");
    EXPECT_EQ(program.presenter.shown[0].caption, "Message d'erreur de TIRAVEL");
}

TEST(FolderError, HelpWithoutItsFolderOpensNothing)
{
    test::ProgramUnderTest program;
    program.installation.removeFolder("div_tiravel/html");
    program->evaluation().picture("ImageHelp")->click();
    EXPECT_TRUE(program.shell.opened.empty());
    ASSERT_EQ(program.presenter.shown.size(), 1u);
    EXPECT_EQ(program.presenter.shown[0].name, "FormError");
    EXPECT_EQ(program.presenter.shown[0].line1, "\"div_tiravel/html\" Subdir not found");
}

} // namespace
} // namespace tiravel
