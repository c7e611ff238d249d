// The RTF reader and writer of the patient record: the document model, the
// character sets, documents as word processors write them, round trips and
// damaged or hostile input.
#include "patient/RtfCharset.h"
#include "patient/RtfDocument.h"
#include "patient/RtfReader.h"
#include "patient/RtfWriter.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace tiravel {

// Readable failure messages.
void PrintTo(const RtfRun& run, std::ostream* os)
{
    const RtfCharFormat& f = run.format;
    *os << testing::PrintToString(run.text) << (f.bold ? " b" : "") << (f.italic ? " i" : "")
        << (f.underline ? " ul" : "") << " fs" << f.fontSize << " cf" << f.colorIndex;
}

void PrintTo(const RtfParagraph& paragraph, std::ostream* os)
{
    *os << testing::PrintToString(paragraph.runs);
}

void PrintTo(const RtfColor& color, std::ostream* os)
{
    if (color.automatic)
        *os << "auto";
    else
        *os << int{color.red} << "," << int{color.green} << "," << int{color.blue};
}

namespace {

using Texts = std::vector<std::string>;

const std::string kHeader = "{\\rtf1\\ansi\\ansicpg1252\\deff0 {\\fonttbl{\\f0 Arial;}}\n";

Texts paragraphTexts(const RtfDocument& document)
{
    Texts texts;
    for (const RtfParagraph& paragraph : document.paragraphs)
        texts.push_back(paragraph.text());
    return texts;
}

// The paragraphs of "{\rtf1 " + body + "}".
Texts readBody(const std::string& body)
{
    const RtfReadResult result = readRtf("{\\rtf1 " + body + "}");
    EXPECT_TRUE(result.ok) << body << ": " << result.error;
    return paragraphTexts(result.document);
}

bool isValidUtf8(const std::string& text)
{
    std::string decoded;
    for (std::size_t pos = 0; pos < text.size();)
        appendUtf8(decoded, readUtf8(text, pos));
    return decoded == text;
}

RtfCharFormat formatOf(bool bold, int colorIndex = 0)
{
    RtfCharFormat format;
    format.bold = bold;
    format.colorIndex = colorIndex;
    return format;
}

RtfDocument readBack(const RtfDocument& document)
{
    const RtfReadResult result = readRtf(writeRtf(document));
    EXPECT_TRUE(result.ok) << result.error;
    return result.document;
}

TEST(RtfDocumentModel, PlainLinesSplitParagraphsAtLineBreaks)
{
    RtfDocument document;
    document.paragraphs.emplace_back().append("Nom:\t", formatOf(true));
    document.paragraphs.back().append("Dupont", formatOf(false));
    document.paragraphs.emplace_back();
    document.appendParagraph("Date : 12/03\nsuite");
    document.appendParagraph("fin\n");
    EXPECT_EQ(document.plainLines(), (Texts{"Nom:\tDupont", "", "Date : 12/03", "suite", "fin", ""}));
}

TEST(RtfDocumentModel, AppendMergesRunsOfTheSameFormatAndDropsEmptyText)
{
    RtfParagraph paragraph;
    paragraph.append("a", formatOf(true));
    paragraph.append("", formatOf(false));
    paragraph.append("b", formatOf(true));
    paragraph.append("c", formatOf(false));
    EXPECT_EQ(paragraph.runs, (std::vector<RtfRun>{{"ab", formatOf(true)}, {"c", formatOf(false)}}));
}

TEST(RtfDocumentModel, ColorIndexFindsOrAddsAfterTheAutomaticEntry)
{
    RtfDocument document;
    const RtfColor red{255, 0, 0};
    const RtfColor orange{224, 112, 0};
    EXPECT_EQ(document.colorIndex(red), 1);
    EXPECT_EQ(document.colorIndex(orange), 2);
    EXPECT_EQ(document.colorIndex(red), 1);
    EXPECT_EQ(document.colorIndex({.automatic = true}), 0);
    EXPECT_EQ(document.colors, (std::vector<RtfColor>{{.automatic = true}, red, orange}));
}

TEST(RtfCharsetTest, Windows1252EncodesEveryByteItDecodes)
{
    for (int byte = 0; byte < 256; ++byte)
        EXPECT_EQ(encodeWindows1252(decodeWindows1252(static_cast<unsigned char>(byte))), byte) << byte;
    EXPECT_EQ(encodeWindows1252(0x20AC), 0x80);
    EXPECT_EQ(encodeWindows1252(0x0080), -1); // not a character of the code page
    EXPECT_EQ(encodeWindows1252(0x03B1), -1);
}

TEST(RtfCharsetTest, InvalidUtf8GivesOneReplacementPerByte)
{
    const std::vector<std::string> invalid = {"\xC3", "\x80", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xFF"};
    for (const std::string& text : invalid) {
        std::size_t pos = 0;
        EXPECT_EQ(readUtf8(text, pos), kReplacementCharacter) << testing::PrintToString(text);
        EXPECT_EQ(pos, 1u);
    }
    std::size_t pos = 0;
    const std::string emoji = "\xF0\x9F\x98\x80!";
    EXPECT_EQ(readUtf8(emoji, pos), 0x1F600u);
    EXPECT_EQ(pos, 4u);
}

struct BodyCase {
    std::string body;
    Texts paragraphs;
};

TEST(RtfReaderText, ReadsControlWordsSymbolsAndEscapes)
{
    const std::vector<BodyCase> cases = {
        {"a\\par b", {"a", "b"}},
        {"a\\par  b", {"a", " b"}}, // one space ends the word, the next is text
        {"a\\par\n b\\par", {"a", " b"}}, // a line end is not a delimiter
        {"x\\par\\par y", {"x", "", "y"}},
        {"a\\line b\\tab c", {"a\nb\tc"}},
        {"a\\\r\nb", {"a", "b"}}, // backslash + line end is a paragraph
        {"a\r\nb", {"ab"}},
        {"\\\\ \\{ \\}", {"\\ { }"}},
        {"a\\~b\\-c\\_d", {"a\u00A0bc\u2011d"}},
        {"caf\\'e9 \\'80 \\'E0", {"café € à"}},
        {"caf\xE9 \x93ok\x94", {"café “ok”"}}, // raw bytes are Windows-1252
        {"\\ldblquote Hi\\rdblquote \\emdash", {"“Hi”—"}},
        {"a\\cell b\\cell\\row c", {"a\tb\t", "c"}},
        {"\\unknownword text\\par", {"text"}},
        {"a\x01\x7F" "b\tc", {"ab\tc"}},
    };
    for (const BodyCase& c : cases)
        EXPECT_EQ(readBody(c.body), c.paragraphs) << testing::PrintToString(c.body);
}

TEST(RtfReaderText, DecodesTheWholeWindows1252UpperControlRange)
{
    std::string body;
    for (int byte = 0x80; byte <= 0x9F; ++byte) {
        static const char* const hex = "0123456789abcdef";
        body += std::string("\\'") + hex[byte >> 4] + hex[byte & 0xF];
    }
    const std::string expected = "€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ";
    EXPECT_EQ(readBody(body), Texts{expected});
}

TEST(RtfReaderText, ReadsUnicodeAndSkipsItsFallback)
{
    const std::vector<BodyCase> cases = {
        {"\\u233?t\\u8364?", {"ét€"}},
        {"\\u945 ?b", {"αb"}},
        {"\\u-4064?", {"\uF020"}},
        {"\\u20013?\\u25991?", {"中文"}},
        {"\\uc2\\u945\\'e1\\'e2b", {"αb"}}, // each escape is one fallback character
        {"\\uc2\\u945\\b xy", {"αy"}}, // so is a control word, which is not obeyed
        {"\\uc0\\u945 b", {"αb"}},
        {"{\\u945}?b", {"α?b"}}, // the fallback ends with the group
        {"{\\uc2 a}\\u946??", {"aβ?"}}, // \uc belongs to its group
        {"\\u-10179?\\u-8704?", {"😀"}},
        {"\\u55357?x", {"\uFFFDx"}}, // first half of a pair alone
        {"\\u-8704?x", {"\uFFFDx"}}, // second half alone
        {"\\u-10179?\\par", {"\uFFFD"}},
        {"\\u99999999?x\\u-99999?", {"\uFFFDx\uFFFD"}},
    };
    for (const BodyCase& c : cases)
        EXPECT_EQ(readBody(c.body), c.paragraphs) << c.body;
}

TEST(RtfReaderText, SkipsDestinations)
{
    const std::vector<BodyCase> cases = {
        {"{\\*\\unknown skipped {nested \\} still}}kept", {"kept"}},
        {"a{\\*\\bkmkstart x}b", {"ab"}},
        {"{\\fonttbl{\\f0 Arial;}}{\\info{\\title T}}{\\stylesheet{\\s0 Normal;}}text", {"text"}},
        {"{\\header {\\pard Page\\par}}{\\footer x}body", {"body"}},
        {"{\\pict\\wmetafile8 0a1b\\par}{\\object\\objemb{\\*\\objdata 01}}z", {"z"}},
        {"{\\pict\\bin4 }}{\\}after", {"after"}}, // binary data may hold braces
        {"a\\bin2 {}b", {"ab"}},
        {"{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt shown}}", {"shown"}},
    };
    for (const BodyCase& c : cases)
        EXPECT_EQ(readBody(c.body), c.paragraphs) << c.body;
}

TEST(RtfReaderFormat, PushesAndPopsCharacterFormattingWithGroups)
{
    const RtfReadResult result
        = readRtf("{\\rtf1 {\\b bold {\\i both}}\\ul under\\ulnone  \\fs32\\cf2 big\\plain plain\\par"
                  "\\b1 x\\b0 y\\i z\\i0\\ul0 w\\uldb u\\ulnone\\par\\b a\\par\\pard b}");
    ASSERT_TRUE(result.ok);
    RtfCharFormat bold = formatOf(true);
    RtfCharFormat both = bold;
    both.italic = true;
    RtfCharFormat underline;
    underline.underline = true;
    RtfCharFormat big;
    big.fontSize = 32;
    big.colorIndex = 2;
    RtfCharFormat italic;
    italic.italic = true;
    const std::vector<RtfParagraph> expected = {
        {{{"bold ", bold}, {"both", both}, {"under", underline}, {" ", {}}, {"big", big}, {"plain", {}}}},
        {{{"x", bold}, {"y", {}}, {"z", italic}, {"w", {}}, {"u", underline}}},
        {{{"a", formatOf(true)}}},
        {{{"b", formatOf(true)}}}, // \pard keeps the character formatting
    };
    EXPECT_EQ(result.document.paragraphs, expected);
}

TEST(RtfReaderFormat, ReadsTheColourTable)
{
    struct Case {
        std::string table;
        std::vector<RtfColor> colors;
    };
    const RtfColor automatic{.automatic = true};
    const std::vector<Case> cases = {
        {"{\\colortbl;\\red255\\green0\\blue0;\\red0\\green112\\blue224;}", {automatic, {255, 0, 0}, {0, 112, 224}}},
        {"{\\colortbl\\red0\\green0\\blue0;\\red999\\green-5\\blue128;}", {{0, 0, 0}, {255, 0, 128}}},
        {"{\\colortbl ;\\red1\\green2}", {automatic}}, // an entry without ";" is not complete
        {"{\\colortbl ;;\\blue9 ;}", {automatic, automatic, {0, 0, 9}}},
        {"{\\colortbl;\\par\\u945?\\'3b}", {automatic}},
    };
    for (const Case& c : cases) {
        const RtfReadResult result = readRtf("{\\rtf1 " + c.table + "text}");
        EXPECT_EQ(result.document.colors, c.colors) << c.table;
        EXPECT_EQ(paragraphTexts(result.document), Texts{"text"}) << c.table;
    }
}

TEST(RtfReaderDocument, ReadsADocumentAsAWordProcessorWritesIt)
{
    const std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang1036"
                            "{\\fonttbl{\\f0\\fnil\\fcharset0 Calibri;}{\\f1\\froman Times New Roman;}}\r\n"
                            "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green112\\blue224;}\r\n"
                            "{\\stylesheet{\\s0\\snext0 Normal;}{\\s1\\sbasedon0 heading 1;}}\r\n"
                            "{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n"
                            "\\pard\\sa200\\sl276\\slmult1\\f0\\fs24\\lang12 Nom: Dupont\\par\r\n"
                            "{\\b\\cf1 Auto-\\'e9valuation}\\par\r\n"
                            "\\pard\\plain\\f1\\fs20 Date : 12/03/2024\\line suite\\tab fin\\par\r\n"
                            "{\\pict\\pngblip\\picw10\\pich10\\picwgoal150\\pichgoal150\r\n"
                            "89504e470d0a1a0a0000000d49484452\\par}\r\n"
                            "{\\*\\shppict{\\pict\\emfblip 0100}}{\\nonshppict{\\pict\\wmetafile8 0100}}\r\n"
                            " 1) Confort 3/5\\par\r\n"
                            "\\f0\\fs24 Caf\\'e9 \\u8364? fin}\r\n";
    const RtfReadResult result = readRtf(rtf);
    ASSERT_TRUE(result.ok) << result.error;
    const RtfDocument& document = result.document;
    EXPECT_EQ(document.plainLines(),
        (Texts{"Nom: Dupont", "Auto-évaluation", "Date : 12/03/2024", "suite\tfin", " 1) Confort 3/5", "Café € fin"}));
    EXPECT_EQ(document.colors, (std::vector<RtfColor>{{.automatic = true}, {255, 0, 0}, {0, 112, 224}}));
    ASSERT_EQ(document.paragraphs.size(), 5u);
    EXPECT_EQ(document.paragraphs[1].runs, (std::vector<RtfRun>{{"Auto-évaluation", formatOf(true, 1)}}));
    RtfCharFormat small;
    small.fontSize = 20;
    EXPECT_EQ(document.paragraphs[3].runs, (std::vector<RtfRun>{{" 1) Confort 3/5", small}}));
    EXPECT_EQ(document.paragraphs[4].runs, (std::vector<RtfRun>{{"Café € fin", {}}}));
}

// The body written for one paragraph of plain text.
std::string writtenBody(const std::string& text)
{
    RtfDocument document;
    document.appendParagraph(text);
    const std::string rtf = writeRtf(document);
    const std::string tail = "\\par\n}\n";
    EXPECT_TRUE(rtf.starts_with(kHeader)) << rtf;
    EXPECT_TRUE(rtf.ends_with(tail)) << rtf;
    return rtf.substr(kHeader.size(), rtf.size() - kHeader.size() - tail.size());
}

TEST(RtfWriterOutput, WritesTheHeaderAndFormattingOnlyWhereItChanges)
{
    RtfDocument document;
    const int red = document.colorIndex({255, 0, 0});
    document.paragraphs.emplace_back().append("Nom: ", formatOf(true, red));
    document.paragraphs.back().append("Dupont", formatOf(true, red));
    document.appendParagraph("1) ok", formatOf(true, red));
    document.appendParagraph("a");
    document.paragraphs.emplace_back();
    RtfCharFormat styled;
    styled.italic = true;
    styled.underline = true;
    styled.fontSize = 32;
    document.appendParagraph(" b", styled);
    EXPECT_EQ(writeRtf(document),
        kHeader
            + "{\\colortbl ;\\red255\\green0\\blue0;}\n"
              "\\b\\cf1 Nom: Dupont\\par\n"
              "1) ok\\par\n"
              "\\b0\\cf0 a\\par\n"
              "\\par\n"
              "\\i\\ul\\fs32  b\\par\n"
              "}\n");
}

TEST(RtfWriterOutput, EscapesText)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"a\\b", "a\\\\b"},
        {"{x}", "\\{x\\}"},
        {"éàçñü", "\\'e9\\'e0\\'e7\\'f1\\'fc"},
        {"€ “q” \u00A0", "\\'80 \\'93q\\'94 \\'a0"},
        {"α中", "\\u945?\\u20013?"},
        {"\uFFFD", "\\u-3?"},
        {"😀", "\\u-10179?\\u-8704?"},
        {"a\tb\nc", "a\\tab b\\line c"},
        {"a\x01\r\x7F" "b", "ab"},
        {"\xFF", "\\u-3?"}, // invalid UTF-8
    };
    for (const auto& [text, rtf] : cases)
        EXPECT_EQ(writtenBody(text), rtf) << text;
}

TEST(RtfWriterOutput, KeepsLinesShortWithoutChangingTheText)
{
    RtfDocument document;
    std::string text;
    for (int i = 0; text.size() < 6000; ++i)
        text += "mot" + std::to_string(i) + (i % 7 == 0 ? " é{α}\\\t" : "-");
    document.appendParagraph(text, formatOf(true));
    document.appendParagraph(std::string(3000, 'x'));
    const std::string rtf = writeRtf(document);
    std::istringstream lines(rtf);
    for (std::string line; std::getline(lines, line);)
        EXPECT_LE(line.size(), 200u);
    EXPECT_EQ(readBack(document), document);
}

TEST(RtfRoundTrip, ReadingWhatWasWrittenGivesTheSameDocument)
{
    RtfDocument document;
    const int red = document.colorIndex({255, 0, 0});
    const int orange = document.colorIndex({224, 112, 0});
    document.appendParagraph("Nom: Élodie Muñoz-Brügger, façade à €12 “quotes” ‘single’");
    document.paragraphs.emplace_back().append("Auto-évaluation", formatOf(true));
    document.paragraphs.back().append(" 7.5", formatOf(true, red));
    document.paragraphs.back().append("0 borderline", formatOf(false, orange));
    document.paragraphs.emplace_back();
    document.appendParagraph("Ελληνικά 中文 日本語 😀 \uFFFD \u0080 \u0081");
    document.appendParagraph("C:\\div_tiravel\\{patients} \\par {\\b not bold}");
    document.appendParagraph("  leading spaces\tand tab\nline two\n");
    document.paragraphs.emplace_back();
    RtfCharFormat styled;
    styled.italic = true;
    styled.underline = true;
    styled.fontSize = 7;
    document.appendParagraph("123 digits after a change", styled);
    document.appendParagraph("-5 ; ? after a change", formatOf(false, 2));
    EXPECT_EQ(readBack(document), document);
}

TEST(RtfRoundTrip, RandomDocumentsSurviveWritingAndReading)
{
    const std::vector<std::string> pieces = {"a", "Z", "1", " ", "-", "?", ";", "\\", "{", "}", "\t", "\n", "é", "€",
        "“", "α", "中", "😀", "\u0081", "\u00A0", "\\par", "\\'e9", "\\u8364?"};
    const std::vector<int> sizes = {24, 20, 32, 1};
    for (unsigned seed = 1; seed <= 200; ++seed) {
        std::mt19937 random(seed);
        const auto pick = [&random](std::size_t n) { return static_cast<std::size_t>(random() % n); };
        RtfDocument document;
        for (std::size_t c = pick(4); c > 0; --c)
            document.colorIndex({static_cast<std::uint8_t>(random()), 0, static_cast<std::uint8_t>(random())});
        for (std::size_t p = pick(6); p > 0; --p) {
            RtfParagraph& paragraph = document.paragraphs.emplace_back();
            for (std::size_t r = pick(5); r > 0; --r) {
                RtfCharFormat format{pick(2) == 1, pick(2) == 1, pick(2) == 1, sizes[pick(sizes.size())],
                    static_cast<int>(pick(3))};
                std::string text;
                for (std::size_t k = pick(8); k > 0; --k)
                    text += pieces[pick(pieces.size())];
                paragraph.append(text, format);
            }
        }
        EXPECT_EQ(readBack(document), document) << "seed " << seed;
    }
}

TEST(RtfReaderDamage, RefusesTextThatIsNotRtf)
{
    std::mt19937 random(7);
    std::string noise(4096, '\0');
    for (char& c : noise)
        c = static_cast<char>(random());
    for (const std::string& text : {std::string(), std::string(" \r\n"), std::string("Nom: Dupont\nDate"),
             std::string("{\\rt"), std::string("{rtf1 x}"), noise}) {
        const RtfReadResult result = readRtf(text);
        EXPECT_FALSE(result.ok);
        EXPECT_FALSE(result.error.empty());
        EXPECT_TRUE(result.document.paragraphs.empty());
    }
    EXPECT_TRUE(readRtf("\r\n  {\\rtf1 x}").ok);
}

TEST(RtfReaderDamage, LoadsWhatWasReadFromACutDocument)
{
    const std::vector<BodyCase> cases = {
        {"{\\rtf1 {\\b Nom: Dupont\\par sui", {"Nom: Dupont", "sui"}},
        {"{\\rtf1 a\\fs2", {"a"}},
        {"{\\rtf1 a\\", {"a"}},
        {"{\\rtf1 a\\'e", {"ae"}}, // half an escape is dropped
        {"{\\rtf1 a\\bin100 xy", {"a"}},
        {"{\\rtf1 a{\\*\\x b", {"a"}},
        {"{\\rtf1 a\\u-10179", {"a\uFFFD"}},
        {"{\\rtf1 a{\\colortbl;\\red9", {"a"}},
        {"{\\rtf1 a}b}}{", {"a"}}, // nothing after the closing brace
    };
    for (const BodyCase& c : cases) {
        const RtfReadResult result = readRtf(c.body);
        EXPECT_TRUE(result.ok) << c.body;
        EXPECT_EQ(paragraphTexts(result.document), c.paragraphs) << c.body;
    }
}

TEST(RtfReaderDamage, LimitsTheNestingDepth)
{
    const auto nested = [](int depth, const std::string& inner) {
        return "{\\rtf1 before\\par" + std::string(depth, '{') + inner + std::string(depth, '}') + "after}";
    };
    const RtfReadResult deepest = readRtf(nested(999, "x"));
    EXPECT_TRUE(deepest.ok) << deepest.error;
    EXPECT_EQ(paragraphTexts(deepest.document), (Texts{"before", "xafter"}));

    for (const int depth : {1000, 100000}) {
        const RtfReadResult tooDeep = readRtf(nested(depth, "x"));
        EXPECT_FALSE(tooDeep.ok);
        EXPECT_FALSE(tooDeep.error.empty());
        EXPECT_EQ(paragraphTexts(tooDeep.document), Texts{"before"});
    }
    // Inside a skipped destination braces are only counted.
    const RtfReadResult skipped = readRtf(nested(1, "\\*\\x" + std::string(100000, '{') + std::string(100000, '}')));
    EXPECT_TRUE(skipped.ok) << skipped.error;
    EXPECT_EQ(paragraphTexts(skipped.document), (Texts{"before", "after"}));
}

TEST(RtfReaderDamage, ClampsParametersAndSurvivesOddTokens)
{
    const std::vector<BodyCase> cases = {
        {"\\'zz", {"zz"}},
        {"\\'4x", {"4x"}},
        {"\\" + std::string(5000, 'a') + " kept", {"kept"}},
        {"\\bin-5 x", {"x"}},
        {"\\bin99999999999999 x", {}},
        {"a\\uc99999999999\\u945 bcd", {"aα"}},
        {"a\\uc-3\\u945 b", {"aαb"}},
        {std::string("a\0b", 3), {"ab"}},
        {"\\*a\\*", {"a"}},
    };
    for (const BodyCase& c : cases)
        EXPECT_EQ(readBody(c.body), c.paragraphs) << c.body.substr(0, 40);

    const RtfReadResult sizes = readRtf(
        "{\\rtf1 \\fs" + std::string(5000, '9') + " a\\fs-99999999999 b\\cf99999999999 c\\cf-4 d\\fs e}");
    ASSERT_TRUE(sizes.ok);
    std::vector<std::pair<int, int>> formats;
    for (const RtfRun& run : sizes.document.paragraphs.at(0).runs)
        formats.emplace_back(run.format.fontSize, run.format.colorIndex);
    EXPECT_EQ(formats, (std::vector<std::pair<int, int>>{{3276, 0}, {1, 0}, {1, 32767}, {1, 0}, {24, 0}}));
}

// Whatever the reader makes of a token soup is a document the writer can
// write back exactly, in valid UTF-8.
TEST(RtfReaderDamage, TokenSoupGivesAWritableDocument)
{
    const std::vector<std::string> tokens = {"{", "}", "\\", "\\'", "\\u", "\\bin", "\\*", "\\fonttbl", "\\colortbl",
        "\\pict", ";", "\\red", "\\b", "\\fs", "\\cf", "\\uc", "\\par", "\\line", "-", "9", "99999999999", "a", " ",
        "\r\n", "\xE9", "\x93", "\xF0\x9F", "e9", "\\~", "\\{"};
    for (unsigned seed = 0; seed < 400; ++seed) {
        std::mt19937 random(seed);
        std::string rtf = "{\\rtf1 ";
        for (int i = 0; i < 300; ++i)
            rtf += seed % 4 == 0 ? std::string(1, static_cast<char>(random())) : tokens[random() % tokens.size()];
        const RtfReadResult result = readRtf(rtf);
        for (const RtfParagraph& paragraph : result.document.paragraphs) {
            for (const RtfRun& run : paragraph.runs)
                EXPECT_TRUE(isValidUtf8(run.text)) << "seed " << seed;
        }
        EXPECT_EQ(readBack(result.document), result.document) << "seed " << seed;
    }
}

TEST(RtfFiles, WritesAndReadsAFile)
{
    test::TempFolder folder;
    RtfDocument document;
    document.appendParagraph("Fiche patient de dupont", formatOf(true, document.colorIndex({0, 128, 0})));
    document.appendParagraph("Prénom: Zoé");
    const auto path = folder.path("dupont.RTF");
    ASSERT_TRUE(writeRtfFile(document, path));
    const RtfReadResult result = readRtfFile(path);
    EXPECT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.document, document);

    EXPECT_FALSE(readRtfFile(folder.path("missing.rtf")).ok);
    EXPECT_FALSE(writeRtfFile(document, folder.path("no-such-folder") / "x.rtf"));
}

} // namespace
} // namespace tiravel
