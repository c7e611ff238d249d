#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tiravel {

// What the name of a recording tells about it. Every function takes a file
// name or a full path; only the part after the last "/" is looked at.

// True when the file name contains word, letters a..z compared without
// regard to case (other bytes exactly). Names of fewer than 10 characters
// never match, and an occurrence must end before the name's last character.
bool fileNameContains(std::string_view fileName, std::string_view word);

// The phase-portrait mode of a sound: 0 ordinary, 1 siren ("sirène",
// "siren"), 3 sung vowel ("a-chant", "a-sing"), 2 diadochokinesis ("diado");
// tested in that order, the last match wins.
std::uint8_t soundKindOf(std::string_view fileName);

// The speaker coded at the end of a recording's name, just before its
// extension: ...<category letter><two-digit age>.wav. Characters counted from
// the end of the name with its extension (L characters): L-6 is the category
// ("F" woman 1; "H" or "M" man 0; "E" or "C" child 2; either case), L-5..L-4
// the age. Each is empty when the name does not hold it.
struct RecordingSpeaker {
    std::optional<std::uint8_t> voiceCategory;
    std::optional<std::int32_t> age;
};
RecordingSpeaker speakerOf(std::string_view fileName);

} // namespace tiravel
