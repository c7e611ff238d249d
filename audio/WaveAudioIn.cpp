#include "WaveAudioIn.h"

#include <algorithm>

namespace tiravel {

namespace {

// Peak of a PCM buffer in percent: the largest 16-bit sample x 100 / 32767,
// or for 8-bit data (largest byte - 128) x 100 / 127, 0 below the midpoint.
std::int32_t PeakLevel(const WaveFormatRecord& format, const std::uint8_t* data, std::uint32_t bytes)
{
    if (format.bitsPerSample == 16) {
        std::int32_t peak = 0;
        for (std::uint32_t i = 0; i + 1 < bytes; i += 2)
            peak = std::max<std::int32_t>(peak, static_cast<std::int16_t>(data[i] | (data[i + 1] << 8)));
        return peak * 100 / 32767;
    }
    const std::uint8_t peak = bytes > 0 ? *std::max_element(data, data + bytes) : 0;
    return peak >= 128 ? (peak - 128) * 100 / 127 : 0;
}

} // namespace

TWaveAudioIn::TWaveAudioIn(AudioInputDevice& device)
    : device_(device)
{
}

TWaveAudioIn::~TWaveAudioIn()
{
    CloseForDestruction();
}

void TWaveAudioIn::setPCMFormat(TPCMFormat value)
{
    if (Active())
        throw EWaveAudioInvalidOperation("Audio format cannot be changed while device is open");
    fPCMFormat = value;
}

void TWaveAudioIn::setPaused(bool value)
{
    if (value == fPaused)
        return;
    if (IsOpen() && !Success(value ? device_.stop() : device_.start()))
        return;
    fPaused = value;
    const TWaveAudioEvent& event = value ? OnPause : OnResume;
    if (event)
        event(this);
}

bool TWaveAudioIn::Query(const WaveFormatRecord& format)
{
    return device_.query(fDeviceID, format) == kDeviceOk;
}

bool TWaveAudioIn::QueryPCM(TPCMFormat format)
{
    return format != nonePCM && Query(MakePCMFormatRecord(format));
}

std::string TWaveAudioIn::DeviceName()
{
    DeviceCaps caps;
    return Success(device_.capabilities(fDeviceID, caps)) ? caps.name : std::string();
}

TWaveDeviceFormats TWaveAudioIn::DeviceFormats()
{
    DeviceCaps caps;
    return Success(device_.capabilities(fDeviceID, caps)) ? caps.formats : TWaveDeviceFormats();
}

std::uint64_t TWaveAudioIn::Position()
{
    std::uint64_t bytes = 0;
    return Success(device_.position(bytes)) ? bytes : 0;
}

void TWaveAudioIn::GetWaveFormat(WaveFormatRecord& format)
{
    if (fPCMFormat != nonePCM)
        format = MakePCMFormatRecord(fPCMFormat);
    else if (OnFormat)
        OnFormat(this, format);
}

DeviceResult TWaveAudioIn::ValidateDevice(std::int32_t deviceId)
{
    DeviceCaps caps;
    return device_.capabilities(deviceId, caps);
}

void TWaveAudioIn::ProcessBuffer(WaveHeader& header)
{
    if (WaveFormat.formatTag == kWaveFormatPCM && OnLevel)
        OnLevel(this, PeakLevel(WaveFormat, header.data, header.bytesRecorded));
    if (OnFilter)
        OnFilter(this, header.data, header.bytesRecorded);
    bool freeIt = true;
    if (OnData)
        OnData(this, header.data, header.bytesRecorded, freeIt);
    if (!freeIt) {
        header.ownedByComponent = false;
        header.data = nullptr;
    }
}

void TWaveAudioIn::Activated()
{
    if (!fPaused)
        Success(device_.start());
}

void TWaveAudioIn::Closed()
{
    if (OnLevel)
        OnLevel(this, 0);
}

} // namespace tiravel
