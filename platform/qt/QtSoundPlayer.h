#pragma once

#include "platform/SoundPlayer.h"

#include <functional>
#include <memory>
#include <string>

class QSoundEffect;
class QTimer;

namespace tiravel {

// The system's sound output through Qt Multimedia. The file is loaded and
// played by Qt in the background; state changes arrive with the events of
// the user-interface thread, so a QCoreApplication must exist and its events
// be processed while a sound plays.
//
// Problems are never fatal: a missing file, a file that is not a WAV file or
// that Qt cannot decode (or has not loaded within 2 s), or no audio output
// device play nothing and are passed to the error callback, if any.
class QtSoundPlayer final : public SoundPlayer {
public:
    using ErrorCallback = std::function<void(const std::string& message)>;

    explicit QtSoundPlayer(ErrorCallback onError = {});
    ~QtSoundPlayer() override;
    QtSoundPlayer(const QtSoundPlayer&) = delete;
    QtSoundPlayer& operator=(const QtSoundPlayer&) = delete;

    void playAsync(const std::string& wavPath) override;
    void stop() override;
    bool playing() const override;

private:
    void discardEffect();
    void onStatusChanged();
    void onLoadLimit();
    void fail();
    void report(const std::string& message) const;

    QSoundEffect* effect_ = nullptr; // the sound being loaded or played
    std::string effectPath_;         // its file
    std::unique_ptr<QTimer> loadLimit_; // ends a load that never completes
    ErrorCallback onError_;
};

} // namespace tiravel
