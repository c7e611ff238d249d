#include "QtAudioInputDevice.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <algorithm>

namespace tiravel {

namespace {

// Room for the buffers a recorder keeps queued; more only grows the list once.
constexpr std::size_t kQueueReserve = 16;

QString formatText(const WaveFormatRecord& format)
{
    return QStringLiteral("%1-bit %2 %3 Hz")
        .arg(format.bitsPerSample)
        .arg(format.channels == 1 ? QStringLiteral("mono") : QStringLiteral("%1-channel").arg(format.channels))
        .arg(format.samplesPerSec);
}

QString sourceErrorText(QAudio::Error error)
{
    switch (error) {
    case QAudio::OpenError: return QStringLiteral("the device could not be opened");
    case QAudio::IOError: return QStringLiteral("reading from the device failed");
    case QAudio::UnderrunError: return QStringLiteral("the device stopped delivering sound");
    case QAudio::FatalError: return QStringLiteral("the sound system stopped the device");
    case QAudio::NoError: break;
    }
    return QStringLiteral("no error");
}

bool toQtFormat(const WaveFormatRecord& format, QAudioFormat& qtFormat)
{
    if (format.formatTag != kWaveFormatPCM || format.channels == 0 || format.samplesPerSec == 0)
        return false;
    if (format.bitsPerSample == 8)
        qtFormat.setSampleFormat(QAudioFormat::UInt8);
    else if (format.bitsPerSample == 16)
        qtFormat.setSampleFormat(QAudioFormat::Int16);
    else
        return false;
    qtFormat.setChannelCount(format.channels);
    qtFormat.setSampleRate(static_cast<int>(format.samplesPerSec));
    return true;
}

} // namespace

QtAudioInputDevice::QtAudioInputDevice()
{
    queue_.reserve(kQueueReserve);
    QObject::connect(&mediaDevices_, &QMediaDevices::audioInputsChanged, &context_, [this] { onInputsChanged(); });
}

QtAudioInputDevice::~QtAudioInputDevice()
{
    stopSource();
}

std::uint32_t QtAudioInputDevice::deviceCount() const
{
    return static_cast<std::uint32_t>(QMediaDevices::audioInputs().size());
}

DeviceResult QtAudioInputDevice::fail(DeviceResult code, const QString& text) const
{
    texts_[code] = text.toStdString();
    return code;
}

DeviceResult QtAudioInputDevice::resolve(std::int32_t deviceId, QAudioDevice& device) const
{
    const QList<QAudioDevice> inputs = QMediaDevices::audioInputs();
    if (inputs.isEmpty())
        return fail(kNoInputDevice, QStringLiteral("No audio input device is available (no microphone or sound server found)"));
    if (deviceId == -1) {
        device = QMediaDevices::defaultAudioInput();
        if (device.isNull())
            return fail(kNoInputDevice, QStringLiteral("No default audio input device is available"));
        return kDeviceOk;
    }
    if (deviceId < 0 || deviceId >= inputs.size())
        return fail(kBadDeviceId, QStringLiteral("There is no audio input device number %1 (%2 available)")
                                      .arg(deviceId).arg(inputs.size()));
    device = inputs.at(deviceId);
    return kDeviceOk;
}

DeviceResult QtAudioInputDevice::checkFormat(const QAudioDevice& device, const WaveFormatRecord& format,
    QAudioFormat& qtFormat) const
{
    if (!toQtFormat(format, qtFormat) || !device.isFormatSupported(qtFormat))
        return fail(kFormatRefused, QStringLiteral("The audio input device \"%1\" does not accept %2 sound")
                                        .arg(device.description(), formatText(format)));
    return kDeviceOk;
}

DeviceResult QtAudioInputDevice::capabilities(std::int32_t deviceId, DeviceCaps& caps) const
{
    QAudioDevice device;
    if (const DeviceResult result = resolve(deviceId, device))
        return result;
    caps.name = device.description().toStdString();
    caps.formats.reset();
    for (int v = 1; v < kPCMFormatCount; ++v) {
        QAudioFormat qtFormat;
        if (toQtFormat(MakePCMFormatRecord(static_cast<TPCMFormat>(v)), qtFormat) && device.isFormatSupported(qtFormat))
            caps.formats.set(static_cast<std::size_t>(v));
    }
    return kDeviceOk;
}

DeviceResult QtAudioInputDevice::query(std::int32_t deviceId, const WaveFormatRecord& format)
{
    QAudioDevice device;
    QAudioFormat qtFormat;
    if (const DeviceResult result = resolve(deviceId, device))
        return result;
    return checkFormat(device, format, qtFormat);
}

DeviceResult QtAudioInputDevice::open(std::int32_t deviceId, const WaveFormatRecord& format,
    AudioInputListener& listener)
{
    if (source_)
        return fail(kDeviceFailed, QStringLiteral("The audio input device is already open"));
    QAudioDevice device;
    QAudioFormat qtFormat;
    if (const DeviceResult result = resolve(deviceId, device))
        return result;
    if (const DeviceResult result = checkFormat(device, format, qtFormat))
        return result;
    source_ = std::make_unique<QAudioSource>(device, qtFormat);
    QObject::connect(source_.get(), &QAudioSource::stateChanged, &context_,
        [this](QAudio::State state) { onStateChanged(state); });
    openDevice_ = device;
    listener_ = &listener;
    position_ = 0;
    lost_ = false;
    post(&QtAudioInputDevice::deliverOpened);
    return kDeviceOk;
}

DeviceResult QtAudioInputDevice::prepare(WaveHeader& header)
{
    if (header.data == nullptr || header.bufferLength == 0)
        return fail(kDeviceFailed, QStringLiteral("An audio buffer without data cannot be prepared"));
    header.prepared = true;
    return kDeviceOk;
}

DeviceResult QtAudioInputDevice::unprepare(WaveHeader& header)
{
    if (header.queued)
        return kBuffersQueued;
    header.prepared = false;
    return kDeviceOk;
}

DeviceResult QtAudioInputDevice::addBuffer(WaveHeader& header)
{
    if (!source_)
        return kDeviceNotOpen;
    if (lost_)
        return kDeviceLost;
    if (!header.prepared)
        return kBufferUnprepared;
    header.queued = true;
    header.bytesRecorded = 0;
    queue_.push_back(&header);
    fill();
    return kDeviceOk;
}

DeviceResult QtAudioInputDevice::start()
{
    if (!source_)
        return kDeviceNotOpen;
    if (lost_)
        return kDeviceLost;
    if (source_->state() == QAudio::SuspendedState) {
        source_->resume();
    } else if (!started_) {
        input_ = source_->start();
        if (input_ == nullptr || source_->error() != QAudio::NoError) {
            const QString reason = sourceErrorText(source_->error());
            stopSource();
            return fail(kDeviceFailed, QStringLiteral("Capture from \"%1\" could not start: %2")
                                           .arg(openDevice_.description(), reason));
        }
        started_ = true;
        QObject::connect(input_, &QIODevice::readyRead, &context_, [this] { fill(); });
    }
    capturing_ = true;
    fill();
    return kDeviceOk;
}

DeviceResult QtAudioInputDevice::stop()
{
    if (!source_)
        return kDeviceNotOpen;
    if (capturing_ && started_)
        source_->suspend();
    capturing_ = false;
    return kDeviceOk;
}

DeviceResult QtAudioInputDevice::reset()
{
    if (!source_)
        return kDeviceNotOpen;
    stopSource();
    for (WaveHeader* header : queue_) {
        header->queued = false;
        post(&QtAudioInputDevice::deliverData, header);
    }
    queue_.clear();
    return kDeviceOk;
}

DeviceResult QtAudioInputDevice::close()
{
    if (!source_)
        return kDeviceNotOpen;
    if (!queue_.empty())
        return kBuffersQueued;
    stopSource();
    source_.reset();
    openDevice_ = QAudioDevice();
    post(&QtAudioInputDevice::deliverClosed);
    return kDeviceOk;
}

DeviceResult QtAudioInputDevice::position(std::uint64_t& bytes) const
{
    if (!source_)
        return kDeviceNotOpen;
    bytes = position_;
    return kDeviceOk;
}

std::string QtAudioInputDevice::errorText(DeviceResult code) const
{
    const auto found = texts_.find(code);
    return found != texts_.end() ? found->second : defaultDeviceErrorText(code);
}

void QtAudioInputDevice::pumpNotifications()
{
    QCoreApplication::processEvents();
}

// Copies what the source holds into the oldest queued buffer until it is
// full, returns it, and goes on with the next one; a partly filled buffer
// waits for more sound.
void QtAudioInputDevice::fill()
{
    while (capturing_ && input_ != nullptr && !queue_.empty()) {
        WaveHeader& header = *queue_.front();
        const qint64 wanted = header.bufferLength - header.bytesRecorded;
        const qint64 got = input_->read(reinterpret_cast<char*>(header.data) + header.bytesRecorded, wanted);
        if (got <= 0)
            return;
        header.bytesRecorded += static_cast<std::uint32_t>(got);
        position_ += static_cast<std::uint64_t>(got);
        if (got < wanted)
            return;
        queue_.erase(queue_.begin());
        header.queued = false;
        post(&QtAudioInputDevice::deliverData, &header);
    }
}

// Stops the stream (the queued buffers keep what they hold); the state change
// this causes carries no error and is not taken for a lost device.
void QtAudioInputDevice::stopSource()
{
    capturing_ = false;
    started_ = false;
    if (input_ != nullptr)
        QObject::disconnect(input_, nullptr, &context_, nullptr);
    input_ = nullptr;
    if (source_)
        source_->stop();
}

void QtAudioInputDevice::onStateChanged(QAudio::State state)
{
    if (state == QAudio::StoppedState && started_ && source_->error() != QAudio::NoError)
        reportLost(sourceErrorText(source_->error()));
}

void QtAudioInputDevice::onInputsChanged()
{
    if (!source_ || lost_)
        return;
    const QList<QAudioDevice> inputs = QMediaDevices::audioInputs();
    if (std::find(inputs.begin(), inputs.end(), openDevice_) == inputs.end())
        reportLost(QStringLiteral("the device was removed"));
}

// Capture ends; the queued buffers stay queued until the recorder resets
// and closes the device.
void QtAudioInputDevice::reportLost(const QString& reason)
{
    if (lost_)
        return;
    lost_ = true;
    stopSource();
    fail(kDeviceLost, QStringLiteral("The audio input device \"%1\" was lost during capture: %2")
                          .arg(openDevice_.description(), reason));
    post(&QtAudioInputDevice::deliverLost);
}

void QtAudioInputDevice::post(void (QtAudioInputDevice::*deliver)(WaveHeader*), WaveHeader* header)
{
    QMetaObject::invokeMethod(&context_, [this, deliver, header] { (this->*deliver)(header); }, Qt::QueuedConnection);
}

void QtAudioInputDevice::deliverOpened(WaveHeader*)
{
    if (listener_ != nullptr)
        listener_->deviceOpened();
}

void QtAudioInputDevice::deliverData(WaveHeader* header)
{
    if (listener_ != nullptr)
        listener_->deviceData(*header);
}

void QtAudioInputDevice::deliverClosed(WaveHeader*)
{
    AudioInputListener* listener = listener_;
    listener_ = nullptr;
    if (listener != nullptr)
        listener->deviceClosed();
}

void QtAudioInputDevice::deliverLost(WaveHeader*)
{
    if (listener_ != nullptr)
        listener_->deviceError(kDeviceLost);
}

} // namespace tiravel
