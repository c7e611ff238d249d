#pragma once

#include "analysis/IndicatorValues.h"
#include "shell/LanguageTexts.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tiravel {

// The picture titles of the patient button and of the mail.
inline constexpr TriText kSpectrumPictureTitle {"Spectre", "Spectrum", "Espectro"};
inline constexpr TriText kPowerPictureTitle {"Puissance", "Power", "Potencia"};
inline constexpr const char* kMailPictureTitle = "Spectrogramme";

// The date stamp of an expert picture: dateText with every character that
// is not a digit replaced by "_" (one "_" per UTF-8 character).
std::string expertDateStamp(std::string_view dateText);

// The text stamped on an expert picture: the first two lines of the patient
// report and the date stamp.
std::string pictureStampText(std::string_view firstLine, std::string_view secondLine, std::string_view stamp);

// "image-" + title + "-" + summary name + "-" + stamp + "-" + counter + ".bmp".
// Characters that cannot stand in a file name (path separators, control
// characters, and those forbidden on common file systems) become "_", so the
// picture always lands in the working folder.
std::string pictureFileName(std::string_view title, std::string_view summaryName, std::string_view stamp,
    std::int32_t counter);

// The three report lines of a saved picture: where it was saved, the working
// folder, and how to paste it.
std::array<std::string, 3> savedPictureLines(std::string_view title, std::string_view fileName,
    std::string_view folder, Language language);

// The heading of the indicator block; the file name is given only when its
// name without the extension has at least 5 characters (a name like "ab.wav"
// or "out.wav" says nothing to the reader).
std::string indicatorsHeadingLine(std::string_view soundFileName, Language language);

// The date line: the calculation date when soundDate (seconds since the
// epoch) is 0 or less, else the recording date; formattedDate is the matching
// date (today, or the file's date and time) as the system shows it.
std::string indicatorsDateLine(std::int64_t soundDate, std::string_view formattedDate, Language language);

// " 1) " .. " 5) ", the indicator name, ": " and the value (width 4, 2 decimals).
std::array<std::string, 5> indicatorLines(const IndicatorValues& values, Language language);

} // namespace tiravel
