#include "RtfWriter.h"

#include "RtfCharset.h"

#include <fstream>
#include <string_view>
#include <utility>

namespace tiravel {
namespace {

constexpr std::size_t kMaxLineLength = 200;
constexpr char kHexDigits[] = "0123456789abcdef";

// RTF text cut into lines between tokens. A token is never split, so a
// control word and the space that ends it stay together (a line end there
// would leave the space to the text).
class RtfOutput {
public:
    void put(std::string_view token)
    {
        if (lineLength_ > 0 && lineLength_ + token.size() > kMaxLineLength)
            endLine();
        text_ += token;
        lineLength_ += token.size();
    }

    void endLine()
    {
        text_ += '\n';
        lineLength_ = 0;
    }

    std::string take() { return std::move(text_); }

private:
    std::string text_;
    std::size_t lineLength_ = 0;
};

void writeHeader(RtfOutput& out, const RtfDocument& document)
{
    out.put("{\\rtf1\\ansi\\ansicpg1252\\deff0 {\\fonttbl{\\f0 Arial;}}");
    out.endLine();
    if (document.colors.empty())
        return;
    out.put("{\\colortbl ");
    for (const RtfColor& color : document.colors) {
        if (color.automatic)
            out.put(";");
        else
            out.put("\\red" + std::to_string(color.red) + "\\green" + std::to_string(color.green) + "\\blue"
                + std::to_string(color.blue) + ";");
    }
    out.put("}");
    out.endLine();
}

void writeFormatChange(RtfOutput& out, const RtfCharFormat& from, const RtfCharFormat& to)
{
    std::string words;
    if (to.bold != from.bold)
        words += to.bold ? "\\b" : "\\b0";
    if (to.italic != from.italic)
        words += to.italic ? "\\i" : "\\i0";
    if (to.underline != from.underline)
        words += to.underline ? "\\ul" : "\\ulnone";
    if (to.fontSize != from.fontSize)
        words += "\\fs" + std::to_string(to.fontSize);
    if (to.colorIndex != from.colorIndex)
        words += "\\cf" + std::to_string(to.colorIndex);
    out.put(words + " ");
}

// One UTF-16 unit as a signed 16-bit \u value with its fallback.
std::string unicodeUnit(char32_t unit)
{
    const long value = unit > 32767 ? static_cast<long>(unit) - 65536 : static_cast<long>(unit);
    return "\\u" + std::to_string(value) + "?";
}

std::string nonAscii(char32_t c)
{
    const int byte = encodeWindows1252(c);
    if (byte >= 0)
        return {'\\', '\'', kHexDigits[byte >> 4], kHexDigits[byte & 0xF]};
    if (c > 0xFFFF)
        return unicodeUnit(0xD800 + ((c - 0x10000) >> 10)) + unicodeUnit(0xDC00 + ((c - 0x10000) & 0x3FF));
    return unicodeUnit(c);
}

// The RTF token of one character; empty for a control character that is
// not text.
std::string rtfCharacter(char32_t c)
{
    switch (c) {
    case '\\': return "\\\\";
    case '{': return "\\{";
    case '}': return "\\}";
    case '\t': return "\\tab ";
    case '\n': return "\\line ";
    }
    if (c < 0x20 || c == 0x7F)
        return {};
    if (c < 0x80)
        return std::string(1, static_cast<char>(c));
    return nonAscii(c);
}

void writeText(RtfOutput& out, std::string_view utf8)
{
    for (std::size_t pos = 0; pos < utf8.size();)
        out.put(rtfCharacter(readUtf8(utf8, pos)));
}

} // namespace

std::string rtfText(std::string_view utf8)
{
    std::string rtf;
    for (std::size_t pos = 0; pos < utf8.size();)
        rtf += rtfCharacter(readUtf8(utf8, pos));
    return rtf;
}

std::string writeRtf(const RtfDocument& document)
{
    RtfOutput out;
    writeHeader(out, document);
    RtfCharFormat current;
    for (const RtfParagraph& paragraph : document.paragraphs) {
        for (const RtfRun& run : paragraph.runs) {
            if (run.text.empty())
                continue;
            if (run.format != current)
                writeFormatChange(out, current, run.format);
            current = run.format;
            writeText(out, run.text);
        }
        out.put("\\par");
        out.endLine();
    }
    out.put("}");
    out.endLine();
    return out.take();
}

bool writeRtfFile(const RtfDocument& document, const std::filesystem::path& path)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << writeRtf(document);
    file.close();
    return !file.fail();
}

} // namespace tiravel
