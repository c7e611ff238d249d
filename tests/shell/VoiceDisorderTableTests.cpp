// The voice-disorder classification and the video list of the reference
// folder, read at start in the program's language.
#include "shell/VoiceDisorderTable.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tiravel {
namespace {

using test::RecordingErrorReporter;
using test::TempFolder;

VoiceDisorderTable tableOf(const std::string& content)
{
    std::istringstream lines(content);
    VoiceDisorderTable table;
    table.read(lines);
    return table;
}

TEST(VoiceDisorderTable, ReadsCodeAndLabel)
{
    const VoiceDisorderTable table = tableOf("\xEF\xBB\xBF"
                                             "0012 Nodules\n"
                                             "0013Polype\r\n"
                                             "ab12 lettres\n"
                                             "\n"
                                             "12x4 invalide\n"
                                             "9999\n"
                                             "1-2 négatif\n"
                                             "7    Dysphonie  dysfonctionnelle\n"
                                             "1 2 espace\n"
                                             "01 éraillée\n"
                                             "12.5demi\n");
    const std::vector<VoiceDisorder> expected = {
        {12, " Nodules"},
        {13, "Polype"},
        {9999, ""},
        {7, " Dysphonie  dysfonctionnelle"},
        {1, "espace"}, // the space ends the code; "2 " is dropped
        {1, "éraillée"}, // the code never takes half of the "é"
        {12, "demi"}, // 12.5 rounds to the even 12
    };
    ASSERT_EQ(table.count(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(table[i].code, expected[i].code) << i;
        EXPECT_EQ(table[i].label, expected[i].label) << i;
    }
}

TEST(VoiceDisorderTable, KeepsAtMost1000EntriesOf128Bytes)
{
    std::string content;
    for (int i = 0; i < 1005; ++i)
        content += std::to_string(1000 + i).substr(0, 4) + std::string(200, 'L') + "\n";
    const VoiceDisorderTable table = tableOf(content);
    ASSERT_EQ(table.count(), VoiceDisorderTable::kCapacity);
    EXPECT_EQ(table[999].code, 1999);
    EXPECT_EQ(table[0].label, std::string(128, 'L'));

    // An accented letter across byte 128 of the label is left out whole.
    const VoiceDisorderTable accented = tableOf("0001" + std::string(127, 'x') + "é\n");
    EXPECT_EQ(accented[0].label, std::string(127, 'x'));
}

TEST(VoiceDisorderTable, ReadingReplacesTheEntries)
{
    TempFolder folder;
    VoiceDisorderTable table = tableOf("0001 a\n0002 b\n");
    std::ofstream(folder.path("nomenclature.txt")) << "0003 c\n";
    table.readFile(folder.path("nomenclature.txt"));
    ASSERT_EQ(table.count(), 1u);
    EXPECT_EQ(table[0].code, 3);
    std::filesystem::create_directory(folder.path("directory.txt"));
    table.readFile(folder.path("directory.txt"));
    EXPECT_EQ(table.count(), 0u);
}

struct LanguageCase {
    Language language;
    const char* file;
    const char* text;
    const char* title;
};

const std::vector<LanguageCase> kLanguages = {
    {Language::French, "nomenclature.txt", "La nomenclature des troubles de la voix introuvable dans \"/div_tiravel/reference\"",
        "Attention - nomenclature.txt non trouvé"},
    {Language::English, "nomenclature_en.txt", "The voice disorder classification not found in \"/div_tiravel/reference\"",
        "Warning - nomenclature_en.txt not found"},
    {Language::Spanish, "nomenclature_sp.txt",
        "La clasificación de las patologías de la voz no se encuentra en \"/div_tiravel/reference\"",
        "Advertencia - nomenclature_sp.txt no se encuentra"},
};

TEST(VoiceDisorderTable, LoadsTheFileOfTheLanguage)
{
    TempFolder install;
    const std::filesystem::path reference = install.path("div_tiravel") / "reference";
    std::filesystem::create_directories(reference);
    for (const LanguageCase& c : kLanguages)
        std::ofstream(reference / c.file) << "0042 " << c.file << "\n";
    for (const LanguageCase& c : kLanguages) {
        RecordingErrorReporter errors;
        const ReferenceFiles files = loadReferenceFiles(install.path("div_tiravel"), c.language, errors);
        ASSERT_EQ(files.voiceDisorders.count(), 1u) << c.file;
        EXPECT_EQ(files.voiceDisorders[0].label, std::string(" ") + c.file);
        EXPECT_TRUE(files.videoListMissing);
        EXPECT_TRUE(errors.messages.empty() && errors.errors.empty());
    }
    std::ofstream(reference / "video.txt") << "\n";
    RecordingErrorReporter errors;
    EXPECT_FALSE(loadReferenceFiles(install.path("div_tiravel"), Language::French, errors).videoListMissing);
}

TEST(VoiceDisorderTable, MissingFileIsReportedInTheLanguage)
{
    TempFolder install;
    std::filesystem::create_directories(install.path("div_tiravel") / "reference");
    for (const LanguageCase& c : kLanguages) {
        RecordingErrorReporter errors;
        const ReferenceFiles files = loadReferenceFiles(install.path("div_tiravel"), c.language, errors);
        EXPECT_EQ(files.voiceDisorders.count(), 0u);
        ASSERT_EQ(errors.messages.size(), 1u) << c.file;
        EXPECT_EQ(errors.messages[0].text, c.text);
        EXPECT_EQ(errors.messages[0].heading, c.title);
        EXPECT_TRUE(errors.errors.empty());
    }
}

} // namespace
} // namespace tiravel
