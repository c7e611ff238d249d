// The settings file read at start: web address, level calibration and
// language, with the defaults for every missing or wrong line.
#include "shell/StartupSettings.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace tiravel {
namespace {

using test::RecordingErrorReporter;
using test::TempFolder;

struct SettingsCase {
    const char* name;
    std::string content;
    std::string webPageUrl;
    double calibration;
    Language language;
};

TEST(StartupSettings, ReadsEachLineWithItsDefault)
{
    const std::string url = kDefaultWebPageUrl;
    const std::string longUrl = "http://" + std::string(250, 'a');
    const std::vector<SettingsCase> cases = {
        {"four lines", "TIRAVEL\nhttp://voix.example/\n1.0\nEN\n", "http://voix.example/", 1.0, Language::English},
        {"empty file", "", url, 1.0, Language::French},
        {"first line only", "TIRAVEL\n", url, 1.0, Language::French},
        {"two lines", "x\nhttp://a.example\n", "http://a.example", 1.0, Language::French},
        {"calibration 2.5", "x\nnone\n2.5\n", url, 2.5, Language::French},
        {"calibration +2.5", "x\nnone\n+2.5\n", url, 2.5, Language::French},
        {"calibration 0", "x\nnone\n0\n", url, 1.0, Language::French},
        {"calibration too large", "x\nnone\n200000\n", url, 1.0, Language::French},
        {"calibration letters", "x\nnone\nabc\n", url, 1.0, Language::French},
        {"calibration empty", "x\nnone\n\nSP\n", url, 1.0, Language::Spanish},
        {"ENglish", "x\nnone\n1\nENglish\n", url, 1.0, Language::English},
        {"en", "x\nnone\n1\nen", url, 1.0, Language::English},
        {"E", "x\nnone\n1\nE\n", url, 1.0, Language::French},
        {"SP", "x\nnone\n1\nSP\n", url, 1.0, Language::Spanish},
        {"sp", "x\nnone\n1\nsp\n", url, 1.0, Language::Spanish},
        {"fr", "x\nnone\n1\nfr\n", url, 1.0, Language::French},
        {"further lines ignored", "x\nnone\n1\nfr\nEN\n", url, 1.0, Language::French},
        {"HTTP upper case", "x\nHTTP://x\n", "HTTP://x", 1.0, Language::French},
        {"https refused", "x\nhttps://x\n", url, 1.0, Language::French},
        {"address cut to 250", "x\n" + longUrl + "\n", longUrl.substr(0, 250), 1.0, Language::French},
        {"CRLF lines", "x\r\nhttp://b.example\r\n3.5\r\nSP\r\n", "http://b.example", 3.5, Language::Spanish},
    };
    TempFolder folder;
    for (const SettingsCase& c : cases) {
        const std::filesystem::path file = folder.path("tiravel4.ini");
        std::ofstream(file, std::ios::binary) << c.content;
        RecordingErrorReporter errors;
        const StartupSettings settings = readSettingsFile(file, errors);
        EXPECT_EQ(settings.webPageUrl, c.webPageUrl) << c.name;
        EXPECT_DOUBLE_EQ(settings.calibration, c.calibration) << c.name;
        EXPECT_EQ(settings.language, c.language) << c.name;
        EXPECT_TRUE(errors.errors.empty() && errors.messages.empty()) << c.name;
    }
}

TEST(StartupSettings, MissingFileGivesTheDefaultsSilently)
{
    TempFolder folder;
    RecordingErrorReporter errors;
    const StartupSettings settings = readSettingsFile(folder.path("tiravel4.ini"), errors);
    EXPECT_EQ(settings.webPageUrl, kDefaultWebPageUrl);
    EXPECT_DOUBLE_EQ(settings.calibration, 1.0);
    EXPECT_EQ(settings.language, Language::French);
    EXPECT_TRUE(errors.errors.empty() && errors.messages.empty());
}

TEST(StartupSettings, UnopenableFileIsReportedInFrench)
{
    TempFolder folder;
    std::vector<std::filesystem::path> unopenable = {folder.path("directory.ini")};
    std::filesystem::create_directory(unopenable[0]);
    if (geteuid() != 0) { // permissions do not stop the super-user
        unopenable.push_back(folder.path("locked.ini"));
        std::ofstream(unopenable[1]) << "x\nhttp://a.example\n2\nEN\n";
        std::filesystem::permissions(unopenable[1], std::filesystem::perms::none);
    }
    for (const std::filesystem::path& file : unopenable) {
        RecordingErrorReporter errors;
        const StartupSettings settings = readSettingsFile(file, errors);
        ASSERT_EQ(errors.errors.size(), 1u) << file;
        EXPECT_EQ(errors.errors[0].text, "Problème d'ouverture du fichier Tiravel4.ini");
        EXPECT_EQ(errors.errors[0].heading, "Attention");
        EXPECT_TRUE(errors.messages.empty());
        EXPECT_EQ(settings.webPageUrl, kDefaultWebPageUrl);
        EXPECT_DOUBLE_EQ(settings.calibration, 1.0);
        EXPECT_EQ(settings.language, Language::French);
    }
}

} // namespace
} // namespace tiravel
