#include "EvaluationEdits.h"

#include "patient/TextRules.h"

#include <cmath>

namespace tiravel {

namespace {

std::optional<double> readInRange(std::string_view text, double defaultValue, double minimum, double maximum)
{
    const LenientNumber read = readLenientNumber(text, defaultValue, maximum, minimum);
    if (!read.ok)
        return std::nullopt;
    return read.value;
}

} // namespace

std::optional<std::int32_t> readFilterEdit(std::string_view text)
{
    const std::optional<double> hz = readInRange(text, 160, 75, 1000);
    if (!hz)
        return std::nullopt;
    return static_cast<std::int32_t>(std::nearbyint(*hz));
}

std::optional<double> readHighLowEdit(std::string_view text)
{
    return readInRange(text, 1300, 0, 11000);
}

std::optional<double> readBoostEdit(std::string_view text)
{
    return readInRange(text, 120, 75, 1000);
}

void applyHighLimit(AnalysisState& state, double hz)
{
    state.highLimitHz = hz;
    state.highLimitBin = static_cast<std::int32_t>(std::nearbyint(hz / state.binWidth));
}

} // namespace tiravel
