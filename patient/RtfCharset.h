#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tiravel {

// Stands for text that cannot be decoded.
inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// The character of a Windows-1252 byte. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) give the C1 control of that value.
char32_t decodeWindows1252(unsigned char byte);

// The Windows-1252 byte of a character, or -1 when the code page has none.
int encodeWindows1252(char32_t character);

// Appends the UTF-8 form of a character; a surrogate or a value beyond
// U+10FFFF is appended as U+FFFD.
void appendUtf8(std::string& text, char32_t character);

// Decodes the UTF-8 sequence at text[pos] (pos < text.size()) and moves pos
// past it. An invalid, overlong or truncated sequence gives U+FFFD and moves
// pos by one byte.
char32_t readUtf8(std::string_view text, std::size_t& pos);

} // namespace tiravel
