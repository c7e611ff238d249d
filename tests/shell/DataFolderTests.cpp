// Entering the data folders: the current folder changes only when the folder
// exists, and each missing folder is reported as the user expects it.
#include "shell/DataFolders.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace tiravel {
namespace {

using test::RecordingErrorReporter;
using test::RecordingShell;

// A folder name as shown to the user, written here with "/".
std::string shown(const std::string& name)
{
    return std::filesystem::path(name).make_preferred().string();
}

class DataFolderTest : public testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directory(temp.path("install"));
        install = std::filesystem::canonical(temp.path("install"));
        std::filesystem::current_path(install);
    }
    void TearDown() override { std::filesystem::current_path(savedCurrent); }

    void makeFolder(const std::string& folder) { std::filesystem::create_directories(install / folder); }

    const std::filesystem::path savedCurrent = std::filesystem::current_path();
    test::TempFolder temp;
    std::filesystem::path install;
    Language language = Language::French;
    RecordingErrorReporter errors;
    RecordingShell shell;
    DataFolders folders{temp.path("install"), [this] { return language; }, errors, shell};
};

enum class Report { ErrorWindow, MessageBox, Silent };

struct FolderCase {
    bool (DataFolders::*enter)();
    Language language;
    std::string folder; // below the installation folder
    Report report;
    std::string text;
    std::string title;
};

const std::string kFrenchTitle = "Attention - problème d'installation";
const std::string kEnglishTitle = "Warning - Software installation problem";
const std::string kSpanishTitle = "Advertencia - problema de instalación";

const std::vector<FolderCase>& folderCases()
{
    using F = DataFolders;
    static const std::vector<FolderCase> cases = {
        {&F::enterDataFolder, Language::French, "div_tiravel", Report::MessageBox,
            "\"div_tiravel\" sous-répertoire non trouvé", kFrenchTitle},
        {&F::enterDataFolder, Language::English, "div_tiravel", Report::MessageBox,
            "\"div_tiravel\" Sub dir not found", kEnglishTitle},
        {&F::enterDataFolder, Language::Spanish, "div_tiravel", Report::MessageBox,
            "\"div_tiravel\" Sub-directorio no encontrado", kSpanishTitle},
        {&F::enterHelpFolder, Language::French, "div_tiravel/html", Report::ErrorWindow,
            "\"" + shown("div_tiravel/html") + "\" Subdir not found", kFrenchTitle},
        {&F::enterHelpFolder, Language::English, "div_tiravel/html_en", Report::ErrorWindow,
            "\"" + shown("div_tiravel/html_en") + "\" Sub dir not found", kEnglishTitle},
        {&F::enterHelpFolder, Language::Spanish, "div_tiravel/html_sp", Report::ErrorWindow,
            "\"" + shown("div_tiravel/html_sp") + "\" Sub-directorio no encontrado", kSpanishTitle},
        {&F::enterVideoFolder, Language::French, "div_tiravel/video", Report::ErrorWindow,
            "\"" + shown("div_tiravel/video") + "\" sous-répertoire non trouvé", kFrenchTitle},
        {&F::enterPianoFolder, Language::English, "div_tiravel/piano", Report::ErrorWindow,
            "\"" + shown("div_tiravel/piano") + "\" Sub dir not found", kEnglishTitle},
        {&F::enterMediaLibraryFolder, Language::Spanish, "div_tiravel/mediatheque", Report::ErrorWindow,
            "\"" + shown("div_tiravel/mediatheque") + "\" Sub-directorio no encontrado", kSpanishTitle},
        {&F::enterReferenceFolder, Language::French, "div_tiravel/reference", Report::ErrorWindow,
            "\"" + shown("div_tiravel/reference") + "\" sous-répertoire non trouvé", kFrenchTitle},
        {&F::enterPatientsFolder, Language::French, "div_tiravel/mes patients", Report::ErrorWindow,
            "\"" + shown("div_tiravel/mes patients") + "\" sous-répertoire non trouvé", kFrenchTitle},
        {&F::enterPatientsFolder, Language::English, "div_tiravel/my patients", Report::ErrorWindow,
            "\"" + shown("div_tiravel/my patients") + "\" Sub dir not found", kEnglishTitle},
        {&F::enterPatientsFolder, Language::Spanish, "div_tiravel/mis pacientes", Report::ErrorWindow,
            "\"" + shown("div_tiravel/mis pacientes") + "\" Sub-directorio no encontrado", kSpanishTitle},
        {&F::enterStatisticsFolder, Language::English, "div_tiravel/stats", Report::Silent, "", ""},
        {&F::enterDatabaseFolder, Language::Spanish, "div_tiravel/database", Report::Silent, "", ""},
    };
    return cases;
}

TEST_F(DataFolderTest, MissingFoldersAreReportedAndLeaveTheCurrentFolder)
{
    for (const FolderCase& c : folderCases()) {
        language = c.language;
        errors = {};
        EXPECT_FALSE((folders.*c.enter)()) << c.folder;
        EXPECT_EQ(std::filesystem::current_path(), install) << c.folder;
        const auto& shownList = c.report == Report::MessageBox ? errors.messages : errors.errors;
        const auto& otherList = c.report == Report::MessageBox ? errors.errors : errors.messages;
        EXPECT_TRUE(otherList.empty()) << c.folder;
        if (c.report == Report::Silent) {
            EXPECT_TRUE(shownList.empty()) << c.folder;
            continue;
        }
        ASSERT_EQ(shownList.size(), 1u) << c.folder;
        EXPECT_EQ(shownList[0].text, c.text);
        EXPECT_EQ(shownList[0].heading, c.title);
    }
}

TEST_F(DataFolderTest, ExistingFoldersBecomeTheCurrentFolder)
{
    for (const FolderCase& c : folderCases())
        makeFolder(c.folder);
    for (const FolderCase& c : folderCases()) {
        language = c.language;
        std::filesystem::current_path(install);
        EXPECT_TRUE((folders.*c.enter)()) << c.folder;
        EXPECT_EQ(std::filesystem::current_path(), install / c.folder);
    }
    EXPECT_TRUE(errors.errors.empty() && errors.messages.empty());
}

TEST_F(DataFolderTest, AFileInPlaceOfTheFolderIsMissing)
{
    makeFolder("div_tiravel");
    std::ofstream(install / "div_tiravel" / "video") << "not a folder";
    EXPECT_FALSE(folders.enterVideoFolder());
    EXPECT_EQ(std::filesystem::current_path(), install);
    EXPECT_EQ(errors.errors.size(), 1u);
}

TEST_F(DataFolderTest, PathsFollowTheLanguage)
{
    EXPECT_EQ(folders.path("reference"), temp.path("install") / "div_tiravel" / "reference");
    EXPECT_EQ(folders.patientsFolder(), temp.path("install") / "div_tiravel" / "mes patients");
    language = Language::Spanish;
    EXPECT_EQ(folders.helpFolder(), temp.path("install") / "div_tiravel" / "html_sp");
    EXPECT_EQ(folders.patientsFolder(), temp.path("install") / "div_tiravel" / "mis pacientes");
}

struct HelpCase {
    Language language;
    std::string page;
    std::string opened; // below the installation folder
};

TEST_F(DataFolderTest, OpenHelpPicksThePageOfTheLanguage)
{
    const std::vector<HelpCase> cases = {
        {Language::French, "", "div_tiravel/html/index.htm"},
        {Language::French, "evaluation.htm", "div_tiravel/html/evaluation.htm"},
        {Language::English, "abcd", "div_tiravel/html_en/index.htm"},
        {Language::English, "a.htm", "div_tiravel/html_en/a.htm"},
        {Language::English, "mediatheque.htm", "div_tiravel/html_en/mediatheque.htm"},
        {Language::Spanish, "reeducation.htm", "div_tiravel/html_sp/tiravel4_sp.pdf"},
        {Language::Spanish, "", "div_tiravel/html_sp/tiravel4_sp.pdf"},
    };
    for (const char* help : {"div_tiravel/html", "div_tiravel/html_en", "div_tiravel/html_sp"})
        makeFolder(help);
    for (const HelpCase& c : cases) {
        language = c.language;
        shell.opened.clear();
        folders.openHelp(c.page);
        ASSERT_EQ(shell.opened.size(), 1u) << c.page;
        EXPECT_EQ(shell.opened[0], (install / shown(c.opened)).string());
    }
    EXPECT_TRUE(errors.errors.empty());
}

TEST_F(DataFolderTest, OpenHelpWithoutHelpFolderOpensNothing)
{
    makeFolder("div_tiravel/html");
    language = Language::Spanish;
    folders.openHelp("evaluation.htm");
    EXPECT_TRUE(shell.opened.empty());
    ASSERT_EQ(errors.errors.size(), 1u);
    EXPECT_EQ(errors.errors[0].text, "\"" + shown("div_tiravel/html_sp") + "\" Sub-directorio no encontrado");
    EXPECT_EQ(std::filesystem::current_path(), install);
}

} // namespace
} // namespace tiravel
