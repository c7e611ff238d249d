// The live dispatcher: conversion of each captured buffer into soundBuffer
// and the analysis and drawing steps of the active tool; and the analysis
// window that feeds it from its recorder.
#include "audio/ScriptedAudioInputDevice.h"
#include "audio/SyntheticVoice.h"
#include "shell/LiveDispatcher.h"
#include "shell/TFormFFT.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace tiravel {
namespace {

// Remembers every tool operation the dispatcher calls, with its arguments.
class RecordingTools final : public LiveTools {
public:
    void DrawEnergyRealTime() override { calls.push_back("DrawEnergyRealTime"); }
    void DumpVoiceParams() override { calls.push_back("DumpVoiceParams"); }
    void FindNiceOffset() override { calls.push_back("FindNiceOffset"); }
    void DrawSoundRealTime() override { calls.push_back("DrawSoundRealTime"); }
    bool ProfilTimerNopEnabled() const override { return timerNop; }
    void AddToProfil(double myF0, double myEnergy) override
    {
        calls.push_back("AddToProfil");
        profilF0 = myF0;
        profilEnergy = myEnergy;
    }
    void DrawProfilRealTime() override { calls.push_back("DrawProfilRealTime"); }
    void DrawSound() override { calls.push_back("DrawSound"); }
    void UpdateF0AndDraw() override { calls.push_back("UpdateF0AndDraw"); }
    void UpdateF0RealTime(double maxDb) override
    {
        calls.push_back("UpdateF0RealTime");
        pitchMaxDb = maxDb;
    }
    void DrawTimbre() override { calls.push_back("DrawTimbre"); }
    void DrawSpectrumRealTime() override { calls.push_back("DrawSpectrumRealTime"); }

    std::vector<std::string> calls;
    bool timerNop = false;
    double profilF0 = -1;
    double profilEnergy = -1;
    double pitchMaxDb = -1;
};

using Calls = std::vector<std::string>;

// The 16-bit little-endian bytes of samples.
std::vector<std::uint8_t> pcmBytes(const std::vector<std::int16_t>& samples)
{
    std::vector<std::uint8_t> bytes(samples.size() * 2);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        bytes[2 * i] = static_cast<std::uint8_t>(samples[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<std::uint8_t>((samples[i] >> 8) & 0xFF);
    }
    return bytes;
}

// One 50 ms capture buffer (1103 samples) of a 200 Hz voice.
std::vector<std::int16_t> voiceSamples()
{
    VoiceSpec spec;
    spec.f0Hz = 200;
    spec.seconds = 0.2;
    spec.attackSeconds = 0;
    std::vector<std::int16_t> samples = synthesizeVoice(spec);
    samples.resize(1103);
    return samples;
}

class Dispatcher : public ::testing::Test {
protected:
    Dispatcher() { dispatcher.setTools(&tools); }

    void feed(const std::vector<std::int16_t>& samples)
    {
        const std::vector<std::uint8_t> bytes = pcmBytes(samples);
        dispatcher.LiveAudioRecorder1Data(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    }
    void fillSoundBuffer(double value)
    {
        for (int i = 0; i < 2000; ++i)
            state.soundBuffer[i] = value;
    }

    test::FreshEngine fresh;
    AnalysisState& state = fresh.state;
    LiveDispatcher dispatcher {fresh.engine};
    RecordingTools tools;
};

struct ModeCase {
    std::uint8_t toolMode;
    Calls calls;       // on the first buffer
    bool spectrum;     // ComputeFFT ran
    bool f0;           // GetPeakFFT ran
};

TEST_F(Dispatcher, EachToolModeRunsItsStepsAndOperationsInOrder)
{
    const std::vector<ModeCase> cases = {
        {kModeSpectrumRT, {"DrawEnergyRealTime"}, true, true},
        {kModeArticulation, {"FindNiceOffset", "DrawSoundRealTime"}, false, false},
        {kModeProfil, {"AddToProfil", "DrawProfilRealTime"}, true, true},
        {kModeTPM, {"DrawSound"}, false, false},
        {kModeReperes, {"UpdateF0AndDraw"}, true, true},
        {kModeHauteurTonale, {"UpdateF0RealTime"}, true, true},
        {kModeTimbre, {"DrawTimbre"}, true, false},
        {kModeSouffle, {}, true, false},
        {0, {}, false, false},
        {3, {}, false, false},
        {5, {}, false, false},
        {12, {}, false, false},
        {255, {}, false, false},
    };
    const std::vector<std::int16_t> voice = voiceSamples();
    for (const ModeCase& c : cases) {
        SCOPED_TRACE("toolMode " + std::to_string(c.toolMode));
        test::FreshEngine engine;
        LiveDispatcher live(engine.engine);
        RecordingTools recording;
        live.setTools(&recording);
        engine.state.toolMode = c.toolMode;
        const std::vector<std::uint8_t> bytes = pcmBytes(voice);
        live.LiveAudioRecorder1Data(bytes.data(), static_cast<std::uint32_t>(bytes.size()));

        EXPECT_EQ(recording.calls, c.calls);
        EXPECT_EQ(engine.state.soundLength, 1103);
        EXPECT_NE(engine.state.soundBuffer[100], 0.0) << "every mode converts the buffer";
        EXPECT_EQ(engine.state.spectrum[9] > 0, c.spectrum);
        if (c.f0)
            EXPECT_NEAR(engine.state.localF0, 200, 6);
        else
            EXPECT_EQ(engine.state.localF0, 0);
    }
}

TEST_F(Dispatcher, SpectrumModeDumpsTheVoiceParametersOnEveryFifthBuffer)
{
    state.toolMode = kModeSpectrumRT;
    const std::vector<std::int16_t> voice = voiceSamples();
    for (int i = 0; i < 10; ++i)
        feed(voice);
    Calls expected;
    for (int buffer = 1; buffer <= 10; ++buffer) {
        expected.push_back("DrawEnergyRealTime");
        if (buffer % 5 == 0)
            expected.push_back("DumpVoiceParams");
    }
    EXPECT_EQ(tools.calls, expected);
    EXPECT_EQ(state.bufferCounter, 10);
}

TEST_F(Dispatcher, BreathDisplayIsRedrawnOnBuffersFiveTenFifteen)
{
    state.toolMode = kModeSouffle;
    std::vector<int> drawnOn;
    const std::vector<std::int16_t> voice = voiceSamples();
    for (int buffer = 1; buffer <= 16; ++buffer) {
        tools.calls.clear();
        feed(voice);
        if (tools.calls == Calls {"DrawSpectrumRealTime"})
            drawnOn.push_back(buffer);
    }
    EXPECT_EQ(drawnOn, std::vector<int>({5, 10, 15}));
}

TEST_F(Dispatcher, TimbreDisplayIsRedrawnOnEverySecondBufferAndTheToggleCarriesOver)
{
    state.toolMode = kModeTimbre;
    state.timbreToggle = true;
    const std::vector<std::int16_t> voice = voiceSamples();
    std::vector<int> drawnOn;
    for (int buffer = 1; buffer <= 4; ++buffer) {
        tools.calls.clear();
        feed(voice);
        if (!tools.calls.empty())
            drawnOn.push_back(buffer);
    }
    EXPECT_EQ(drawnOn, std::vector<int>({2, 4}));
    EXPECT_TRUE(state.timbreToggle);
}

TEST_F(Dispatcher, PhonetogramIsSkippedBetweenMeasurementsAndFedOtherwise)
{
    state.toolMode = kModeProfil;
    tools.timerNop = true;
    const std::vector<std::int16_t> voice = voiceSamples();
    feed(voice);
    EXPECT_TRUE(tools.calls.empty());
    EXPECT_EQ(state.energyFrameCount, 1);
    EXPECT_EQ(state.spectrum[9], 0.0) << "no analysis while TimerNop is enabled";

    tools.timerNop = false;
    feed(voice);
    EXPECT_EQ(tools.calls, Calls({"AddToProfil", "DrawProfilRealTime"}));
    EXPECT_EQ(tools.profilF0, state.localF0);
    EXPECT_EQ(tools.profilEnergy, state.energyTable[0][0]);
    EXPECT_GT(tools.profilEnergy, 0);
    EXPECT_EQ(state.energyFrameCount, 2);
}

TEST_F(Dispatcher, PitchToolGetsTheLinearEnergyOfTheF0Peak)
{
    state.toolMode = kModeHauteurTonale;
    feed(voiceSamples());
    EXPECT_GT(tools.pitchMaxDb, 0);
    EXPECT_EQ(tools.pitchMaxDb, state.localEnergy);
}

TEST_F(Dispatcher, SilenceGivesZeroSamples)
{
    fillSoundBuffer(7.5);
    feed(std::vector<std::int16_t>(1103, 0));
    for (int i = 0; i < kFrameLength; ++i)
        ASSERT_EQ(state.soundBuffer[i], 0.0) << "sample " << i;
}

TEST_F(Dispatcher, ConstantOffsetIsRemovedCompletely)
{
    feed(std::vector<std::int16_t>(1103, 1000));
    for (int i = 0; i < kFrameLength; ++i)
        ASSERT_EQ(state.soundBuffer[i], 0.0) << "sample " << i;

    std::vector<std::int16_t> voice = voiceSamples();
    feed(voice);
    std::vector<double> centred(state.soundBuffer.data(), state.soundBuffer.data() + kFrameLength);
    for (std::int16_t& s : voice)
        s = static_cast<std::int16_t>(s / 2 + 3000);
    feed(voice);
    double sum = 0;
    for (int i = 0; i < kFrameLength; ++i) {
        sum += state.soundBuffer[i];
        ASSERT_NEAR(state.soundBuffer[i], centred[i] / 2, 0.02) << "sample " << i;
    }
    EXPECT_NEAR(sum, 0, 1e-6);
}

TEST_F(Dispatcher, SamplesAreScaledByCalibrationOverFifty)
{
    std::vector<std::int16_t> square(1103);
    for (std::size_t i = 0; i < square.size(); ++i)
        square[i] = i % 2 == 0 ? 1000 : -1000;
    for (const auto& [calibration, expected] : std::vector<std::pair<double, double>> {{1.0, 20}, {2.5, 50}, {0.5, 10}}) {
        SCOPED_TRACE(calibration);
        state.calibration = calibration;
        feed(square);
        EXPECT_DOUBLE_EQ(state.soundBuffer[0], expected);
        EXPECT_DOUBLE_EQ(state.soundBuffer[1], -expected);
        EXPECT_DOUBLE_EQ(state.soundBuffer[1023], -expected);
    }
}

TEST_F(Dispatcher, PausedArticulationKeepsTheSamplesButUpdatesTheLength)
{
    state.toolMode = kModeArticulation;
    state.articulationPaused = true;
    fillSoundBuffer(7.5);
    const std::vector<std::uint8_t> bytes = pcmBytes(voiceSamples());
    dispatcher.LiveAudioRecorder1Data(bytes.data(), 2205);
    EXPECT_EQ(state.soundLength, 1102);
    EXPECT_EQ(state.soundBuffer[0], 7.5);
    EXPECT_EQ(state.soundBuffer[1023], 7.5);
    EXPECT_TRUE(tools.calls.empty());
}

// A buffer whose last byte is the last readable byte before an inaccessible
// page: reading past its end crashes the test.
class GuardedBuffer {
public:
    explicit GuardedBuffer(std::size_t bytes)
        : page_(static_cast<std::size_t>(sysconf(_SC_PAGESIZE)))
        , length_((bytes + page_ - 1) / page_ * page_ + page_)
    {
        void* mapped = mmap(nullptr, length_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapped == MAP_FAILED)
            throw std::runtime_error("mmap failed");
        base_ = static_cast<std::uint8_t*>(mapped);
        mprotect(base_ + length_ - page_, page_, PROT_NONE);
        data_ = base_ + length_ - page_ - bytes;
    }
    ~GuardedBuffer() { munmap(base_, length_); }
    GuardedBuffer(const GuardedBuffer&) = delete;
    GuardedBuffer& operator=(const GuardedBuffer&) = delete;
    std::uint8_t* data() { return data_; }

private:
    std::size_t page_;
    std::size_t length_;
    std::uint8_t* base_ = nullptr;
    std::uint8_t* data_ = nullptr;
};

TEST_F(Dispatcher, OnlyTheFirst1024SamplesAreRead)
{
    state.toolMode = kModeSpectrumRT;
    const std::vector<std::int16_t> voice = voiceSamples();
    GuardedBuffer exact(2 * kFrameLength);
    std::memcpy(exact.data(), pcmBytes(voice).data(), 2 * kFrameLength);
    fillSoundBuffer(7.5);
    dispatcher.LiveAudioRecorder1Data(exact.data(), 2 * kFrameLength);
    const std::vector<double> converted(state.soundBuffer.data(), state.soundBuffer.data() + kFrameLength);
    const double f0 = state.localF0;
    EXPECT_EQ(state.soundBuffer[kFrameLength], 7.5) << "nothing is written beyond sample 1023";

    std::vector<std::int16_t> garbage = voice;
    for (std::size_t i = kFrameLength; i < garbage.size(); ++i)
        garbage[i] = static_cast<std::int16_t>(i % 2 == 0 ? 32767 : -32768);
    feed(garbage);
    EXPECT_EQ(std::vector<double>(state.soundBuffer.data(), state.soundBuffer.data() + kFrameLength), converted);
    EXPECT_EQ(state.localF0, f0);
    EXPECT_NEAR(f0, 200, 6);
}

TEST_F(Dispatcher, ABufferShorterThan1024SamplesIsNotAnalysed)
{
    state.toolMode = kModeSpectrumRT;
    fillSoundBuffer(7.5);
    const std::size_t bytes = 2 * (kFrameLength - 1);
    GuardedBuffer shortBuffer(bytes);
    std::memcpy(shortBuffer.data(), pcmBytes(voiceSamples()).data(), bytes);
    dispatcher.LiveAudioRecorder1Data(shortBuffer.data(), static_cast<std::uint32_t>(bytes));
    EXPECT_EQ(state.soundLength, kFrameLength - 1);
    EXPECT_EQ(state.soundBuffer[0], 7.5);
    EXPECT_TRUE(tools.calls.empty());
    EXPECT_EQ(state.bufferCounter, 0);
}

// ---------------------------------------------------------------------------
// The analysis window's recorder feeding the dispatcher

TEST(AnalysisWindow, RecorderIsSetForLiveAnalysis)
{
    test::FreshEngine fresh;
    ScriptedAudioInputDevice device;
    TFormFFT form(fresh.state, device);
    EXPECT_EQ(form.LiveAudioRecorder1.PCMFormat(), Mono16bit22050Hz);
    EXPECT_EQ(form.LiveAudioRecorder1.BufferLength(), 50);
    EXPECT_FALSE(form.LiveAudioRecorder1.Async());
}

TEST(AnalysisWindow, CapturedBuffersReachTheActiveTool)
{
    test::FreshEngine fresh;
    ScriptedAudioInputDevice device;
    TFormFFT form(fresh.state, device);
    RecordingTools tools;
    form.dispatcher().setTools(&tools);
    fresh.state.toolMode = kModeTPM;

    form.LiveAudioRecorderActivate();
    device.pumpNotifications();
    ASSERT_TRUE(device.pushData(pcmBytes(voiceSamples())));
    device.pumpNotifications();
    EXPECT_EQ(tools.calls, Calls({"DrawSound"}));
    EXPECT_EQ(fresh.state.soundLength, 1103);

    form.LiveAudioRecorderDeActivate();
    device.pumpNotifications();
    EXPECT_FALSE(form.LiveAudioRecorder1.Active());
    EXPECT_FALSE(device.isOpen());
}

TEST(AnalysisWindow, CaptureErrorsAreShownAndNeverThrown)
{
    test::FreshEngine fresh;
    test::RecordingErrorReporter errors;
    {
        ScriptedAudioInputDevice noDevices(std::vector<ScriptedAudioInputDevice::Device> {});
        TFormFFT form(fresh.state, noDevices);
        form.setErrorReporter(errors);
        EXPECT_NO_THROW(form.LiveAudioRecorderActivate());
        EXPECT_FALSE(form.LiveAudioRecorder1.Active());
    }
    ScriptedAudioInputDevice device;
    TFormFFT form(fresh.state, device);
    form.setErrorReporter(errors);
    form.LiveAudioRecorderActivate();
    device.pumpNotifications();
    device.loseDevice();
    EXPECT_NO_THROW(device.pumpNotifications());

    ASSERT_EQ(errors.errors.size(), 2u);
    EXPECT_EQ(errors.errors[0].text, defaultDeviceErrorText(kNoInputDevice));
    EXPECT_EQ(errors.errors[1].text, defaultDeviceErrorText(kDeviceLost));
}

} // namespace
} // namespace tiravel
