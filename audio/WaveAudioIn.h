#pragma once

#include "AudioInputDevice.h"
#include "PcmFormat.h"
#include "WaveAudioIO.h"

#include <cstdint>
#include <functional>
#include <string>

namespace tiravel {

// A capture component on a sound input device: opens it in a PCM format,
// keeps BufferCount buffers of BufferLength ms queued and raises OnLevel,
// OnFilter and OnData for each filled buffer, in capture order, on the
// user-interface thread.
class TWaveAudioIn : public TWaveAudioIO, private AudioInputListener {
public:
    // Level: peak of the buffer in percent of full scale.
    using TWaveAudioLevelEvent = std::function<void(TWaveAudioIO* Sender, std::int32_t Level)>;
    using TWaveAudioFilterEvent = std::function<void(TWaveAudioIO* Sender, void* Buffer, std::uint32_t BufferSize)>;
    // A handler that sets FreeIt false takes the data block over and later
    // releases it with ReleaseDataBlock.
    using TWaveAudioDataReadyEvent =
        std::function<void(TWaveAudioIO* Sender, void* Buffer, std::uint32_t BufferSize, bool& FreeIt)>;
    // Asked for the format when PCMFormat is nonePCM: fills the record.
    using TWaveAudioGetFormatEvent = std::function<void(TWaveAudioIO* Sender, WaveFormatRecord& WaveFormat)>;

    explicit TWaveAudioIn(AudioInputDevice& device);
    ~TWaveAudioIn() override;

    TPCMFormat PCMFormat() const { return fPCMFormat; }
    // Throws "Audio format cannot be changed while device is open" while open.
    void setPCMFormat(TPCMFormat value);

    bool Paused() const { return fPaused; }
    // Stops capture with the device kept open and the buffers queued, or
    // restarts it; no-op when unchanged.
    void setPaused(bool value);

    // Whether the device accepts a format, without opening it.
    bool Query(const WaveFormatRecord& format);
    bool QueryPCM(TPCMFormat format);

    std::uint32_t NumDevs() const { return device_.deviceCount(); }
    // Name and formats of the device DeviceID; empty when it cannot tell
    // (the error is reported).
    std::string DeviceName();
    TWaveDeviceFormats DeviceFormats();
    // Bytes captured since the device opened.
    std::uint64_t Position();
    std::string LastErrorText() const override { return device_.errorText(fLastError); }

    TWaveAudioLevelEvent OnLevel;
    TWaveAudioFilterEvent OnFilter;
    TWaveAudioDataReadyEvent OnData;
    TWaveAudioGetFormatEvent OnFormat;
    TWaveAudioEvent OnPause;
    TWaveAudioEvent OnResume;

protected:
    void GetWaveFormat(WaveFormatRecord& format) override;
    DeviceResult ValidateDevice(std::int32_t deviceId) override;
    DeviceResult DoQuery(const WaveFormatRecord& format) override { return device_.query(fDeviceID, format); }
    DeviceResult DoOpen(const WaveFormatRecord& format) override { return device_.open(fDeviceID, format, *this); }
    DeviceResult DoPrepare(WaveHeader& header) override { return device_.prepare(header); }
    DeviceResult DoUnprepare(WaveHeader& header) override { return device_.unprepare(header); }
    DeviceResult DoAddBuffer(WaveHeader& header) override { return device_.addBuffer(header); }
    DeviceResult DoReset() override { return device_.reset(); }
    DeviceResult DoClose() override { return device_.close(); }
    void DoPumpNotifications() override { device_.pumpNotifications(); }
    void ProcessBuffer(WaveHeader& header) override;
    void Activated() override;
    void Closed() override;

private:
    void deviceOpened() override { HandleOpened(); }
    void deviceData(WaveHeader& header) override { HandleData(header); }
    void deviceClosed() override { HandleClosed(); }
    void deviceError(DeviceResult code) override { HandleDeviceError(code); }

    AudioInputDevice& device_;
    TPCMFormat fPCMFormat = Mono16bit8000Hz;
    bool fPaused = false;
};

} // namespace tiravel
