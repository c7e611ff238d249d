#pragma once

#include "analysis/AnalysisState.h"

#include <cstdint>
#include <string>

namespace tiravel {

// Program-wide state of the operations on the loaded sound file. It holds
// three sound-sized buffers (about 9 MB): create it once, on the heap.
struct SoundFileState {
    SoundArray filterBackup;  // soundBuffer as it was before the last filter
    SoundArray filterInput;   // input samples of the current filter pass
    FixedArray<std::int16_t, kSoundBufferSize> sampleOut; // staging of every WAV file written
    double outputGain = 1.0;       // applied after filtering
    std::string currentSoundPath;  // full path of the loaded sound, at most 250 characters
    std::uint8_t soundKind = 0;    // phase-portrait mode from the file name (soundKindOf)
};

} // namespace tiravel
