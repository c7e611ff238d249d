#pragma once

#include "audio/AudioInputDevice.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSource>
#include <QMediaDevices>
#include <QObject>
#include <QPointer>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tiravel {

// The sound input of the system through Qt Multimedia (PulseAudio or
// PipeWire underneath). What the audio source delivers is copied, in capture
// order, into the queued buffers; a buffer is returned only when full, so
// every "data" notification during capture holds exactly one buffer of
// consecutive samples. Bytes that arrive while no buffer is queued wait in
// the audio source until the next buffer is added.
//
// Notifications are posted to the thread of this object, the user-interface
// thread; a QCoreApplication must exist.
class QtAudioInputDevice final : public AudioInputDevice {
public:
    QtAudioInputDevice();
    ~QtAudioInputDevice() override;

    std::uint32_t deviceCount() const override;
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
    std::string errorText(DeviceResult code) const override;
    void pumpNotifications() override;

private:
    DeviceResult resolve(std::int32_t deviceId, QAudioDevice& device) const;
    DeviceResult checkFormat(const QAudioDevice& device, const WaveFormatRecord& format, QAudioFormat& qtFormat) const;
    DeviceResult fail(DeviceResult code, const QString& text) const;
    void fill();
    void stopSource();
    void onStateChanged(QAudio::State state);
    void onInputsChanged();
    void reportLost(const QString& reason);
    void post(void (QtAudioInputDevice::*deliver)(WaveHeader*), WaveHeader* header = nullptr);
    void deliverOpened(WaveHeader*);
    void deliverData(WaveHeader* header);
    void deliverClosed(WaveHeader*);
    void deliverLost(WaveHeader*);

    QObject context_;  // posted notifications run in its thread and die with it
    QMediaDevices mediaDevices_;
    std::unique_ptr<QAudioSource> source_;
    QPointer<QIODevice> input_;   // the source's stream while started; the source may delete it
    bool started_ = false;        // started by us and not stopped by us since
    QAudioDevice openDevice_;
    AudioInputListener* listener_ = nullptr;
    std::vector<WaveHeader*> queue_;  // oldest first
    std::uint64_t position_ = 0;      // bytes
    bool capturing_ = false;
    bool lost_ = false;
    mutable std::map<DeviceResult, std::string> texts_;  // latest precise text per code
};

} // namespace tiravel
