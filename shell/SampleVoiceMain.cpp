// Writes the sample voice of the data folder: three seconds of a sustained
// vowel on 180 Hz (24 harmonics falling as 1/h) with a light vibrato, jitter,
// shimmer and breath, after 0.3 s of silence, as a 16-bit mono 22050 Hz WAV
// file.
#include "audio/SyntheticVoice.h"
#include "audio/WavWriter.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: tiravel4-sample-voice FILE.wav\n");
        return 2;
    }
    tiravel::VoiceSpec voice;
    voice.f0Hz = 180;
    voice.seconds = 3.0;
    voice.leadingSilenceSeconds = 0.3;
    voice.attackSeconds = 0.05;
    voice.vibratoHz = 5;
    voice.vibratoDepth = 0.01;
    voice.jitter = 0.004;
    voice.shimmer = 0.03;
    voice.noiseLevel = 0.01;
    voice.harmonicAmplitudes.clear();
    for (int h = 1; h <= 24; ++h)
        voice.harmonicAmplitudes.push_back(1.0 / h);
    return tiravel::writeWav16Mono(argv[1], tiravel::synthesizeVoice(voice), voice.sampleRate) ? 0 : 1;
}
