#pragma once

#include <string>

namespace tiravel {

// Plays WAV files by name in the background, one at a time: a new sound
// replaces the one playing. Playing never blocks the caller; a missing or
// unreadable file, or no audio output, plays nothing.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Starts playing the file and returns at once.
    virtual void playAsync(const std::string& wavPath) = 0;
    // Stops the sound, if any.
    virtual void stop() = 0;
    // True from playAsync until the sound ends, is stopped or fails.
    virtual bool playing() const = 0;
};

} // namespace tiravel
