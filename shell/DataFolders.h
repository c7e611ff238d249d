#pragma once

#include "platform/ErrorReporter.h"
#include "platform/Shell.h"
#include "shell/LanguageTexts.h"

#include <filesystem>
#include <functional>
#include <string>

namespace tiravel {

// The data folder "div_tiravel" below the installation folder and its
// sub-folders. Entering a folder makes it the process's current folder, so
// file names used afterwards are relative to it; a missing folder is
// reported to the user and leaves the current folder unchanged.
class DataFolders {
public:
    DataFolders(std::filesystem::path installDir, std::function<Language()> language, ErrorReporter& errors,
        Shell& shell);

    const std::filesystem::path& installDir() const { return installDir_; }
    // installDir/div_tiravel.
    std::filesystem::path dataFolder() const;
    // A file or folder below the data folder.
    std::filesystem::path path(const std::filesystem::path& sub) const;
    // The help and patients folders of the current language.
    std::filesystem::path helpFolder() const;
    std::filesystem::path patientsFolder() const;

    // Each returns true when the folder exists and is now the current folder.
    bool enterDataFolder();
    bool enterHelpFolder();
    bool enterVideoFolder();
    bool enterPianoFolder();
    bool enterMediaLibraryFolder();
    bool enterPatientsFolder();
    bool enterReferenceFolder();
    // These two say nothing when the folder is missing.
    bool enterStatisticsFolder();
    bool enterDatabaseFolder();

    // Opens a help page of the current language with the default viewer: the
    // Spanish guide whatever the page, else page when longer than 4
    // characters, else the index page. Nothing opens without a help folder.
    void openHelp(const std::string& page = "");

private:
    static bool tryEnter(const std::filesystem::path& folder);
    bool enterOrReport(const std::filesystem::path& sub);
    void reportMissing(const std::filesystem::path& sub, const std::string& suffix);

    std::filesystem::path installDir_;
    std::function<Language()> language_;
    ErrorReporter& errors_;
    Shell& shell_;
};

} // namespace tiravel
