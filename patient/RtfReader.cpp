#include "RtfReader.h"

#include "RtfCharset.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

namespace tiravel {
namespace {

constexpr std::size_t kMaxGroupDepth = 1000;
constexpr std::int64_t kMaxParameter = std::numeric_limits<std::int32_t>::max();
constexpr int kMaxFontSize = 3276; // half-points
constexpr int kMaxColorIndex = 32767;
constexpr int kMaxFallbackLength = 255;

// Destinations whose content is never document text.
constexpr auto kSkippedDestinations = std::to_array<std::string_view>({"fonttbl", "filetbl", "stylesheet", "listtable",
    "listoverridetable", "revtbl", "rsidtbl", "info", "generator", "pict", "object", "nonshppict", "header", "headerl",
    "headerr", "headerf", "footer", "footerl", "footerr", "footerf", "footnote", "fldinst", "xmlnstbl", "themedata",
    "colorschememapping", "latentstyles", "datastore", "pn", "userprops", "template"});

// Underline styles other than plain \ul, all read as underlined.
constexpr auto kUnderlineStyles = std::to_array<std::string_view>({"uld", "uldb", "ulw", "ulth", "uldash", "ulwave"});

struct SymbolWord {
    std::string_view name;
    char32_t character;
};

constexpr std::array<SymbolWord, 10> kSymbolWords = {{{"emdash", 0x2014}, {"endash", 0x2013}, {"lquote", 0x2018},
    {"rquote", 0x2019}, {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"bullet", 0x2022}, {"emspace", 0x2003},
    {"enspace", 0x2002}, {"qmspace", 0x2005}}};

template <std::size_t N>
bool contains(const std::array<std::string_view, N>& names, std::string_view name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::optional<char32_t> symbolWord(std::string_view name)
{
    for (const SymbolWord& symbol : kSymbolWords) {
        if (symbol.name == name)
            return symbol.character;
    }
    return std::nullopt;
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool isHighSurrogate(char32_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool isLowSurrogate(char32_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

struct ControlWord {
    std::string_view name;
    bool hasParameter = false;
    int parameter = 0;

    int clamped(int low, int high) const { return std::clamp(parameter, low, high); }
};

// Reads one document. Groups are kept on an explicit stack, so nesting never
// reaches the C++ stack; skipped destinations are passed over by counting
// braces.
class RtfParser {
public:
    explicit RtfParser(std::string_view input)
        : in_(input)
    {
    }

    RtfReadResult parse(std::size_t start);

private:
    enum class Destination { Text, ColorTable };

    struct GroupState {
        RtfCharFormat format;
        int fallbackLength = 1;
        Destination destination = Destination::Text;
    };

    char at(std::size_t i) const { return i < in_.size() ? in_[i] : '\0'; }
    void advance(std::size_t n) { pos_ = std::min(pos_ + n, in_.size()); }
    void fail(std::string message);

    void step();
    void openGroup();
    void closeGroup();
    void readControl();
    ControlWord readControlWord();
    void readHexEscape();
    void controlSymbol(char symbol);
    void controlWord(const ControlWord& word);
    void colorWord(const ControlWord& word);
    bool formatWord(const ControlWord& word);
    bool textWord(const ControlWord& word);
    void unicodeCharacter(int value);
    void textByte(unsigned char byte);
    bool skipFallback();
    void skipGroup();
    void skipControl();
    void skipBinary(int length) { advance(static_cast<std::size_t>(std::max(length, 0))); }

    bool inText() const { return state_.destination == Destination::Text; }
    void character(char32_t c);
    void appendCharacter(char32_t c);
    void lineBreak();
    void endParagraph();
    void flushSurrogate();
    void endColor();

    std::string_view in_;
    std::size_t pos_ = 0;
    bool finished_ = false;
    std::string error_;
    std::vector<GroupState> stack_;
    GroupState state_;
    bool destinationNext_ = false; // after "\*"
    int pendingFallback_ = 0; // fallback characters of the last \u still to skip
    char32_t highSurrogate_ = 0; // first half of a pair, waiting for its second
    RtfColor color_; // colour-table entry being read
    bool colorSet_ = false;
    RtfParagraph paragraph_;
    RtfDocument document_;
};

RtfReadResult RtfParser::parse(std::size_t start)
{
    pos_ = start;
    while (!finished_ && pos_ < in_.size())
        step();
    flushSurrogate();
    if (!paragraph_.runs.empty())
        document_.paragraphs.push_back(std::move(paragraph_));
    const bool ok = error_.empty();
    return {std::move(document_), ok, std::move(error_)};
}

void RtfParser::fail(std::string message)
{
    error_ = std::move(message);
    finished_ = true;
}

void RtfParser::step()
{
    const char c = in_[pos_];
    switch (c) {
    case '{':
        openGroup();
        break;
    case '}':
        closeGroup();
        break;
    case '\\':
        readControl();
        break;
    case '\r':
    case '\n':
        advance(1);
        break;
    default:
        advance(1);
        if (!skipFallback())
            textByte(static_cast<unsigned char>(c));
    }
}

void RtfParser::openGroup()
{
    advance(1);
    pendingFallback_ = 0;
    destinationNext_ = false;
    if (stack_.size() >= kMaxGroupDepth) {
        fail("groups nested more than 1000 deep");
        return;
    }
    stack_.push_back(state_);
}

void RtfParser::closeGroup()
{
    advance(1);
    pendingFallback_ = 0;
    destinationNext_ = false;
    state_ = stack_.back();
    stack_.pop_back();
    finished_ = stack_.empty();
}

void RtfParser::readControl()
{
    advance(1);
    if (pos_ >= in_.size())
        return;
    const char c = in_[pos_];
    if (isLetter(c)) {
        controlWord(readControlWord());
        return;
    }
    advance(1);
    if (c == '\'')
        readHexEscape();
    else if (!skipFallback())
        controlSymbol(c);
}

// A name of letters, an optional signed number clamped to 32 bits and the
// space that may end the word.
ControlWord RtfParser::readControlWord()
{
    const std::size_t begin = pos_;
    while (isLetter(at(pos_)))
        advance(1);
    ControlWord word{in_.substr(begin, pos_ - begin)};
    const bool negative = at(pos_) == '-' && isDigit(at(pos_ + 1));
    if (negative)
        advance(1);
    std::int64_t value = 0;
    for (; isDigit(at(pos_)); advance(1)) {
        value = std::min(value * 10 + (at(pos_) - '0'), kMaxParameter);
        word.hasParameter = true;
    }
    word.parameter = static_cast<int>(negative ? -value : value);
    if (at(pos_) == ' ')
        advance(1);
    return word;
}

// \'hh; without two hex digits the escape is dropped and what follows is
// read as text.
void RtfParser::readHexEscape()
{
    const int high = hexValue(at(pos_));
    const int low = hexValue(at(pos_ + 1));
    if (high < 0 || low < 0)
        return;
    advance(2);
    if (!skipFallback())
        character(decodeWindows1252(static_cast<unsigned char>(high * 16 + low)));
}

void RtfParser::controlSymbol(char symbol)
{
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        character(static_cast<unsigned char>(symbol));
        break;
    case '~':
        character(0x00A0);
        break;
    case '_':
        character(0x2011);
        break;
    case '*':
        destinationNext_ = true;
        break;
    case '\r':
    case '\n':
        endParagraph();
        break;
    default: // \- (optional hyphen) and the index and formula symbols show nothing
        break;
    }
}

void RtfParser::controlWord(const ControlWord& word)
{
    if (word.name == "bin") {
        skipBinary(word.parameter);
        skipFallback();
        return;
    }
    if (skipFallback())
        return;
    if (std::exchange(destinationNext_, false) || contains(kSkippedDestinations, word.name)) {
        skipGroup();
        return;
    }
    if (word.name == "colortbl") {
        state_.destination = Destination::ColorTable;
        document_.colors.clear();
        color_ = {};
        colorSet_ = false;
        return;
    }
    if (!inText())
        colorWord(word);
    else if (!formatWord(word))
        textWord(word); // any other word carries nothing the document keeps
}

void RtfParser::colorWord(const ControlWord& word)
{
    std::uint8_t* component = word.name == "red" ? &color_.red
        : word.name == "green"                   ? &color_.green
        : word.name == "blue"                    ? &color_.blue
                                                 : nullptr;
    if (component == nullptr)
        return;
    *component = static_cast<std::uint8_t>(word.clamped(0, 255));
    colorSet_ = true;
}

// Character formatting, pushed and popped with the groups. \pard only resets
// paragraph formatting, which the document does not keep.
bool RtfParser::formatWord(const ControlWord& word)
{
    const std::string_view name = word.name;
    RtfCharFormat& format = state_.format;
    const bool on = !word.hasParameter || word.parameter != 0;
    if (name == "b")
        format.bold = on;
    else if (name == "i")
        format.italic = on;
    else if (name == "ul" || contains(kUnderlineStyles, name))
        format.underline = on;
    else if (name == "ulnone")
        format.underline = false;
    else if (name == "fs")
        format.fontSize = word.hasParameter ? word.clamped(1, kMaxFontSize) : RtfCharFormat{}.fontSize;
    else if (name == "cf")
        format.colorIndex = word.clamped(0, kMaxColorIndex);
    else if (name == "plain")
        format = RtfCharFormat{};
    else if (name == "uc")
        state_.fallbackLength = word.clamped(0, kMaxFallbackLength);
    else
        return false;
    return true;
}

bool RtfParser::textWord(const ControlWord& word)
{
    const std::string_view name = word.name;
    if (name == "par" || name == "row")
        endParagraph();
    else if (name == "line")
        lineBreak();
    else if (name == "tab" || name == "cell")
        character('\t');
    else if (name == "u" && word.hasParameter)
        unicodeCharacter(word.parameter);
    else if (const std::optional<char32_t> symbol = symbolWord(name))
        character(*symbol);
    else
        return false;
    return true;
}

// \uN: a signed 16-bit unit (negative values stand for N + 65536); two
// surrogate units make one character.
void RtfParser::unicodeCharacter(int value)
{
    pendingFallback_ = state_.fallbackLength;
    const std::int64_t unit = value < 0 ? value + std::int64_t{65536} : value;
    const char32_t c = unit < 0 ? kReplacementCharacter : static_cast<char32_t>(unit);
    if (isHighSurrogate(c)) {
        flushSurrogate();
        highSurrogate_ = c;
    } else if (isLowSurrogate(c) && highSurrogate_ != 0) {
        const char32_t pair = 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (c - 0xDC00);
        highSurrogate_ = 0;
        appendCharacter(pair);
    } else {
        character(c);
    }
}

void RtfParser::textByte(unsigned char byte)
{
    if (inText())
        character(decodeWindows1252(byte));
    else if (byte == ';')
        endColor();
}

// Skips one character of a \u fallback when some are pending: a byte, an
// escape, a control symbol or word each count as one.
bool RtfParser::skipFallback()
{
    if (pendingFallback_ == 0)
        return false;
    --pendingFallback_;
    return true;
}

// Passes over the rest of the current group, leaving its closing brace.
void RtfParser::skipGroup()
{
    std::size_t depth = 1;
    while (pos_ < in_.size()) {
        switch (in_[pos_]) {
        case '{':
            ++depth;
            advance(1);
            break;
        case '}':
            if (--depth == 0)
                return;
            advance(1);
            break;
        case '\\':
            skipControl();
            break;
        default:
            advance(1);
        }
    }
}

// An escaped brace does not count as a brace, and \bin data may hold any byte.
void RtfParser::skipControl()
{
    advance(1);
    if (!isLetter(at(pos_))) {
        advance(1);
        return;
    }
    const ControlWord word = readControlWord();
    if (word.name == "bin")
        skipBinary(word.parameter);
}

void RtfParser::character(char32_t c)
{
    flushSurrogate();
    appendCharacter(c);
}

void RtfParser::appendCharacter(char32_t c)
{
    if (!inText() || (c < 0x20 && c != '\t') || c == 0x7F)
        return;
    std::string utf8;
    appendUtf8(utf8, c);
    paragraph_.append(utf8, state_.format);
}

void RtfParser::lineBreak()
{
    if (!inText())
        return;
    flushSurrogate();
    paragraph_.append("\n", state_.format);
}

void RtfParser::endParagraph()
{
    if (!inText())
        return;
    flushSurrogate();
    document_.paragraphs.push_back(std::exchange(paragraph_, {}));
}

// A first half of a pair not followed by its second half.
void RtfParser::flushSurrogate()
{
    if (highSurrogate_ == 0)
        return;
    highSurrogate_ = 0;
    appendCharacter(kReplacementCharacter);
}

// ";" ends an entry; an entry without components is the automatic colour.
void RtfParser::endColor()
{
    document_.colors.push_back(colorSet_ ? color_ : RtfColor{.automatic = true});
    color_ = {};
    colorSet_ = false;
}

} // namespace

RtfReadResult readRtf(std::string_view rtf)
{
    const std::size_t start = rtf.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos || !rtf.substr(start).starts_with("{\\rtf"))
        return {{}, false, "not an RTF document"};
    return RtfParser(rtf).parse(start);
}

RtfReadResult readRtfFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open())
        return {{}, false, "cannot read " + path.string()};
    const std::string content((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad())
        return {{}, false, "cannot read " + path.string()};
    return readRtf(content);
}

} // namespace tiravel
