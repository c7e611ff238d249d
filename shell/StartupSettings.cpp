#include "StartupSettings.h"

#include "patient/TextRules.h"

#include <fstream>

namespace tiravel {

namespace {

constexpr std::size_t kMaxUrlLength = 250;
constexpr double kCalibrationMin = 0.00001;
constexpr double kCalibrationMax = 100000.0;

// One line without the '\r' that ends lines of files written on Windows.
bool readLine(std::istream& in, std::string& line)
{
    if (!std::getline(in, line))
        return false;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

Language languageFromCode(const std::string& code)
{
    if (prefixMatch("EN", code, 2))
        return Language::English;
    if (prefixMatch("SP", code, 2))
        return Language::Spanish;
    return Language::French;
}

} // namespace

StartupSettings readSettingsFile(const std::filesystem::path& file, ErrorReporter& errors)
{
    StartupSettings settings;
    std::error_code ignored;
    if (!std::filesystem::exists(file, ignored))
        return settings;
    std::ifstream in(file, std::ios::binary);
    if (!in.is_open() || std::filesystem::is_directory(file, ignored)) {
        errors.DisplayError("Problème d'ouverture du fichier Tiravel4.ini", "Attention");
        return settings;
    }
    std::string line;
    if (!readLine(in, line) || !readLine(in, line))
        return settings;
    if (prefixMatch("http://", line, 7))
        settings.webPageUrl = utf8Prefix(line, kMaxUrlLength);
    if (!readLine(in, line))
        return settings;
    const LenientNumber calibration = readLenientNumber(line, 1.0, kCalibrationMax, kCalibrationMin);
    settings.calibration = calibration.ok ? calibration.value : 1.0;
    if (readLine(in, line))
        settings.language = languageFromCode(line);
    return settings;
}

} // namespace tiravel
