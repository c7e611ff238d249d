#include "SyntheticVoice.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

namespace tiravel {

std::vector<std::int16_t> synthesizeVoice(const VoiceSpec& spec)
{
    const auto silence = static_cast<std::size_t>(spec.leadingSilenceSeconds * spec.sampleRate);
    const auto voiced = static_cast<std::size_t>(spec.seconds * spec.sampleRate);
    std::vector<std::int16_t> samples(silence + voiced, 0);

    double norm = 0;
    for (double a : spec.harmonicAmplitudes)
        norm += std::fabs(a);
    if (norm <= 0)
        norm = 1;

    std::mt19937 random(spec.seed);
    std::normal_distribution<double> gauss(0.0, 1.0);
    double phase = 0;            // phase of the fundamental, in cycles
    double periodJitter = 0;     // F0 deviation held for one period
    double periodShimmer = 0;    // amplitude deviation held for one period
    for (std::size_t n = 0; n < voiced; ++n) {
        const double t = static_cast<double>(n) / spec.sampleRate;
        const double vibrato = spec.vibratoDepth * std::sin(2 * std::numbers::pi * spec.vibratoHz * t);
        const double f = spec.f0Hz * (1 + vibrato + periodJitter);
        const double previousPhase = phase;
        phase += f / spec.sampleRate;
        if (std::floor(phase) != std::floor(previousPhase)) {
            periodJitter = spec.jitter * gauss(random);
            periodShimmer = spec.shimmer * gauss(random);
        }
        double value = 0;
        for (std::size_t h = 0; h < spec.harmonicAmplitudes.size(); ++h)
            value += spec.harmonicAmplitudes[h] * std::sin(2 * std::numbers::pi * (h + 1) * phase);
        value = value / norm * (1 + periodShimmer) + spec.noiseLevel * gauss(random);
        const double fade = spec.attackSeconds > 0 ? std::min(1.0, t / spec.attackSeconds) : 1.0;
        const double sample = std::nearbyint(value * spec.peakAmplitude * fade);
        samples[silence + n] = static_cast<std::int16_t>(std::clamp(sample, -32768.0, 32767.0));
    }
    return samples;
}

} // namespace tiravel
