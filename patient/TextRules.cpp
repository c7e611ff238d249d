#include "TextRules.h"

#include <algorithm>

namespace tiravel {

namespace {

constexpr std::size_t kMaxLineLength = 250;

bool isContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

bool endsNumber(char c)
{
    return std::string_view("\t ()/,;Ss").find(c) != std::string_view::npos;
}

bool isWordSeparator(char c)
{
    return std::string_view("\t ,:;").find(c) != std::string_view::npos;
}

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string_view utf8Prefix(std::string_view text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return text;
    std::size_t end = maxBytes;
    while (end > 0 && isContinuationByte(text[end]))
        --end;
    return text.substr(0, end);
}

LenientNumber readLenientNumber(std::string_view text, double defaultValue, double maximum, double minimum)
{
    if (text.empty())
        return {defaultValue, false};
    std::size_t i = text.find_first_not_of("\t ");
    if (i != std::string_view::npos && text[i] == '+')
        ++i;
    double value = 0.0;
    double weight = 1.0;
    bool decimals = false;
    bool negative = false;
    bool ok = true;
    for (; i < text.size() && !endsNumber(text[i]); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            const int digit = c - '0';
            if (decimals) {
                weight /= 10.0;
                value += digit * weight;
            } else {
                value = value * 10.0 + digit;
            }
        } else if (c == '.') {
            decimals = true;
        } else if (c == '-') {
            negative = true;
        } else {
            ok = false;
        }
    }
    if (negative)
        value = -value;
    if (!ok)
        value = defaultValue;
    if (value < minimum)
        return {minimum, false};
    if (value > maximum)
        return {maximum, false};
    return {value, ok};
}

bool prefixMatch(std::string_view keyword, std::string_view word, std::size_t n)
{
    if (keyword.size() < n || word.size() < n)
        return false;
    return std::equal(keyword.begin(), keyword.begin() + static_cast<std::ptrdiff_t>(n), word.begin(),
        [](char a, char b) { return asciiLower(a) == asciiLower(b); });
}

bool containsIgnoringAsciiCase(std::string_view text, std::string_view part)
{
    for (std::size_t i = 0; i + part.size() <= text.size(); ++i)
        if (prefixMatch(part, text.substr(i), part.size()))
            return true;
    return false;
}

const std::string& LineWords::operator[](int i) const
{
    static const std::string none;
    return i >= 1 && i <= count ? words[static_cast<std::size_t>(i)] : none;
}

std::string LineWords::joinFrom(int k) const
{
    std::string joined;
    for (int i = std::max(k, 1); i <= count; ++i) {
        if (!joined.empty())
            joined += ' ';
        joined += words[static_cast<std::size_t>(i)];
    }
    return joined;
}

LineWords splitLineWords(std::string_view line)
{
    const std::string_view text = utf8Prefix(line, kMaxLineLength);
    LineWords result;
    std::size_t i = 0;
    while (i < text.size() && text[i] != ';' && result.count < LineWords::kMaxWords) {
        while (i < text.size() && isWordSeparator(text[i]))
            ++i;
        const std::size_t start = i;
        while (i < text.size() && !isWordSeparator(text[i]))
            ++i;
        if (i > start)
            result.words[static_cast<std::size_t>(++result.count)] = std::string(text.substr(start, i - start));
    }
    return result;
}

} // namespace tiravel
