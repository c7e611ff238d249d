#pragma once

#include "analysis/AnalysisState.h"
#include "platform/ErrorReporter.h"
#include "platform/ProgressSink.h"
#include "shell/LanguageTexts.h"

#include <string>

namespace tiravel {

// Loads a PCM WAV file into state.soundBuffer[1..soundLength], always as a
// 22050 Hz sound: 44100 Hz keeps every second frame, 48000 Hz keeps 24 frames
// out of 50, 11025 Hz is interpolated to twice its length. A stereo file keeps
// its first channel. 16-bit samples are stored as value / 500, 8-bit samples
// as (byte - 128) / 10, at most kMaxSoundSamples of them.
//
// The reader walks the file as 16-bit words with a fixed header layout: after
// the "fmt " section it takes channels, rate (low word only) and block align,
// then skips ten words (bits per sample, the data chunk header and the first
// 10 bytes of sound) without looking for the data chunk.
//
// state.loadStatus afterwards:
//    0 loaded
//   -1 the name does not end in "wav" (any case) or has 3 characters or fewer
//   -2 no such regular file, or it cannot be opened for reading
//   -3 fewer than 1000 words, or the header ends before the block align
//   -4 sample rate other than 22050, 11025, 44100 or 48000 (error window)
//   -5 block align other than 1, 2 or 4 (error window)
//   -6 no "fmt " section at an even offset (error window)
// Every call first clears soundBuffer[1..500000] and auxSoundBuffer[1..500000]
// and sets soundLength to 0; index 0 of both buffers is left as it was.
// progress advances every 10000 frames of a 16-bit file; pending window
// messages run at those points and twice at the end of a successful load.
void loadWavFile(AnalysisState& state, const std::string& fileName, Language language, ErrorReporter& errors,
    ProgressSink& progress);

} // namespace tiravel
