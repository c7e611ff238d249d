// The bundled data folder div_tiravel: the voice-disorder classification in
// its three languages, the help pages, the example settings file and the
// sub-folders that the program enters at run time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#ifndef TIRAVEL_SOURCE_DIR
#error "TIRAVEL_SOURCE_DIR must name the repository root"
#endif

namespace tiravel {
namespace {

namespace fs = std::filesystem;

const fs::path dataFolder = fs::path(TIRAVEL_SOURCE_DIR) / "div_tiravel";

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// Lines split on LF only, so that a stray CR stays visible in the line.
std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

bool isValidUtf8(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t follow = 0;
        if (c < 0x80)
            follow = 0;
        else if (c >= 0xC2 && c <= 0xDF)
            follow = 1;
        else if (c >= 0xE0 && c <= 0xEF)
            follow = 2;
        else if (c >= 0xF0 && c <= 0xF4)
            follow = 3;
        else
            return false;
        if (i + follow >= text.size())
            return false;
        for (std::size_t k = 1; k <= follow; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += follow + 1;
    }
    return true;
}

// ----------------------------------------------------------------------------
// Classification files

struct Entry {
    int code;
    std::string codeText;  // the first four characters
    std::string label;     // everything after the separating space
};

// A chapter as the patient window shows it: the code written as a decimal
// number has "0" as its second and third characters (1000, 2000, ...).
bool isChapter(int code)
{
    const std::string digits = std::to_string(code);
    return digits.size() >= 3 && digits[1] == '0' && digits[2] == '0';
}

struct ClassificationFile {
    const char* language;
    const char* name;
};

const ClassificationFile classificationFiles[] = {
    {"French", "nomenclature.txt"},
    {"English", "nomenclature_en.txt"},
    {"Spanish", "nomenclature_sp.txt"},
};

void PrintTo(const ClassificationFile& file, std::ostream* out)
{
    *out << file.name;
}

fs::path classificationPath(const ClassificationFile& file)
{
    return dataFolder / "reference" / file.name;
}

std::vector<Entry> readClassification(const ClassificationFile& file)
{
    std::vector<Entry> entries;
    for (const std::string& line : splitLines(readFile(classificationPath(file)))) {
        if (line.size() < 5)
            continue;
        const std::string codeText = line.substr(0, 4);
        if (!std::all_of(codeText.begin(), codeText.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        entries.push_back({std::stoi(codeText), codeText, line.substr(5)});
    }
    return entries;
}

class ClassificationFileTest : public ::testing::TestWithParam<ClassificationFile> {};

TEST_P(ClassificationFileTest, IsUtf8TextWithUnixLineEnds)
{
    const fs::path path = classificationPath(GetParam());
    ASSERT_TRUE(fs::is_regular_file(path)) << path;
    const std::string text = readFile(path);
    ASSERT_FALSE(text.empty());
    EXPECT_TRUE(isValidUtf8(text));
    EXPECT_EQ(text.find('\r'), std::string::npos) << "CR LF line ends";
    EXPECT_EQ(text.back(), '\n') << "the last line has no line end";
    EXPECT_NE(text.substr(0, 3), "\xEF\xBB\xBF") << "a byte-order mark would spoil the first code";
}

TEST_P(ClassificationFileTest, EveryLineIsFourDigitsASpaceAndALabel)
{
    const std::vector<std::string> lines = splitLines(readFile(classificationPath(GetParam())));
    ASSERT_FALSE(lines.empty());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        SCOPED_TRACE("line " + std::to_string(i + 1) + ": " + line);
        ASSERT_GE(line.size(), 6u);
        for (int k = 0; k < 4; ++k)
            EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(line[k])));
        EXPECT_EQ(line[4], ' ');
        EXPECT_NE(line[5], ' ') << "label starts with a second space";
        EXPECT_FALSE(std::isspace(static_cast<unsigned char>(line.back()))) << "trailing blank";
        // The program keeps 128 characters of what follows the code.
        EXPECT_LE(line.size() - 4, 128u) << "label too long to be kept whole";
    }
}

TEST_P(ClassificationFileTest, CodesAreUniqueAndAscending)
{
    const std::vector<Entry> entries = readClassification(GetParam());
    std::set<int> seen;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_TRUE(seen.insert(entries[i].code).second) << "duplicate code " << entries[i].codeText;
        if (i > 0) {
            EXPECT_LT(entries[i - 1].code, entries[i].code) << "out of order at " << entries[i].codeText;
        }
    }
    // The program stores at most 1000 entries.
    EXPECT_LE(entries.size(), 1000u);
}

TEST_P(ClassificationFileTest, HasEnoughChaptersAndEntries)
{
    const std::vector<Entry> entries = readClassification(GetParam());
    const auto chapters = std::count_if(entries.begin(), entries.end(), [](const Entry& e) { return isChapter(e.code); });
    EXPECT_GE(chapters, 7);
    EXPECT_GE(static_cast<long>(entries.size()) - chapters, 60);
}

TEST_P(ClassificationFileTest, EveryEntryFollowsItsChapter)
{
    // Entries of chapter d000 are numbered d1xx to d9xx: the search in the
    // patient window and the database filter on the leading digits rely on it.
    const std::vector<Entry> entries = readClassification(GetParam());
    int currentChapter = -1;
    for (const Entry& e : entries) {
        if (isChapter(e.code)) {
            EXPECT_EQ(e.code % 1000, 0) << "chapter " << e.codeText << " is not of the form d000";
            currentChapter = e.code;
            continue;
        }
        if (e.code < 1000)
            continue;  // the normal voice, 0000, belongs to no chapter
        EXPECT_EQ(e.code / 1000 * 1000, currentChapter) << "entry " << e.codeText << " outside its chapter";
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, ClassificationFileTest, ::testing::ValuesIn(classificationFiles),
                         [](const ::testing::TestParamInfo<ClassificationFile>& info) { return std::string(info.param.language); });

TEST(ClassificationFiles, TheThreeLanguagesListTheSameCodesInTheSameOrder)
{
    const std::vector<Entry> french = readClassification(classificationFiles[0]);
    ASSERT_FALSE(french.empty());
    for (const ClassificationFile& file : classificationFiles) {
        SCOPED_TRACE(file.name);
        const std::vector<Entry> other = readClassification(file);
        const std::vector<std::string> lines = splitLines(readFile(classificationPath(file)));
        EXPECT_EQ(other.size(), lines.size()) << "some lines carry no code";
        ASSERT_EQ(other.size(), french.size());
        for (std::size_t i = 0; i < french.size(); ++i)
            EXPECT_EQ(other[i].codeText, french[i].codeText) << "line " << i + 1;
    }
}

TEST(ClassificationFiles, LabelsAreTranslated)
{
    // A label copied unchanged into another language is a forgotten
    // translation; a few medical terms are the same in two languages.
    const std::vector<Entry> french = readClassification(classificationFiles[0]);
    const std::vector<Entry> english = readClassification(classificationFiles[1]);
    const std::vector<Entry> spanish = readClassification(classificationFiles[2]);
    ASSERT_EQ(french.size(), english.size());
    ASSERT_EQ(french.size(), spanish.size());
    std::size_t sameEnglish = 0;
    std::size_t sameSpanish = 0;
    for (std::size_t i = 0; i < french.size(); ++i) {
        sameEnglish += english[i].label == french[i].label || english[i].label == spanish[i].label;
        sameSpanish += spanish[i].label == french[i].label;
    }
    EXPECT_LE(sameEnglish * 10, french.size()) << sameEnglish << " English labels equal another language";
    EXPECT_LE(sameSpanish * 10, french.size()) << sameSpanish << " Spanish labels equal the French ones";
}

// ----------------------------------------------------------------------------
// Help pages

const char* const helpPages[] = {"index.htm", "evaluation.htm", "reeducation.htm", "mediatheque.htm"};

struct HelpFolder {
    const char* language;
    const char* folder;
    const char* lang;  // value of the lang attribute
};

const HelpFolder helpFolders[] = {
    {"French", "html", "fr"},
    {"English", "html_en", "en"},
    {"Spanish", "html_sp", "es"},
};

void PrintTo(const HelpFolder& folder, std::ostream* out)
{
    *out << folder.folder;
}

class HelpFolderTest : public ::testing::TestWithParam<HelpFolder> {};

TEST_P(HelpFolderTest, HasTheFourPagesInUtf8Html)
{
    for (const char* page : helpPages) {
        const fs::path path = dataFolder / GetParam().folder / page;
        SCOPED_TRACE(path.string());
        ASSERT_TRUE(fs::is_regular_file(path));
        const std::string html = readFile(path);
        EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
        EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
        EXPECT_NE(html.find(std::string("<html lang=\"") + GetParam().lang + "\">"), std::string::npos);
        EXPECT_NE(html.find("<title>"), std::string::npos);
        EXPECT_NE(html.find("</html>"), std::string::npos);
        EXPECT_TRUE(isValidUtf8(html));
        // Pages open from disk and print into the guide: nothing is fetched
        // from elsewhere.
        EXPECT_EQ(html.find("src="), std::string::npos);
        EXPECT_EQ(html.find("<link"), std::string::npos);
        EXPECT_EQ(html.find("href=\"http"), std::string::npos);
    }
}

TEST_P(HelpFolderTest, EveryPageLinksToTheOtherThree)
{
    for (const char* page : helpPages) {
        const std::string html = readFile(dataFolder / GetParam().folder / page);
        for (const char* other : helpPages) {
            if (std::string(other) == page)
                continue;
            EXPECT_NE(html.find(std::string("href=\"") + other + "\""), std::string::npos)
                << GetParam().folder << "/" << page << " has no link to " << other;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, HelpFolderTest, ::testing::ValuesIn(helpFolders),
                         [](const ::testing::TestParamInfo<HelpFolder>& info) { return std::string(info.param.language); });

// ----------------------------------------------------------------------------
// Settings file and folders

TEST(SettingsFile, HasFourLinesWithAddressCalibrationAndLanguage)
{
    const fs::path path = dataFolder / "tiravel4.ini";
    ASSERT_TRUE(fs::is_regular_file(path));
    const std::vector<std::string> lines = splitLines(readFile(path));
    ASSERT_EQ(lines.size(), 4u);

    std::string address = lines[1].substr(0, 7);
    std::transform(address.begin(), address.end(), address.begin(), [](unsigned char c) { return std::tolower(c); });
    EXPECT_EQ(address, "http://") << lines[1];
    EXPECT_LE(lines[1].size(), 250u);

    char* end = nullptr;
    const double calibration = std::strtod(lines[2].c_str(), &end);
    EXPECT_EQ(*end, '\0') << "calibration is not a plain number: " << lines[2];
    EXPECT_GE(calibration, 0.00001);
    EXPECT_LE(calibration, 100000.0);

    const std::set<std::string> languages = {"FR", "EN", "SP"};
    EXPECT_TRUE(languages.count(lines[3].substr(0, 2)) == 1) << lines[3];
}

TEST(DataFolder, HasEveryFolderTheProgramEnters)
{
    const char* const folders[] = {"html", "html_en", "html_sp", "video", "piano", "mediatheque",
                                   "mes patients", "my patients", "mis pacientes", "reference", "stats",
                                   "database"};
    for (const char* folder : folders)
        EXPECT_TRUE(fs::is_directory(dataFolder / folder)) << folder;
}

} // namespace
} // namespace tiravel
