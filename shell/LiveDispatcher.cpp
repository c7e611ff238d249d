#include "LiveDispatcher.h"

#include <cstring>

namespace tiravel {

LiveDispatcher::LiveDispatcher(AnalysisEngine& engine)
    : engine_(engine)
    , state_(engine.state())
{
}

void LiveDispatcher::LiveAudioRecorder1Data(const void* buffer, std::uint32_t bufferSize)
{
    state_.soundLength = static_cast<std::int32_t>(bufferSize / 2);
    if (state_.toolMode == kModeArticulation && state_.articulationPaused)
        return;
    // A short buffer cannot be analysed: the capture settings always give more
    // than 1024 samples, so this only guards against a faulty device.
    if (bufferSize < 2 * kFrameLength)
        return;
    convertSamples(buffer);
    dispatch();
}

void LiveDispatcher::convertSamples(const void* buffer)
{
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    const double scale = state_.calibration / 50;
    double* samples = state_.soundBuffer.data();
    double sum = 0;
    for (int i = 0; i < kFrameLength; ++i) {
        const auto raw = static_cast<std::int16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        samples[i] = raw * scale;
        sum += samples[i];
    }
    const double mean = sum / kFrameLength;
    for (int i = 0; i < kFrameLength; ++i)
        samples[i] -= mean;
}

void LiveDispatcher::dispatch()
{
    std::int32_t maxCn = 0;
    double myEnergy = 0;
    switch (state_.toolMode) {
    case kModeTimbre:
        engine_.ComputeFFT(0);
        state_.timbreToggle = !state_.timbreToggle;
        if (state_.timbreToggle)
            tools_->DrawTimbre();
        break;
    case kModeHauteurTonale:
        engine_.ComputeFFT(0);
        engine_.GetPeakFFT(maxCn, myEnergy);
        tools_->UpdateF0RealTime(myEnergy);
        break;
    case kModeReperes:
        engine_.ComputeFFT(0);
        engine_.GetPeakFFT(maxCn, myEnergy);
        tools_->UpdateF0AndDraw();
        break;
    case kModeSouffle:
        engine_.ComputeFFT(0);
        if (++state_.bufferCounter % 5 == 0)
            tools_->DrawSpectrumRealTime();
        break;
    case kModeSpectrumRT:
        engine_.ComputeFFT(0);
        engine_.GetPeakFFT(maxCn, myEnergy);
        engine_.ComputePeakEnergy();
        engine_.ComputeNoiseAndHarmonics(true);
        tools_->DrawEnergyRealTime();
        if (++state_.bufferCounter % 5 == 0)
            tools_->DumpVoiceParams();
        break;
    case kModeProfil:
        if (tools_->ProfilTimerNopEnabled())
            return;
        engine_.ComputeFFT(0);
        engine_.GetPeakFFT(maxCn, myEnergy);
        tools_->AddToProfil(state_.localF0, state_.energyTable[0][0]);
        tools_->DrawProfilRealTime();
        state_.energyFrameCount = 2;
        break;
    case kModeArticulation:
        tools_->FindNiceOffset();
        tools_->DrawSoundRealTime();
        break;
    case kModeTPM:
        tools_->DrawSound();
        break;
    default:
        break;
    }
}

} // namespace tiravel
