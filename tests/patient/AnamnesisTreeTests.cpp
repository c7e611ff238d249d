// The anamnesis tree of the patient window: reading its file, what a click
// inserts into the document, and the bundled files of the three languages.
#include "patient/AnamnesisTree.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace tiravel {
namespace {

using Entries = std::vector<AnamnesisEntry>;

AnamnesisEntry chapter(const std::string& text, Entries children = {}) { return {text, 0, std::move(children)}; }

AnamnesisEntry topic(const std::string& text, Entries children = {}) { return {text, 1, std::move(children)}; }

AnamnesisEntry phrase(const std::string& text) { return {text, 2, {}}; }

// The tree as one indented line per entry, so that a failure shows where.
std::string outline(const Entries& entries, int depth = 0)
{
    std::string text;
    for (const AnamnesisEntry& e : entries)
        text += std::string(2 * static_cast<std::size_t>(depth), '.') + std::to_string(e.level) + "[" + e.text
            + "]\n" + outline(e.children, depth + 1);
    return text;
}

std::size_t entryCount(const Entries& entries)
{
    std::size_t count = entries.size();
    for (const AnamnesisEntry& e : entries)
        count += entryCount(e.children);
    return count;
}

struct TreeCase {
    const char* what;
    std::vector<std::string> lines;
    Entries tree;
};

TEST(AnamnesisTreeReading, LinesBecomeChaptersTopicsAndPhrases)
{
    const TreeCase cases[] = {
        {"one of each", {"Hygiène vocale", "+Tabac", "-Nombre de cigarettes"},
            {chapter("Hygiène vocale", {topic(" Tabac", {phrase("  Nombre de cigarettes")})})}},
        {"a digit begins a chapter", {"1 Motif", "+Demande"}, {chapter("1 Motif", {topic(" Demande")})}},
        {"short and unknown lines are ignored",
            {"Motif", "+", "-", "", "x", " Motif", "#note", "Évolution", "\tx", "+Demande", "-ORL"},
            {chapter("Motif", {topic(" Demande", {phrase("  ORL")})})}},
        {"a two-character line is read", {"Ab", "+t", "- "}, {chapter("Ab", {topic(" t", {phrase("   ")})})}},
        {"phrases go to the latest topic", {"Ch A", "+t1", "-p1", "+t2", "-p2", "-p3"},
            {chapter("Ch A", {topic(" t1", {phrase("  p1")}), topic(" t2", {phrase("  p2"), phrase("  p3")})})}},
        {"a phrase with no topic stands at the top", {"-seule", "Ch A", "-orpheline", "+t", "-p"},
            {phrase("  seule"), chapter("Ch A", {topic(" t", {phrase("  p")})}), phrase("  orpheline")}},
        {"a topic before any chapter stands at the top", {"+t", "-p", "Ch A", "+u"},
            {topic(" t", {phrase("  p")}), chapter("Ch A", {topic(" u")})}},
        {"a new chapter has no topic yet", {"Ch A", "+t", "Ch B", "-p", "+u", "-q"},
            {chapter("Ch A", {topic(" t")}), chapter("Ch B", {topic(" u", {phrase("  q")})}), phrase("  p")}},
    };
    for (const TreeCase& c : cases)
        EXPECT_EQ(outline(readAnamnesisLines(c.lines)), outline(c.tree)) << c.what;
}

TEST(AnamnesisTreeReading, LongLinesAreCutAt250BytesOnACharacterBoundary)
{
    const std::string chapterLine = "A" + std::string(300, 'x');
    const std::string accentAtCut = "A" + std::string(248, 'x') + "é" + "yy"; // é takes bytes 250 and 251
    const std::string phraseLine = "-" + std::string(300, 'p');
    const Entries tree = readAnamnesisLines({chapterLine, accentAtCut, "+t", phraseLine});
    ASSERT_EQ(tree.size(), 2u);
    EXPECT_EQ(tree[0].text, chapterLine.substr(0, 250));
    EXPECT_EQ(tree[1].text, accentAtCut.substr(0, 249));
    ASSERT_EQ(tree[1].children.size(), 1u);
    ASSERT_EQ(tree[1].children[0].children.size(), 1u);
    EXPECT_EQ(tree[1].children[0].children[0].text, "  " + std::string(249, 'p'));
}

TEST(AnamnesisTreeFile, ReadsWindowsAndUnixLineEnds)
{
    test::TempFolder folder;
    const std::filesystem::path file = folder.path("anamnese.txt");
    const std::string text = "\xEF\xBB\xBFMotif\r\n+Demande\r\n\r\n-ORL\r\n\nHygiène\n+Tabac\n-Cigarettes";
    test::writeFile(file, std::vector<std::uint8_t>(text.begin(), text.end()));
    const Entries expected = {
        chapter("Motif", {topic(" Demande", {phrase("  ORL")})}),
        chapter("Hygiène", {topic(" Tabac", {phrase("  Cigarettes")})}),
    };
    EXPECT_EQ(outline(readAnamnesisFile(file)), outline(expected));
}

TEST(AnamnesisTreeFile, MissingOrEmptyFileGivesNoEntries)
{
    test::TempFolder folder;
    EXPECT_TRUE(readAnamnesisFile(folder.path("absent.txt")).empty());
    test::writeFile(folder.path("empty.txt"), {});
    EXPECT_TRUE(readAnamnesisFile(folder.path("empty.txt")).empty());
    EXPECT_TRUE(readAnamnesisFile(folder.path("")).empty()); // the folder itself
}

struct InsertionCase {
    AnamnesisEntry entry;
    AnamnesisInsertion insertion;
};

TEST(AnamnesisTreeInsertion, PrefixAndFontOfEachKind)
{
    const InsertionCase cases[] = {
        {chapter("Motif"), {" > Motif\n", 12, false}},
        {topic(" Demande"), {"    +  Demande\n", 12, true}},
        {phrase("  ORL"), {"         -   ORL\n", 11, false}},
        // A phrase standing at the top is still inserted as a phrase.
        {readAnamnesisLines({"-seule"}).at(0), {"         -   seule\n", 11, false}},
    };
    for (const InsertionCase& c : cases) {
        const AnamnesisInsertion got = anamnesisInsertion(c.entry);
        EXPECT_EQ(got.text, c.insertion.text);
        EXPECT_EQ(got.pointSize, c.insertion.pointSize) << c.entry.text;
        EXPECT_EQ(got.italic, c.insertion.italic) << c.entry.text;
    }
}

TEST(AnamnesisTreeFile, NamesPerLanguage)
{
    EXPECT_STREQ(anamnesisFileName(Language::French), "anamnese.txt");
    EXPECT_STREQ(anamnesisFileName(Language::English), "anamnesis.txt");
    EXPECT_STREQ(anamnesisFileName(Language::Spanish), "anamnese_sp.txt");
    EXPECT_STREQ(recordTemplateName(Language::French), "patient.rtf");
    EXPECT_STREQ(recordTemplateName(Language::English), "patient_en.rtf");
    EXPECT_STREQ(recordTemplateName(Language::Spanish), "patient_sp.rtf");
}

class BundledAnamnesisFile : public ::testing::TestWithParam<Language> {};

TEST_P(BundledAnamnesisFile, EveryLineIsAnEntryOfAWellFormedTree)
{
    // A line the reading rules drop (an accented first letter, a stray
    // character) would silently vanish from the therapist's tree.
    const std::filesystem::path file =
        std::filesystem::path(__FILE__).parent_path() / "../../div_tiravel/reference" / anamnesisFileName(GetParam());
    const std::vector<std::uint8_t> bytes = test::readFile(file);
    const std::string text(bytes.begin(), bytes.end());
    ASSERT_FALSE(text.empty()) << file;
    EXPECT_EQ(text.find('\r'), std::string::npos);
    std::size_t lines = 0;
    for (std::size_t start = 0; start < text.size(); start = text.find('\n', start) + 1) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        EXPECT_LE(end - start, 250u) << text.substr(start, end - start);
        lines += end > start ? 1 : 0;
        if (end == text.size())
            break;
    }
    const Entries tree = readAnamnesisFile(file);
    EXPECT_EQ(entryCount(tree), lines);
    for (const AnamnesisEntry& c : tree) {
        EXPECT_EQ(c.level, 0) << c.text;
        EXPECT_FALSE(c.children.empty()) << c.text;
        for (const AnamnesisEntry& t : c.children)
            EXPECT_FALSE(t.children.empty()) << t.text;
    }
}

INSTANTIATE_TEST_SUITE_P(ThreeLanguages, BundledAnamnesisFile,
    ::testing::Values(Language::French, Language::English, Language::Spanish));

} // namespace
} // namespace tiravel
