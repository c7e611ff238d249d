#include "SelectionWav.h"

#include "audio/WavWriter.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tiravel {

namespace {

constexpr double kSampleScale = 500; // 16-bit units per sound value
constexpr std::size_t kChunk = 4096;

std::int16_t scaledSample(double value)
{
    const double scaled = std::nearbyint(value * kSampleScale);
    if (std::isnan(scaled))
        return 0;
    return static_cast<std::int16_t>(std::clamp(scaled, -32768.0, 32767.0));
}

} // namespace

bool writeSelectionWav(const AnalysisState& state, std::int32_t first, std::int32_t last, const std::string& fileName,
    ErrorReporter& messages)
{
    TWavFile file(messages);
    bool ok = false;
    file.open(fileName, static_cast<std::uint32_t>(state.sampleRate), ok, 1, 16);
    if (!ok)
        return false;
    const std::int64_t begin = std::max(first, 0);
    const std::int64_t end = std::min<std::int64_t>(static_cast<std::int64_t>(last) - 1, kSoundBufferSize);
    std::array<std::int16_t, kChunk> chunk {};
    for (std::int64_t i = begin; i < end;) {
        const std::size_t count = static_cast<std::size_t>(std::min<std::int64_t>(kChunk, end - i));
        for (std::size_t j = 0; j < count; ++j)
            chunk[j] = scaledSample(state.soundBuffer[static_cast<std::size_t>(i) + j]);
        std::uint32_t written = 0;
        file.writeSamples(static_cast<std::uint32_t>(count), written, chunk.data());
        i += static_cast<std::int64_t>(count);
    }
    file.close();
    return file.good();
}

} // namespace tiravel
