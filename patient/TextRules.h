#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace tiravel {

// The longest prefix of text of at most maxBytes bytes that does not end
// inside a UTF-8 sequence.
std::string_view utf8Prefix(std::string_view text, std::size_t maxBytes);

// A number read from a text typed by the user, and whether the text was a
// valid number within range.
struct LenientNumber {
    double value;
    bool ok;
};

// Reads a decimal number ("." separator, optional sign, leading blanks) that
// ends at the end of the text or at a separator. An empty or invalid text
// gives defaultValue; a value out of range is clamped. Both cases give
// ok = false.
LenientNumber readLenientNumber(std::string_view text, double defaultValue, double maximum, double minimum);

// True when both strings have at least n bytes and their first n bytes are
// equal, letters a..z compared without regard to case (accented letters and
// other bytes compared exactly).
bool prefixMatch(std::string_view keyword, std::string_view word, std::size_t n);

// True when part occurs in text, letters a..z compared without regard to
// case (other bytes exactly). An empty part occurs in every text.
bool containsIgnoringAsciiCase(std::string_view text, std::string_view part);

// The words of one patient-document line, numbered from 1.
struct LineWords {
    static constexpr int kMaxWords = 128;
    std::array<std::string, kMaxWords + 1> words; // words[0] is unused
    int count = 0;

    // Word i, or an empty string when i is outside 1..count.
    const std::string& operator[](int i) const;
    // Words k..count joined by single spaces; empty when k > count.
    std::string joinFrom(int k) const;
};

// Splits the first 250 bytes of a line (never half a UTF-8 sequence) into at
// most 128 words separated by tabs, spaces, ",", ":" and ";". A ";" where a
// word search starts ends the line.
LineWords splitLineWords(std::string_view line);

} // namespace tiravel
