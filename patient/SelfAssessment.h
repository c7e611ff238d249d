#pragma once

#include "shell/LanguageTexts.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tiravel {

// The self-assessment of the patient window: five factors scored 1..5 by the
// patient (comfort, endurance, performance, quality, adaptation, in this
// order everywhere), their total out of 25 and its band text. Factor numbers
// run 0..4; an out-of-range factor or score throws std::out_of_range.
inline constexpr int kFactorCount = 5;

// The answer the patient picks for a score, shown as the track bar's hint.
const std::string& factorAnswer(int factor, int score, Language language);
// The question of a factor, shown above its track bar.
const std::string& factorQuestion(int factor, Language language);
// "Confort", "Endurance", ... in the language.
std::string factorName(int factor, Language language);
// The factor name, a space, the score and "/5": "Confort 3/5".
std::string factorCaption(int factor, int score, Language language);
// The answers memo of a factor: "1) " + answer 1 .. "5) " + answer 5.
std::vector<std::string> answerMemoLines(int factor, Language language);

// The band of a total already rounded to an integer: "Gêne sévère" up to 7,
// ... "Aucune gêne" from 23.
std::string bandText(int roundedTotal, Language language);

// A colour as red, green and blue components.
struct ScaleColour {
    std::uint8_t red, green, blue;
    bool operator==(const ScaleColour&) const = default;
};

// The colour scale of the panels: v is rounded (halves to even) and clamped
// to 0..100; light to full green up to 24, towards yellow up to 49, towards
// red up to 74, then purple at 75 darkening to black at 100.
ScaleColour colourScale(double v);
// The scale value of a factor panel for a track position 1..5: 69 .. 41.
int factorPanelValue(int position);
// The scale value of the total panel: round(80 - 2 total), 70 .. 30.
int totalPanelValue(double total);

// The total label: "Score " (Spanish "Puntuación ") + the total right-aligned
// in 3 characters without decimals + "/25": "Score  15/25".
std::string totalLabel(double total, Language language);
// The summary tab's total: the sum right-aligned in 2 characters without
// decimals + "/25 - " + band text of the rounded sum: "15/25 - Gêne modérée".
std::string summaryTotalText(double sum, Language language);
// The score text of the saved block: the total without padding or decimals
// + "/25 - " + band text: "5/25 - Gêne sévère".
std::string scoreText(double total, Language language);

// The lines that saving the self-assessment appends to the patient document,
// in order; boldLine is the index of the heading written in bold black.
struct SelfAssessmentBlock {
    std::vector<std::string> lines;
    std::size_t boldLine;
};

// The block for five scores; today is the date already formatted for the
// "Date : " line.
SelfAssessmentBlock selfAssessmentBlock(const std::array<int, kFactorCount>& scores, const std::string& today,
    Language language);

// Height in pixels of a before/after indicator bar: 50 for an indicator of 0
// or less, else 2 (round(20 ln x) + 50), so that 0.1, 1 and 10 give 8, 100
// and 192. Indicators below about 0.082 give 0, never a negative height.
int beforeAfterBarHeight(double x);

// Whether a sound file was recorded before or after therapy, from its name.
enum class RecordingMoment { None, Before, After };

// From a file name without folder (UTF-8): After when it contains "apres",
// "après", "después", "despues" or "after", otherwise Before when it contains
// "avant", "antes" or "before". Letters a..z match without regard to case,
// accented letters exactly. A name shorter than 10 characters (counted as
// the user sees them, not in bytes) never matches, and an occurrence must
// end before the name's last character.
RecordingMoment recordingMomentOfFileName(std::string_view fileName);

} // namespace tiravel
