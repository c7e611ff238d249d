#include "ScriptedAudioInputDevice.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace tiravel {

ScriptedAudioInputDevice::ScriptedAudioInputDevice()
    : ScriptedAudioInputDevice({{"Scripted microphone", TWaveDeviceFormats().set().reset(nonePCM)}})
{
}

ScriptedAudioInputDevice::ScriptedAudioInputDevice(std::vector<Device> devices)
    : devices_(std::move(devices))
{
}

DeviceResult ScriptedAudioInputDevice::enter(Call call) const
{
    ++calls_[index(call)];
    const DeviceResult failure = failures_[index(call)];
    failures_[index(call)] = kDeviceOk;
    return failure;
}

DeviceResult ScriptedAudioInputDevice::checkDevice(std::int32_t deviceId) const
{
    if (devices_.empty())
        return kNoInputDevice;
    if (deviceId < -1 || deviceId >= static_cast<std::int32_t>(devices_.size()))
        return kBadDeviceId;
    return kDeviceOk;
}

DeviceResult ScriptedAudioInputDevice::capabilities(std::int32_t deviceId, DeviceCaps& caps) const
{
    if (const DeviceResult failure = enter(Call::Capabilities))
        return failure;
    if (const DeviceResult bad = checkDevice(deviceId))
        return bad;
    const Device& device = devices_[static_cast<std::size_t>(std::max(deviceId, 0))];
    caps.name = device.name;
    caps.formats = device.formats;
    return kDeviceOk;
}

DeviceResult ScriptedAudioInputDevice::query(std::int32_t deviceId, const WaveFormatRecord& format)
{
    if (const DeviceResult failure = enter(Call::Query))
        return failure;
    if (const DeviceResult bad = checkDevice(deviceId))
        return bad;
    const TPCMFormat pcm = PCMFormatOf(format);
    const Device& device = devices_[static_cast<std::size_t>(std::max(deviceId, 0))];
    return pcm != nonePCM && device.formats.test(pcm) ? kDeviceOk : kFormatRefused;
}

DeviceResult ScriptedAudioInputDevice::open(std::int32_t deviceId, const WaveFormatRecord& format,
    AudioInputListener& listener)
{
    if (const DeviceResult failure = enter(Call::Open))
        return failure;
    if (open_)
        return kDeviceFailed;
    if (const DeviceResult bad = checkDevice(deviceId))
        return bad;
    open_ = true;
    lost_ = false;
    position_ = 0;
    format_ = format;
    listener_ = &listener;
    post({Notification::Kind::Opened});
    return kDeviceOk;
}

DeviceResult ScriptedAudioInputDevice::prepare(WaveHeader& header)
{
    if (const DeviceResult failure = enter(Call::Prepare))
        return failure;
    if (header.data == nullptr || header.bufferLength == 0)
        return kDeviceFailed;
    header.prepared = true;
    return kDeviceOk;
}

DeviceResult ScriptedAudioInputDevice::unprepare(WaveHeader& header)
{
    if (const DeviceResult failure = enter(Call::Unprepare))
        return failure;
    if (header.queued)
        return kBuffersQueued;
    header.prepared = false;
    return kDeviceOk;
}

DeviceResult ScriptedAudioInputDevice::addBuffer(WaveHeader& header)
{
    if (const DeviceResult failure = enter(Call::AddBuffer))
        return failure;
    if (!open_)
        return kDeviceNotOpen;
    if (lost_)
        return kDeviceLost;
    if (!header.prepared)
        return kBufferUnprepared;
    header.queued = true;
    header.bytesRecorded = 0;
    queue_.push_back(&header);
    return kDeviceOk;
}

DeviceResult ScriptedAudioInputDevice::start()
{
    if (const DeviceResult failure = enter(Call::Start))
        return failure;
    if (!open_)
        return kDeviceNotOpen;
    if (lost_)
        return kDeviceLost;
    capturing_ = true;
    return kDeviceOk;
}

DeviceResult ScriptedAudioInputDevice::stop()
{
    if (const DeviceResult failure = enter(Call::Stop))
        return failure;
    if (!open_)
        return kDeviceNotOpen;
    capturing_ = false;
    return kDeviceOk;
}

DeviceResult ScriptedAudioInputDevice::reset()
{
    if (const DeviceResult failure = enter(Call::Reset))
        return failure;
    if (!open_)
        return kDeviceNotOpen;
    capturing_ = false;
    for (WaveHeader* header : queue_) {
        header->queued = false;
        post({Notification::Kind::Data, header});
    }
    queue_.clear();
    return kDeviceOk;
}

DeviceResult ScriptedAudioInputDevice::close()
{
    if (const DeviceResult failure = enter(Call::Close))
        return failure;
    if (!open_)
        return kDeviceNotOpen;
    if (!queue_.empty())
        return kBuffersQueued;
    open_ = false;
    capturing_ = false;
    post({Notification::Kind::Closed});
    return kDeviceOk;
}

DeviceResult ScriptedAudioInputDevice::position(std::uint64_t& bytes) const
{
    if (!open_)
        return kDeviceNotOpen;
    bytes = position_;
    return kDeviceOk;
}

bool ScriptedAudioInputDevice::pushData(const std::vector<std::uint8_t>& bytes)
{
    if (!capturing_ || queue_.empty())
        return false;
    WaveHeader* header = queue_.front();
    queue_.pop_front();
    const auto count = static_cast<std::uint32_t>(std::min<std::size_t>(bytes.size(), header->bufferLength));
    std::memcpy(header->data, bytes.data(), count);
    header->bytesRecorded = count;
    header->queued = false;
    position_ += count;
    post({Notification::Kind::Data, header});
    return true;
}

void ScriptedAudioInputDevice::loseDevice()
{
    lost_ = true;
    capturing_ = false;
    post({Notification::Kind::Error, nullptr, kDeviceLost});
}

bool ScriptedAudioInputDevice::deliverNext()
{
    if (pending_.empty() || listener_ == nullptr)
        return false;
    const Notification next = pending_.front();
    pending_.pop_front();
    AudioInputListener& listener = *listener_;
    switch (next.kind) {
    case Notification::Kind::Opened: listener.deviceOpened(); break;
    case Notification::Kind::Data: listener.deviceData(*next.header); break;
    case Notification::Kind::Closed: listener.deviceClosed(); break;
    case Notification::Kind::Error: listener.deviceError(next.code); break;
    }
    return true;
}

void ScriptedAudioInputDevice::pumpNotifications()
{
    while (deliverNext()) {
    }
}

} // namespace tiravel
