#include "PcmFormat.h"

#include <array>

namespace tiravel {

namespace {
constexpr std::array<std::uint32_t, 5> kRates = {8000, 11025, 22050, 44100, 48000};
} // namespace

std::uint16_t PCMChannels(TPCMFormat format)
{
    if (format == nonePCM)
        return 0;
    return format % 2 == 1 ? 1 : 2;
}

std::uint16_t PCMBitsPerSample(TPCMFormat format)
{
    if (format == nonePCM)
        return 0;
    return ((format - 1) / 2) % 2 == 0 ? 8 : 16;
}

std::uint32_t PCMSamplesPerSec(TPCMFormat format)
{
    if (format == nonePCM || format >= kPCMFormatCount)
        return 0;
    return kRates[(format - 1) / 4];
}

WaveFormatRecord MakePCMFormatRecord(TPCMFormat format)
{
    WaveFormatRecord record;
    if (format == nonePCM || format >= kPCMFormatCount)
        return record;
    record.formatTag = kWaveFormatPCM;
    record.channels = PCMChannels(format);
    record.samplesPerSec = PCMSamplesPerSec(format);
    record.bitsPerSample = PCMBitsPerSample(format);
    record.blockAlign = static_cast<std::uint16_t>(record.channels * record.bitsPerSample / 8);
    record.avgBytesPerSec = record.blockAlign * record.samplesPerSec;
    return record;
}

TPCMFormat PCMFormatOf(const WaveFormatRecord& record)
{
    for (int v = 1; v < kPCMFormatCount; ++v) {
        const auto format = static_cast<TPCMFormat>(v);
        if (MakePCMFormatRecord(format) == record)
            return format;
    }
    return nonePCM;
}

std::uint32_t WaveBufferSize(const WaveFormatRecord& record, std::uint16_t bufferLengthMs)
{
    const std::uint64_t scaled = std::uint64_t{bufferLengthMs} * record.avgBytesPerSec;
    std::uint64_t bytes = scaled / 1000;
    const std::uint64_t rest = scaled % 1000;
    if (rest > 500 || (rest == 500 && bytes % 2 == 1))
        ++bytes;
    const std::uint64_t align = record.blockAlign > 0 ? record.blockAlign : 1;
    bytes = (bytes + align - 1) / align * align;
    return static_cast<std::uint32_t>(bytes);
}

} // namespace tiravel
