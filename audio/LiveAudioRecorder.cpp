#include "LiveAudioRecorder.h"

namespace tiravel {

TLiveAudioRecorder::TLiveAudioRecorder(AudioInputDevice& device)
    : TWaveAudioIn(device)
{
}

} // namespace tiravel
