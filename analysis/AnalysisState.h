#pragma once

#include "FixedArray.h"

#include <cstdint>
#include <string>

namespace tiravel {

// Sizes shared by every tool: the sample buffer holds about 22.7 s at
// 22050 Hz, a recording is cut into at most 1000 analysis frames, a frame is
// a 1024-point spectrum with 513 useful bins (0..512, 512 = Nyquist).
inline constexpr int kSoundBufferSize = 500001;
inline constexpr int kMaxSoundSamples = 500000;
inline constexpr int kFrameLength = 1024;
inline constexpr int kSpectrumBins = 513;
inline constexpr int kEnergyRows = 1001;
inline constexpr int kMaxFrames = 1000;
inline constexpr int kF0HistorySize = 250;
inline constexpr int kAverageSlots = 129;

using SoundArray = FixedArray<double, kSoundBufferSize>;
using FrameArray = FixedArray<double, kEnergyRows>;

// The one program-wide analysis state: the live sample buffer, the current
// spectrum, the frame table of a recording, the per-frame results of the
// analysis window and the voice indicators. Created once at start-up (it is
// large: about 17 MB) and handed by reference to every component.
struct AnalysisState {
    // --- Live dispatch -------------------------------------------------------
    std::uint8_t toolMode = 0;        // which tool consumes live buffers
    bool articulationPaused = false;  // articulation tool paused
    bool timbreToggle = false;        // alternates every buffer in timbre mode
    std::int32_t bufferCounter = 0;   // buffers seen in spectrum and breath modes

    // --- Sound -----------------------------------------------------------------
    SoundArray soundBuffer;           // calibrated samples (16-bit value x calibration / 50 live, / 500 from a file)
    SoundArray auxSoundBuffer;        // second buffer of the articulation and spectrum tools, cleared by each load
    std::int32_t soundLength = 0;     // valid samples in soundBuffer
    std::int32_t sampleRate = 22050;  // Hz
    double binWidth = 22050.0 / 1024; // Hz per FFT bin
    double calibration = 1.0;         // level calibration from the settings file

    // --- Spectrum of the current frame ------------------------------------------
    FixedArray<double, 1025> fftWindow;  // Blackman window, point 1024 = 0
    FixedArray<double, 1025> spectrum;   // magnitudes, bins 0..512 used
    FixedTable<double, kEnergyRows, kSpectrumBins> energyTable; // row 0 current frame; rows 1..1000 frames of a recording
    std::int32_t energyFrameCount = 1;
    double energyTotal = 0;              // sum of magnitudes from energyLowBin to 512 (linear, not squared)
    double bandEnergy = 0;               // energy of the F0 band (linear)
    double bandEnergyMax = 0;            // running maximum of bandEnergy
    double peakMagnitude = 0;            // largest magnitude over the F0 search bins

    // Bin limits, from AdjustSampleRate.
    double highLimitHz = 1300.0;
    std::int32_t highLimitBin = 60;
    std::int32_t bin50Hz = 2;
    std::int32_t energyLowBin = 4;
    std::int32_t energyBandHighBin = 42;

    // --- F0 search ----------------------------------------------------------------
    std::int32_t f0MinHz = 85;
    std::int32_t f0MaxHz = 950;
    double peakSensitivity = 1.0;     // multiplies the peak (0.002) and harmonic (0.004) thresholds
    std::int32_t f0SmoothCount = 25;  // past F0 values averaged into f0Mean, at most 250
    std::int32_t levelJumpOffset = 5; // frames between the levels compared by the amplitude instability
    double f0Mean = 0;                // Hz
    double subharmonicIndex = 0;
    std::int32_t peakCount = 0;       // spectral peaks in the F0 range in the last frame
    std::int32_t peakBin = 0;         // copy of the chosen F0 peak bin for the displays

    // Per-frame results of the analysis window.
    double localF0 = 0;               // Hz
    std::int32_t localCn = 0;         // bin of the F0 peak, 0 when none
    double localDb = 0;               // dB of the F0 peak
    double localEnergy = 0;           // linear energy of the F0 peak
    FixedArray<double, kF0HistorySize> oldF0s; // previous F0 values, newest first
    double oldDb = 0;

    // --- Harmonics and noise ------------------------------------------------------
    double noiseSignalRatio = 0;      // frame measure, then the indicator over a span
    double harmonicPoverty = 0;       // frame measure, then the indicator over a span
    FixedArray<double, 513> harmonicLevel;                  // index = FFT bin 1..512
    FixedTable<bool, 3, 513> harmonicPresent;               // [0] current, [1] previous, [2] the one before; index = harmonic number
    FixedTable<double, kAverageSlots, kSpectrumBins> averageSpectrum;
    std::int32_t averageSlot = 0;

    // --- Recorded sound analysis ---------------------------------------------------
    FrameArray frameF0, frameEnergy, frameHarmonicPoverty, frameNoiseRatio, frameSubharmonic;
    FrameArray selectionF0, selectionEnergy, selectionHarmonicPoverty, selectionNoiseRatio;
    std::int32_t selectionLength = 0;
    double selectionMeanF0 = 0;
    double selectionMeanEnergy = 0;
    FixedArray<std::int32_t, 3> markerFrames; // attack start, attack + 0.3 s, attack + 1.3 s
    bool attackFound = false;
    double soundMeanDb = 0;
    std::int32_t f0SpikeCount = 0;
    bool f0SpikeCorrection = true;
    std::uint8_t voiceCategory = 3;   // 0 man, 1 woman, 2 child, 3 unspecified

    // The five voice indicators: below 1 normal, above 1 pathological.
    double attackAlteration = 0;
    double pitchInstability = 0;
    double amplitudeInstability = 0;

    // --- WAV reader ---------------------------------------------------------------
    std::int32_t loadStatus = 0;      // 0 ok, -1 name, -2 missing, -3 too short, -4 rate, -5 block align, -6 no format section
    std::int16_t channelCount = 0;
    std::string loadedFileName;       // at most 250 characters
};

} // namespace tiravel
