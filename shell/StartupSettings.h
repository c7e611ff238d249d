#pragma once

#include "platform/ErrorReporter.h"
#include "shell/LanguageTexts.h"

#include <filesystem>
#include <string>

namespace tiravel {

// The web page of the media menu's database entry when the settings file
// gives none.
inline constexpr const char* kDefaultWebPageUrl = "http://www.tiravel.example/";

// Name of the settings file in the data folder.
inline constexpr const char* kSettingsFileName = "tiravel4.ini";

// What the settings file chooses at start.
struct StartupSettings {
    std::string webPageUrl = kDefaultWebPageUrl;
    double calibration = 1.0;
    Language language = Language::French;
};

// Reads the settings file: line 1 free, line 2 a web address beginning with
// "http://", line 3 the level calibration, line 4 the language code ("EN",
// "SP", anything else French). A missing file gives the defaults silently; a
// file that cannot be opened gives the defaults after an error message.
StartupSettings readSettingsFile(const std::filesystem::path& file, ErrorReporter& errors);

} // namespace tiravel
