#include "RecordingNames.h"

#include <cstddef>

namespace tiravel {

namespace {

constexpr std::size_t kShortestMatchingName = 10; // characters

std::string_view fileNamePart(std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool isContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::size_t characterCount(std::string_view text)
{
    std::size_t count = 0;
    for (char c : text)
        count += isContinuationByte(c) ? 0 : 1;
    return count;
}

// Byte offset where the k-th character from the end starts (k = 1 is the
// last character), or npos when the text is shorter.
std::size_t characterFromEnd(std::string_view text, std::size_t k)
{
    std::size_t i = text.size();
    for (std::size_t seen = 0; seen < k;) {
        if (i == 0)
            return std::string_view::npos;
        --i;
        seen += isContinuationByte(text[i]) ? 0 : 1;
    }
    return i;
}

char asciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool equalAt(std::string_view text, std::size_t at, std::string_view word)
{
    for (std::size_t k = 0; k < word.size(); ++k) {
        if (asciiUpper(text[at + k]) != asciiUpper(word[k]))
            return false;
    }
    return true;
}

std::optional<std::uint8_t> categoryOf(char letter)
{
    switch (asciiUpper(letter)) {
    case 'F': return 1;
    case 'H':
    case 'M': return 0;
    case 'E':
    case 'C': return 2;
    default: return std::nullopt;
    }
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

bool fileNameContains(std::string_view fileName, std::string_view word)
{
    const std::string_view name = fileNamePart(fileName);
    if (word.empty() || characterCount(name) < kShortestMatchingName)
        return false;
    const std::size_t lastCharacter = characterFromEnd(name, 1);
    for (std::size_t at = 0; at + word.size() <= lastCharacter; ++at) {
        if (equalAt(name, at, word))
            return true;
    }
    return false;
}

std::uint8_t soundKindOf(std::string_view fileName)
{
    std::uint8_t kind = 0;
    if (fileNameContains(fileName, "sirène") || fileNameContains(fileName, "siren"))
        kind = 1;
    if (fileNameContains(fileName, "a-chant") || fileNameContains(fileName, "a-sing"))
        kind = 3;
    if (fileNameContains(fileName, "diado"))
        kind = 2;
    return kind;
}

RecordingSpeaker speakerOf(std::string_view fileName)
{
    const std::string_view name = fileNamePart(fileName);
    RecordingSpeaker speaker;
    const std::size_t category = characterFromEnd(name, 7); // character L-6
    if (category != std::string_view::npos)
        speaker.voiceCategory = categoryOf(name[category]);
    const std::size_t tens = characterFromEnd(name, 6);     // characters L-5, L-4
    const std::size_t units = characterFromEnd(name, 5);
    if (tens != std::string_view::npos && isDigit(name[tens]) && isDigit(name[units]))
        speaker.age = (name[tens] - '0') * 10 + (name[units] - '0');
    return speaker;
}

} // namespace tiravel
