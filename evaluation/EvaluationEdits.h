#pragma once

#include "analysis/AnalysisState.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace tiravel {

// The numbers typed in the edits of the evaluation screen, read with the
// lenient number reader. An empty, invalid or out-of-range text gives no
// value: the caller keeps its previous setting.

// F0 search floor, 75..1000 Hz, rounded to whole hertz.
std::optional<std::int32_t> readFilterEdit(std::string_view text);

// High/low frequency limit, 0..11000 Hz.
std::optional<double> readHighLowEdit(std::string_view text);

// Centre of the boost band, 75..1000 Hz.
std::optional<double> readBoostEdit(std::string_view text);

// Sets highLimitHz and highLimitBin = round(hz / binWidth).
void applyHighLimit(AnalysisState& state, double hz);

} // namespace tiravel
