#include "RtfCharset.h"

#include <array>

namespace tiravel {
namespace {

// Characters of the bytes 0x80..0x9F, where Windows-1252 departs from Latin-1.
constexpr std::array<char32_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool isSurrogate(char32_t c)
{
    return c >= 0xD800 && c <= 0xDFFF;
}

struct SequenceStart {
    std::size_t length; // 0 for a byte that cannot start a sequence
    char32_t bits;
    char32_t minimum; // smaller values are overlong forms
};

SequenceStart sequenceStart(unsigned char lead)
{
    if ((lead & 0xE0) == 0xC0)
        return {2, lead & 0x1Fu, 0x80};
    if ((lead & 0xF0) == 0xE0)
        return {3, lead & 0x0Fu, 0x800};
    if ((lead & 0xF8) == 0xF0)
        return {4, lead & 0x07u, 0x10000};
    return {0, 0, 0};
}

} // namespace

char32_t decodeWindows1252(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return kWindows1252High[byte - 0x80];
    return byte;
}

int encodeWindows1252(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<int>(character);
    for (std::size_t i = 0; i < kWindows1252High.size(); ++i) {
        if (kWindows1252High[i] == character)
            return static_cast<int>(0x80 + i);
    }
    return -1;
}

void appendUtf8(std::string& text, char32_t c)
{
    if (isSurrogate(c) || c > 0x10FFFF)
        c = kReplacementCharacter;
    const auto byte = [&text](char32_t value) { text.push_back(static_cast<char>(value)); };
    if (c < 0x80) {
        byte(c);
    } else if (c < 0x800) {
        byte(0xC0 | (c >> 6));
        byte(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        byte(0xE0 | (c >> 12));
        byte(0x80 | ((c >> 6) & 0x3F));
        byte(0x80 | (c & 0x3F));
    } else {
        byte(0xF0 | (c >> 18));
        byte(0x80 | ((c >> 12) & 0x3F));
        byte(0x80 | ((c >> 6) & 0x3F));
        byte(0x80 | (c & 0x3F));
    }
}

char32_t readUtf8(std::string_view text, std::size_t& pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    const SequenceStart start = sequenceStart(lead);
    char32_t c = start.bits;
    bool valid = start.length > 0 && pos + start.length <= text.size();
    for (std::size_t i = 1; valid && i < start.length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        valid = (next & 0xC0) == 0x80;
        c = (c << 6) | (next & 0x3Fu);
    }
    if (!valid || c < start.minimum || c > 0x10FFFF || isSurrogate(c)) {
        ++pos;
        return kReplacementCharacter;
    }
    pos += start.length;
    return c;
}

} // namespace tiravel
