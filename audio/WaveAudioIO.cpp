#include "WaveAudioIO.h"

#include <algorithm>
#include <new>

namespace tiravel {

TWaveAudioIO::~TWaveAudioIO()
{
    FreeAllBuffers();
}

void TWaveAudioIO::setActive(bool value)
{
    if (value == Active())
        return;
    if (value)
        Open();
    else
        Close();
}

void TWaveAudioIO::setDeviceID(std::int32_t value)
{
    if (Active())
        throw EWaveAudioInvalidOperation("DeviceID cannot be changed while device is open");
    if (Success(ValidateDevice(value)))
        fDeviceID = value;
}

void TWaveAudioIO::setAsync(bool value)
{
    if (!Active())
        fAsync = value;
}

void TWaveAudioIO::Open()
{
    if (fOpening)
        return;
    WaitWhileClosing();
    if (fHandle)
        throw EWaveAudioInvalidOperation("Device is aleardy open");
    fOpening = true;
    WaveFormatRecord format;
    try {
        GetWaveFormat(format);
    } catch (...) {
        fOpening = false;
        throw;
    }
    const DeviceResult queried = DoQuery(format);
    if (queried != kDeviceOk)
        return FailOpen(queried);
    WaveFormat = format;
    fCallback = true;
    const DeviceResult opened = DoOpen(format);
    if (opened != kDeviceOk) {
        fCallback = false;
        return FailOpen(opened);
    }
    fHandle = true;
}

void TWaveAudioIO::FailOpen(DeviceResult result)
{
    fOpening = false;
    Success(result);
}

void TWaveAudioIO::Close()
{
    if (fClosing)
        return;
    WaitWhileOpening();
    if (!fHandle)
        throw EWaveAudioInvalidOperation("Device is aleardy close");
    fClosing = true;
    const DeviceResult reset = DoReset();
    // A failed reset may keep buffers forever: close without waiting for them.
    const DeviceResult closed = reset != kDeviceOk || fQueuedCount == 0 ? CloseDevice() : kDeviceOk;
    if (Success(reset))
        Success(closed);
}

// "opened" clears fOpening, so only an open that reached the device can be
// waited for; one requested from a handler of the open itself cannot.
void TWaveAudioIO::WaitWhileOpening()
{
    while (fOpening && fHandle)
        DoPumpNotifications();
}

void TWaveAudioIO::WaitWhileClosing()
{
    while (fClosing)
        DoPumpNotifications();
}

void TWaveAudioIO::HandleOpened()
{
    fOpening = false;
    QueueBuffers();
    if (OnActivate)
        OnActivate(this);
    if (IsOpen())
        Activated();
}

void TWaveAudioIO::QueueBuffers()
{
    const std::uint32_t size = WaveBufferSize(WaveFormat, fBufferLength);
    while (IsOpen() && fQueuedCount < fBufferCount) {
        DeviceResult result = kDeviceOk;
        WaveHeader* header = NewBuffer(size, result);
        if (header != nullptr)
            result = QueueBuffer(*header);
        if (!Success(result))
            return;
    }
}

WaveHeader* TWaveAudioIO::NewBuffer(std::uint32_t size, DeviceResult& result)
{
    auto header = std::make_unique<WaveHeader>();
    header->data = new (std::nothrow) std::uint8_t[size];
    if (header->data == nullptr) {
        result = kNoMemory;
        return nullptr;
    }
    header->bufferLength = size;
    header->ownedByComponent = true;
    Buffers.push_back(std::move(header));
    return Buffers.back().get();
}

// Prepares the header if needed and hands it to the device; a header the
// device refuses is freed.
DeviceResult TWaveAudioIO::QueueBuffer(WaveHeader& header)
{
    if (!header.prepared) {
        const DeviceResult prepared = DoPrepare(header);
        if (prepared != kDeviceOk) {
            FreeBuffer(header);
            return prepared;
        }
    }
    const DeviceResult added = DoAddBuffer(header);
    if (added != kDeviceOk) {
        DoUnprepare(header);
        FreeBuffer(header);
        return added;
    }
    ++fQueuedCount;
    return kDeviceOk;
}

void TWaveAudioIO::HandleData(WaveHeader& header)
{
    --fQueuedCount;
    const DeviceResult unprepared = DoUnprepare(header);
    if (unprepared == kDeviceOk && header.bytesRecorded > 0)
        ProcessBuffer(header);
    DeviceResult result = unprepared;
    if (unprepared == kDeviceOk)
        result = Requeue(header);
    else
        FreeBuffer(header);
    const DeviceResult closed = fClosing && fQueuedCount == 0 ? CloseDevice() : kDeviceOk;
    if (Success(result))
        Success(closed);
}

// Gives the header a data block again (its own unless an OnData handler
// took it over) and queues it, unless the ring is closing or too large.
DeviceResult TWaveAudioIO::Requeue(WaveHeader& header)
{
    if (!IsOpen() || Buffers.size() > static_cast<std::size_t>(std::max<std::int16_t>(fBufferCount, 0))) {
        FreeBuffer(header);
        return kDeviceOk;
    }
    if (!header.ownedByComponent) {
        header.data = new (std::nothrow) std::uint8_t[header.bufferLength];
        if (header.data == nullptr) {
            FreeBuffer(header);
            return kNoMemory;
        }
        header.ownedByComponent = true;
    }
    header.bytesRecorded = 0;
    return QueueBuffer(header);
}

void TWaveAudioIO::FreeBuffer(WaveHeader& header)
{
    if (header.ownedByComponent)
        delete[] header.data;
    const auto found = std::find_if(Buffers.begin(), Buffers.end(),
        [&header](const std::unique_ptr<WaveHeader>& owned) { return owned.get() == &header; });
    if (found != Buffers.end())
        Buffers.erase(found);
}

void TWaveAudioIO::FreeAllBuffers()
{
    for (const auto& header : Buffers) {
        if (header->ownedByComponent)
            delete[] header->data;
    }
    Buffers.clear();
}

// Asks the device to close; if it refuses, the component is closed anyway
// so that it never waits for a "closed" that cannot come.
DeviceResult TWaveAudioIO::CloseDevice()
{
    const DeviceResult result = DoClose();
    if (result != kDeviceOk)
        HandleClosed();
    return result;
}

void TWaveAudioIO::HandleClosed()
{
    fHandle = false;
    Closed();
    fClosing = false;
    fCallback = false;
    fQueuedCount = 0;
    FreeAllBuffers();
    if (!fDestroying && OnDeactivate)
        OnDeactivate(this);
}

void TWaveAudioIO::HandleDeviceError(DeviceResult code)
{
    Success(code);
}

bool TWaveAudioIO::Success(DeviceResult result)
{
    if (result == kDeviceOk)
        return true;
    fLastError = result;
    if (OnError)
        OnError(this);
    else
        throw EWaveAudioSysError(LastErrorText(), result);
    return false;
}

void TWaveAudioIO::CloseForDestruction() noexcept
{
    fDestroying = true;
    // Errors while closing have no one left to be shown to; a silent handler
    // lets the close run to its end instead of throwing out of it.
    OnError = [](TWaveAudioIO*) {};
    try {
        if (Active() && !fClosing)
            Close();
        WaitWhileClosing();
    } catch (...) {
        // An event handler threw during the close: the component goes away anyway.
    }
}

} // namespace tiravel
