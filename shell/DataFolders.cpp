#include "DataFolders.h"

#include <utility>

namespace tiravel {

namespace {

constexpr const char* kDataFolderName = "div_tiravel";
constexpr int kTextInstallationProblem = 31;
constexpr int kTextSubDirNotFound = 32;

const char* helpFolderName(Language language)
{
    switch (language) {
    case Language::English: return "html_en";
    case Language::Spanish: return "html_sp";
    case Language::French: break;
    }
    return "html";
}

const char* patientsFolderName(Language language)
{
    switch (language) {
    case Language::English: return "my patients";
    case Language::Spanish: return "mis pacientes";
    case Language::French: break;
    }
    return "mes patients";
}

// A folder name as the user sees it: relative to the installation folder,
// between double quotes, with the native separator.
std::string quoted(const std::filesystem::path& name)
{
    return "\"" + name.string() + "\"";
}

} // namespace

DataFolders::DataFolders(
    std::filesystem::path installDir, std::function<Language()> language, ErrorReporter& errors, Shell& shell)
    : installDir_(std::move(installDir))
    , language_(std::move(language))
    , errors_(errors)
    , shell_(shell)
{
}

std::filesystem::path DataFolders::dataFolder() const
{
    return installDir_ / kDataFolderName;
}

std::filesystem::path DataFolders::path(const std::filesystem::path& sub) const
{
    return dataFolder() / sub;
}

std::filesystem::path DataFolders::helpFolder() const
{
    return path(helpFolderName(language_()));
}

std::filesystem::path DataFolders::patientsFolder() const
{
    return path(patientsFolderName(language_()));
}

bool DataFolders::enterDataFolder()
{
    if (tryEnter(dataFolder()))
        return true;
    const Language language = language_();
    errors_.ShowMessage(quoted(kDataFolderName) + " " + languageText(kTextSubDirNotFound, language),
        languageText(kTextInstallationProblem, language));
    return false;
}

bool DataFolders::enterHelpFolder()
{
    const Language language = language_();
    const std::filesystem::path sub = helpFolderName(language);
    if (tryEnter(path(sub)))
        return true;
    // The French message has always been in English.
    reportMissing(sub, language == Language::French ? "Subdir not found" : languageText(kTextSubDirNotFound, language));
    return false;
}

bool DataFolders::enterVideoFolder()
{
    return enterOrReport("video");
}

bool DataFolders::enterPianoFolder()
{
    return enterOrReport("piano");
}

bool DataFolders::enterMediaLibraryFolder()
{
    return enterOrReport("mediatheque");
}

bool DataFolders::enterPatientsFolder()
{
    return enterOrReport(patientsFolderName(language_()));
}

bool DataFolders::enterReferenceFolder()
{
    return enterOrReport("reference");
}

bool DataFolders::enterStatisticsFolder()
{
    return tryEnter(path("stats"));
}

bool DataFolders::enterDatabaseFolder()
{
    return tryEnter(path("database"));
}

void DataFolders::openHelp(const std::string& page)
{
    if (!enterHelpFolder())
        return;
    std::string file = "index.htm";
    if (language_() == Language::Spanish)
        file = "tiravel4_sp.pdf";
    else if (page.size() > 4)
        file = page;
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    if (!error)
        shell_.openDocument((folder / file).string());
}

bool DataFolders::tryEnter(const std::filesystem::path& folder)
{
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error))
        return false;
    std::filesystem::current_path(folder, error);
    return !error;
}

bool DataFolders::enterOrReport(const std::filesystem::path& sub)
{
    if (tryEnter(path(sub)))
        return true;
    reportMissing(sub, languageText(kTextSubDirNotFound, language_()));
    return false;
}

void DataFolders::reportMissing(const std::filesystem::path& sub, const std::string& suffix)
{
    errors_.DisplayError(quoted(std::filesystem::path(kDataFolderName) / sub) + " " + suffix,
        languageText(kTextInstallationProblem, language_()));
}

} // namespace tiravel
