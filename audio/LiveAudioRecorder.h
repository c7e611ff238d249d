#pragma once

#include "WaveAudioIn.h"

namespace tiravel {

// The recorder placed on the analysis and recorder windows: a wave input
// component whose settings the window sets (Mono16bit22050Hz, 50 ms).
class TLiveAudioRecorder final : public TWaveAudioIn {
public:
    explicit TLiveAudioRecorder(AudioInputDevice& device);
};

} // namespace tiravel
