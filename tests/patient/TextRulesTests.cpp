// The text rules shared by the settings file, the classification file and the
// patient document: the lenient number reader, the prefix match and the
// splitting of a line into words.
#include "patient/TextRules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tiravel {
namespace {

struct NumberCase {
    std::string text;
    double value;
    bool ok;
};

TEST(TextRulesLenientNumber, ReadsWithTheCalibrationRange)
{
    // Default 1.0, range 0.00001..100000, as for the level calibration.
    const std::vector<NumberCase> cases = {
        {"2.5", 2.5, true},
        {"+2.5", 2.5, true},
        {"  \t3", 3.0, true},
        {"1.5s", 1.5, true},
        {"12)", 12.0, true},
        {"7 kg", 7.0, true},
        {"4/5", 4.0, true},
        {"0.25;x", 0.25, true},
        {"3.14.15", 3.1415, true}, // every "." keeps reading decimals
        {"", 1.0, false},
        {"abc", 1.0, false},
        {"1e3", 1.0, false},
        {"2,5", 2.0, true}, // the comma ends the number
        {"++2", 1.0, false}, // only one "+" is skipped
        {" 2 5", 2.0, true},
        {"0", 0.00001, false},
        {"-4", 0.00001, false},
        {"4-", 0.00001, false}, // "-" anywhere makes the number negative
        {"100000", 100000.0, true},
        {"100000.5", 100000.0, false},
        {"2x", 1.0, false},
    };
    for (const NumberCase& c : cases) {
        const LenientNumber read = readLenientNumber(c.text, 1.0, 100000.0, 0.00001);
        EXPECT_DOUBLE_EQ(read.value, c.value) << '"' << c.text << '"';
        EXPECT_EQ(read.ok, c.ok) << '"' << c.text << '"';
    }
}

TEST(TextRulesLenientNumber, AnInvalidTextGivesTheDefaultEvenOutOfRange)
{
    // The default is checked against the range like any value.
    const LenientNumber read = readLenientNumber("x", 50.0, 10.0, 0.0);
    EXPECT_DOUBLE_EQ(read.value, 10.0);
    EXPECT_FALSE(read.ok);
    const LenientNumber negative = readLenientNumber("-3.5", 0.0, 10.0, -10.0);
    EXPECT_DOUBLE_EQ(negative.value, -3.5);
    EXPECT_TRUE(negative.ok);
}

struct MatchCase {
    std::string keyword;
    std::string word;
    std::size_t n;
    bool match;
};

TEST(TextRulesPrefixMatch, ComparesTheFirstNBytes)
{
    const std::vector<MatchCase> cases = {
        {"http://", "HTTP://x", 7, true},
        {"http://", "https://x", 7, false},
        {"EN", "ENglish", 2, true},
        {"EN", "en", 2, true},
        {"EN", "E", 2, false}, // a word shorter than n never matches
        {"E", "EN", 2, false}, // nor a keyword shorter than n
        {"Nom", "Nombre", 3, true},
        {"Nom", "No", 3, false},
        {"Prénom", "PRÉNOM", 7, false}, // accented letters keep their case
        {"Prénom", "PRéNOM", 7, true},
        {"Anamnèse", "anamnèse:", 9, true},
        {"a/z", "A/Z", 3, true},
        {"[", "{", 1, false}, // only a..z fold: "[" and "{" differ by 32 too
        {"", "", 0, true},
    };
    for (const MatchCase& c : cases)
        EXPECT_EQ(prefixMatch(c.keyword, c.word, c.n), c.match) << c.keyword << " / " << c.word << " / " << c.n;
}

struct SplitCase {
    std::string line;
    std::vector<std::string> words;
};

TEST(TextRulesLineWords, SplitsOnSeparators)
{
    const std::vector<SplitCase> cases = {
        {"Nom : Dupont", {"Nom", "Dupont"}},
        {"\t a,b::c  d\t", {"a", "b", "c", "d"}},
        {"; commentaire", {}},
        {"", {}},
        {" \t,", {}},
        {"a;b", {"a"}}, // the ";" that ends a word starts the next search
        {"a ;b", {"a", "b"}}, // a ";" after other separators is skipped
        {" ;a", {"a"}},
        {"Prénom: Élodie", {"Prénom", "Élodie"}},
        {"1) Confort 3/5", {"1)", "Confort", "3/5"}},
    };
    for (const SplitCase& c : cases) {
        const LineWords words = splitLineWords(c.line);
        ASSERT_EQ(words.count, static_cast<int>(c.words.size())) << '"' << c.line << '"';
        for (int i = 1; i <= words.count; ++i)
            EXPECT_EQ(words[i], c.words[static_cast<std::size_t>(i - 1)]) << '"' << c.line << '"';
    }
}

TEST(TextRulesLineWords, NumbersWordsFromOneAndJoinsThem)
{
    const LineWords words = splitLineWords("Motif de consultation :  voix  cassée");
    ASSERT_EQ(words.count, 5);
    EXPECT_EQ(words[0], "");
    EXPECT_EQ(words[6], "");
    EXPECT_EQ(words[-1], "");
    EXPECT_EQ(words.joinFrom(4), "voix cassée");
    EXPECT_EQ(words.joinFrom(5), "cassée");
    EXPECT_EQ(words.joinFrom(6), "");
    EXPECT_EQ(words.joinFrom(1), "Motif de consultation voix cassée");
}

TEST(TextRulesLineWords, ReadsOnlyTheFirst250Bytes)
{
    // 130 one-letter words need 259 bytes: the length limit stops at 125.
    std::string manyWords;
    for (int i = 0; i < 130; ++i)
        manyWords += std::string(1, static_cast<char>('a' + i % 26)) + " ";
    const LineWords many = splitLineWords(manyWords);
    EXPECT_EQ(many.count, 125);
    EXPECT_EQ(many[125], "u");

    // A word running across byte 250 is cut there.
    const LineWords long1 = splitLineWords(std::string(248, 'x') + " abcdef");
    ASSERT_EQ(long1.count, 2);
    EXPECT_EQ(long1[2], "a");

    // "é" takes bytes 250 and 251: it is dropped whole, not cut in half.
    const LineWords accent = splitLineWords(std::string(249, 'x') + "é");
    ASSERT_EQ(accent.count, 1);
    EXPECT_EQ(accent[1], std::string(249, 'x'));
    const LineWords fits = splitLineWords(std::string(248, 'x') + "é");
    EXPECT_EQ(fits[1], std::string(248, 'x') + "é");
}

TEST(TextRulesUtf8Prefix, NeverCutsASequence)
{
    EXPECT_EQ(utf8Prefix("abc", 5), "abc");
    EXPECT_EQ(utf8Prefix("abc", 2), "ab");
    EXPECT_EQ(utf8Prefix("aé", 2), "a");
    EXPECT_EQ(utf8Prefix("aé", 3), "aé");
    EXPECT_EQ(utf8Prefix("a€b", 3), "a"); // three-byte sequence
    EXPECT_EQ(utf8Prefix("€", 0), "");
}

TEST(TextRules, ContainsIgnoringTheCaseOfAsciiLetters)
{
    struct Case {
        const char* text;
        const char* part;
        bool found;
    };
    for (const Case& c : {Case {"1200 - Nodules vocaux", "NODULE", true}, Case {"Polype", "lyp", true},
             Case {"Œdème de Reinke", "œdème", false}, Case {"Œdème de Reinke", "Œdème", true},
             Case {"abc", "abcd", false}, Case {"abc", "", true}, Case {"", "a", false}}) {
        EXPECT_EQ(containsIgnoringAsciiCase(c.text, c.part), c.found) << c.text << " / " << c.part;
    }
}

} // namespace
} // namespace tiravel
