#pragma once

#include "PcmFormat.h"

#include <cstdint>
#include <string>

namespace tiravel {

// Result of a device call: 0 = success, otherwise an error code whose text
// the device gives with errorText.
using DeviceResult = std::uint32_t;

inline constexpr DeviceResult kDeviceOk = 0;
inline constexpr DeviceResult kDeviceFailed = 1;      // the sound system refused the call
inline constexpr DeviceResult kBadDeviceId = 2;       // no input device with that number
inline constexpr DeviceResult kDeviceNotOpen = 5;     // call needs an open device
inline constexpr DeviceResult kNoInputDevice = 6;     // the system has no input device at all
inline constexpr DeviceResult kNoMemory = 7;          // a buffer could not be allocated
inline constexpr DeviceResult kFormatRefused = 32;    // the device does not accept the format
inline constexpr DeviceResult kBuffersQueued = 33;    // close or unprepare while buffers are queued
inline constexpr DeviceResult kBufferUnprepared = 34; // add of a buffer that was not prepared
inline constexpr DeviceResult kDeviceLost = 35;       // the device went away during capture

// The device's texts for its error codes when it knows nothing more precise.
inline const char* defaultDeviceErrorText(DeviceResult code)
{
    switch (code) {
    case kDeviceOk: return "No error";
    case kBadDeviceId: return "The audio input device number is out of range";
    case kDeviceNotOpen: return "The audio input device is not open";
    case kNoInputDevice: return "No audio input device is available";
    case kNoMemory: return "Not enough memory for the audio buffers";
    case kFormatRefused: return "The audio input device does not accept this audio format";
    case kBuffersQueued: return "Audio buffers are still queued at the input device";
    case kBufferUnprepared: return "The audio buffer was not prepared";
    case kDeviceLost: return "The audio input device was lost during capture";
    default: return "The audio input device reported an error";
    }
}

// One capture buffer: a data block and what the device recorded into it.
struct WaveHeader {
    std::uint8_t* data = nullptr;       // data block of bufferLength bytes
    std::uint32_t bufferLength = 0;     // bytes
    std::uint32_t bytesRecorded = 0;    // bytes filled by the device
    bool ownedByComponent = false;      // the recorder frees the data block
    bool prepared = false;              // set by the device's prepare
    bool queued = false;                // held by the device until it is filled or reset
};

// Name and accepted formats of one input device.
struct DeviceCaps {
    std::string name;
    TWaveDeviceFormats formats;
};

// What an open device tells its user. Notifications are delivered later, on
// the user-interface thread, never inside the device call that caused them.
class AudioInputListener {
public:
    virtual ~AudioInputListener() = default;
    virtual void deviceOpened() = 0;
    // A queued buffer comes back: full during capture, with what it holds on reset.
    virtual void deviceData(WaveHeader& header) = 0;
    virtual void deviceClosed() = 0;
    // Capture failed outside any call (e.g. the device was unplugged).
    virtual void deviceError(DeviceResult code) = 0;
};

// A sound input service: device enumeration, format query, and one open
// capture stream fed by a queue of buffers filled in capture order.
// Device number -1 is the system's default input.
class AudioInputDevice {
public:
    virtual ~AudioInputDevice() = default;

    virtual std::uint32_t deviceCount() const = 0;
    virtual DeviceResult capabilities(std::int32_t deviceId, DeviceCaps& caps) const = 0;
    // Whether the device accepts the format, without opening it.
    virtual DeviceResult query(std::int32_t deviceId, const WaveFormatRecord& format) = 0;

    // Opens the device; "opened" follows. The listener must outlive the open device.
    virtual DeviceResult open(std::int32_t deviceId, const WaveFormatRecord& format, AudioInputListener& listener) = 0;
    virtual DeviceResult prepare(WaveHeader& header) = 0;
    virtual DeviceResult unprepare(WaveHeader& header) = 0;
    // Queues a prepared buffer; it comes back as a "data" notification.
    virtual DeviceResult addBuffer(WaveHeader& header) = 0;
    virtual DeviceResult start() = 0;
    // Stops capture; the queued buffers stay queued.
    virtual DeviceResult stop() = 0;
    // Stops capture and returns every queued buffer as a "data" notification.
    virtual DeviceResult reset() = 0;
    // Needs every buffer returned; "closed" follows.
    virtual DeviceResult close() = 0;
    // Bytes captured since the device was opened.
    virtual DeviceResult position(std::uint64_t& bytes) const = 0;

    virtual std::string errorText(DeviceResult code) const = 0;
    // Delivers the pending notifications; used while waiting for an open or
    // a close to complete.
    virtual void pumpNotifications() = 0;
};

} // namespace tiravel
