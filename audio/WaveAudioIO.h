#pragma once

#include "AudioInputDevice.h"
#include "PcmFormat.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace tiravel {

// An operation that the component's state does not allow (open twice, close
// twice, change the device or the format while open).
class EWaveAudioInvalidOperation : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// A device call failed; the message is the device's text for the code.
class EWaveAudioSysError : public std::runtime_error {
public:
    EWaveAudioSysError(const std::string& text, DeviceResult code)
        : std::runtime_error(text)
        , code_(code)
    {
    }
    DeviceResult code() const { return code_; }

private:
    DeviceResult code_;
};

// The device-independent part of a capture component: the open and close
// sequence (Closed -> Opening -> Open -> Closing -> Closed), the ring of
// buffers kept queued at the device and the error path.
//
// Every notification is handled on the user-interface thread, like every
// call, so no lock guards the state. Async is kept as a setting only: the
// devices always deliver their notifications on the user-interface thread.
class TWaveAudioIO {
public:
    using TWaveAudioEvent = std::function<void(TWaveAudioIO* Sender)>;

    TWaveAudioIO(const TWaveAudioIO&) = delete;
    TWaveAudioIO& operator=(const TWaveAudioIO&) = delete;
    virtual ~TWaveAudioIO();

    // True from the open request until the close has completed.
    bool Active() const { return fCallback; }
    // Opens or closes the device; no-op when unchanged.
    void setActive(bool value);

    // Input device number, -1 = the system's default input.
    std::int32_t DeviceID() const { return fDeviceID; }
    // Validated with the device's capabilities; on failure the error is
    // reported and the number kept.
    void setDeviceID(std::int32_t value);

    // Milliseconds per buffer; values below 10 become 10.
    std::uint16_t BufferLength() const { return fBufferLength; }
    void setBufferLength(std::uint16_t value) { fBufferLength = value < 10 ? 10 : value; }

    std::int16_t BufferCount() const { return fBufferCount; }
    void setBufferCount(std::int16_t value) { fBufferCount = value; }

    bool Async() const { return fAsync; }
    // Ignored while open.
    void setAsync(bool value);

    std::uint32_t LastError() const { return fLastError; }
    virtual std::string LastErrorText() const = 0;

    // What setting Active does. Open throws "Device is aleardy open" on an
    // open device and ignores a second request while an open is in progress;
    // Close throws "Device is aleardy close" on a closed device.
    void Open();
    void Close();

    // Releases a data block that an OnData handler took over (FreeIt false).
    static void ReleaseDataBlock(void* Buffer) { delete[] static_cast<std::uint8_t*>(Buffer); }

    TWaveAudioEvent OnActivate;
    TWaveAudioEvent OnDeactivate;
    TWaveAudioEvent OnError;

protected:
    TWaveAudioIO() = default;

    // The device-specific primitives.
    virtual void GetWaveFormat(WaveFormatRecord& format) = 0;
    virtual DeviceResult ValidateDevice(std::int32_t deviceId) = 0;
    virtual DeviceResult DoQuery(const WaveFormatRecord& format) = 0;
    virtual DeviceResult DoOpen(const WaveFormatRecord& format) = 0;
    virtual DeviceResult DoPrepare(WaveHeader& header) = 0;
    virtual DeviceResult DoUnprepare(WaveHeader& header) = 0;
    virtual DeviceResult DoAddBuffer(WaveHeader& header) = 0;
    virtual DeviceResult DoReset() = 0;
    virtual DeviceResult DoClose() = 0;
    virtual void DoPumpNotifications() = 0;
    // Raises the events of a buffer that came back with recorded bytes.
    virtual void ProcessBuffer(WaveHeader& header) = 0;
    // The buffers are queued and OnActivate raised: start capturing.
    virtual void Activated() = 0;
    // The device is closed, the buffers not yet freed.
    virtual void Closed() = 0;

    // Device notifications.
    void HandleOpened();
    void HandleData(WaveHeader& header);
    void HandleClosed();
    void HandleDeviceError(DeviceResult code);

    // The error path: false for a failed result, after storing it in
    // fLastError and raising OnError, or throwing EWaveAudioSysError when
    // no OnError handler is assigned.
    bool Success(DeviceResult result);

    // Open, not opening and not closing: buffers flow.
    bool IsOpen() const { return fHandle && !fOpening && !fClosing; }

    // For the destructor of the device-specific class: closes the device and
    // waits for the close to complete, without raising OnDeactivate.
    void CloseForDestruction() noexcept;

    std::int32_t fDeviceID = -1;
    std::uint16_t fBufferLength = 1000;
    std::int16_t fBufferCount = 2;
    bool fAsync = false;
    bool fHandle = false;           // the device is open
    bool fCallback = false;         // a notification target exists
    bool fOpening = false;          // from the open request until "opened"
    bool fClosing = false;          // from the close request until "closed"
    bool fDestroying = false;
    std::uint32_t fLastError = 0;
    WaveFormatRecord WaveFormat;    // format in use while open
    std::vector<std::unique_ptr<WaveHeader>> Buffers;
    std::int32_t fQueuedCount = 0;  // buffers held by the device

private:
    void FailOpen(DeviceResult result);
    void WaitWhileOpening();
    void WaitWhileClosing();
    void QueueBuffers();
    WaveHeader* NewBuffer(std::uint32_t size, DeviceResult& result);
    DeviceResult QueueBuffer(WaveHeader& header);
    DeviceResult Requeue(WaveHeader& header);
    void FreeBuffer(WaveHeader& header);
    void FreeAllBuffers();
    DeviceResult CloseDevice();
};

} // namespace tiravel
