#pragma once

#include "AudioInputDevice.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace tiravel {

// An input device driven by a test: a list of devices with their formats,
// notifications held until the test delivers them, buffers filled with the
// bytes the test pushes, and errors injected into the next call of a kind.
class ScriptedAudioInputDevice final : public AudioInputDevice {
public:
    enum class Call { Capabilities, Query, Open, Prepare, Unprepare, AddBuffer, Start, Stop, Reset, Close, Count };

    struct Device {
        std::string name;
        TWaveDeviceFormats formats;
    };

    // One device accepting every format.
    ScriptedAudioInputDevice();
    explicit ScriptedAudioInputDevice(std::vector<Device> devices);

    std::uint32_t deviceCount() const override { return static_cast<std::uint32_t>(devices_.size()); }
    DeviceResult capabilities(std::int32_t deviceId, DeviceCaps& caps) const override;
    DeviceResult query(std::int32_t deviceId, const WaveFormatRecord& format) override;
    DeviceResult open(std::int32_t deviceId, const WaveFormatRecord& format, AudioInputListener& listener) override;
    DeviceResult prepare(WaveHeader& header) override;
    DeviceResult unprepare(WaveHeader& header) override;
    DeviceResult addBuffer(WaveHeader& header) override;
    DeviceResult start() override;
    DeviceResult stop() override;
    DeviceResult reset() override;
    DeviceResult close() override;
    DeviceResult position(std::uint64_t& bytes) const override;
    std::string errorText(DeviceResult code) const override { return defaultDeviceErrorText(code); }
    void pumpNotifications() override;

    // --- Script ------------------------------------------------------------------
    // The next call of that kind fails with code.
    void failNext(Call call, DeviceResult code) { failures_[index(call)] = code; }
    // While capturing, fills the oldest queued buffer with bytes (at most its
    // length) and returns it as "data"; false when no buffer is queued or
    // capture is stopped.
    bool pushData(const std::vector<std::uint8_t>& bytes);
    // The device goes away: an error notification follows and capture stops.
    void loseDevice();
    // Delivers the oldest pending notification; false when there is none.
    bool deliverNext();

    // --- Observation -------------------------------------------------------------
    int calls(Call call) const { return calls_[index(call)]; }
    std::size_t pendingNotifications() const { return pending_.size(); }
    std::size_t queuedBuffers() const { return queue_.size(); }
    bool isOpen() const { return open_; }
    bool isCapturing() const { return capturing_; }
    const WaveFormatRecord& openFormat() const { return format_; }

private:
    struct Notification {
        enum class Kind { Opened, Data, Closed, Error } kind;
        WaveHeader* header = nullptr;
        DeviceResult code = kDeviceOk;
    };

    static std::size_t index(Call call) { return static_cast<std::size_t>(call); }
    DeviceResult enter(Call call) const;
    DeviceResult checkDevice(std::int32_t deviceId) const;
    void post(Notification notification) { pending_.push_back(notification); }

    std::vector<Device> devices_;
    // Counted and consumed by const calls too.
    mutable std::array<DeviceResult, static_cast<std::size_t>(Call::Count)> failures_ {};
    mutable std::array<int, static_cast<std::size_t>(Call::Count)> calls_ {};
    std::deque<Notification> pending_;
    std::deque<WaveHeader*> queue_;
    AudioInputListener* listener_ = nullptr;
    WaveFormatRecord format_;
    std::uint64_t position_ = 0;
    bool open_ = false;
    bool capturing_ = false;
    bool lost_ = false;
};

} // namespace tiravel
