#pragma once

#include <cstdint>
#include <vector>

namespace tiravel {

// A synthetic sustained vowel: a harmonic series on a fundamental with an
// optional vibrato, jitter, shimmer and breath noise, as 16-bit samples.
// Used for the sample voice of the data folder, the tests and benchmarks.
struct VoiceSpec {
    double f0Hz = 200.0;
    double seconds = 2.0;
    std::int32_t sampleRate = 22050;
    double peakAmplitude = 12000.0;          // 16-bit units of the summed wave
    std::vector<double> harmonicAmplitudes = {1.0, 0.6, 0.4, 0.25, 0.15, 0.1}; // relative, from the fundamental
    double vibratoHz = 0.0;                  // vibrato rate
    double vibratoDepth = 0.0;               // relative F0 deviation (0.01 = 1 %)
    double jitter = 0.0;                     // relative random F0 deviation per period
    double shimmer = 0.0;                    // relative random amplitude deviation per period
    double noiseLevel = 0.0;                 // white noise, relative to peakAmplitude
    double leadingSilenceSeconds = 0.0;      // silence before the attack
    double attackSeconds = 0.02;             // linear fade-in after the silence
    std::uint32_t seed = 1;
};

std::vector<std::int16_t> synthesizeVoice(const VoiceSpec& spec);

} // namespace tiravel
