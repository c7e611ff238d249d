#pragma once

#include "AnalysisState.h"

namespace tiravel {

// The five voice indicators, in the order of every report and display.
struct IndicatorValues {
    double attackAlteration = 0;
    double pitchInstability = 0;
    double amplitudeInstability = 0;
    double noiseSignalRatio = 0;
    double harmonicPoverty = 0;
};

// The indicators as the shared state holds them after the last computation.
inline IndicatorValues currentIndicators(const AnalysisState& state)
{
    return {state.attackAlteration, state.pitchInstability, state.amplitudeInstability, state.noiseSignalRatio,
        state.harmonicPoverty};
}

} // namespace tiravel
