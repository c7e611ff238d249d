#pragma once

#include <bitset>
#include <cstdint>

namespace tiravel {

// The capture formats a recorder can ask for. Value v >= 1 decodes as:
// channels 1 for odd v, 2 for even v; 8 bits when (v - 1) / 2 is even, else
// 16; rate (v - 1) / 4 into 8000, 11025, 22050, 44100, 48000 Hz.
enum TPCMFormat : std::uint8_t {
    nonePCM,
    Mono8Bit8000Hz,
    Stereo8bit8000Hz,
    Mono16bit8000Hz,
    Stereo16bit8000Hz,
    Mono8bit11025Hz,
    Stereo8bit11025Hz,
    Mono16bit11025Hz,
    Stereo16bit11025Hz,
    Mono8bit22050Hz,
    Stereo8bit22050Hz,
    Mono16bit22050Hz,
    Stereo16bit22050Hz,
    Mono8bit44100Hz,
    Stereo8bit44100Hz,
    Mono16bit44100Hz,
    Stereo16bit44100Hz,
    Mono8bit48000Hz,
    Stereo8bit48000Hz,
    Mono16bit48000Hz,
    Stereo16bit48000Hz,
};

inline constexpr int kPCMFormatCount = 21;

// A set of formats, indexed by TPCMFormat (what a device accepts).
using TWaveDeviceFormats = std::bitset<kPCMFormatCount>;

inline constexpr std::uint16_t kWaveFormatPCM = 1;

// The standard 18-byte wave format header, little-endian fields in this order.
#pragma pack(push, 2)
struct WaveFormatRecord {
    std::uint16_t formatTag = 0;          // 1 = PCM
    std::uint16_t channels = 0;
    std::uint32_t samplesPerSec = 0;      // Hz
    std::uint32_t avgBytesPerSec = 0;     // blockAlign x samplesPerSec
    std::uint16_t blockAlign = 0;         // bytes per sample frame: channels x bits / 8
    std::uint16_t bitsPerSample = 0;
    std::uint16_t extraSize = 0;          // bytes of format data after the header, 0 for PCM

    friend bool operator==(const WaveFormatRecord&, const WaveFormatRecord&) = default;
};
#pragma pack(pop)
static_assert(sizeof(WaveFormatRecord) == 18);

// Decoding of a format value; nonePCM gives 0 for each.
std::uint16_t PCMChannels(TPCMFormat format);
std::uint16_t PCMBitsPerSample(TPCMFormat format);
std::uint32_t PCMSamplesPerSec(TPCMFormat format);

// The format record of a format value (all zero for nonePCM).
WaveFormatRecord MakePCMFormatRecord(TPCMFormat format);

// The format value a record describes, nonePCM when it is no PCM format of
// the list.
TPCMFormat PCMFormatOf(const WaveFormatRecord& record);

// Bytes of one capture buffer of bufferLengthMs milliseconds: rounded to the
// nearest byte (halves to even), then up to a whole number of sample frames.
// 50 ms of 16-bit mono 22050 Hz gives 2206 bytes (1103 samples), not 2205.
std::uint32_t WaveBufferSize(const WaveFormatRecord& record, std::uint16_t bufferLengthMs);

} // namespace tiravel
