// Live capture through Qt Multimedia, end to end: a private PulseAudio
// server with a pipe source stands in for the microphone, the test writes a
// voice into it at the live pace, and the analysis window's recorder feeds
// the dispatcher.
//
// Qt's audio backend connects to the sound server it finds first and never
// reconnects, so every scenario runs in a child process of its own with its
// own XDG_RUNTIME_DIR; the child is killed if it hangs.
#include "audio/SyntheticVoice.h"
#include "platform/qt/QtAudioInputDevice.h"
#include "shell/TFormFFT.h"
#include "support/EventPump.h"
#include "support/PrivateSoundServer.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace tiravel {
namespace {

using namespace std::chrono_literals;
using test::pumpUntil;
using test::FifoWriter;
using test::PrivateEnvironment;
using test::PrivateSoundServer;
using test::programExists;
using test::runCommand;
using test::runIsolated;

constexpr std::uint32_t kBufferBytes = 2206; // 50 ms of 16-bit mono 22050 Hz

// Keeps the F0 of every analysed buffer.
class F0Tools final : public LiveTools {
public:
    explicit F0Tools(const AnalysisState& state)
        : state_(state)
    {
    }
    void DrawEnergyRealTime() override { f0s.push_back(state_.localF0); }
    std::vector<double> f0s;

private:
    const AnalysisState& state_;
};

std::vector<std::int16_t> liveVoice()
{
    VoiceSpec spec;
    spec.f0Hz = 200;
    spec.seconds = 8;
    spec.attackSeconds = 0;
    spec.noiseLevel = 0.01; // makes every stretch of the stream unique
    return synthesizeVoice(spec);
}

// The analysis window with its real recorder, recording the bytes of every
// buffer before they reach the dispatcher.
struct LiveWindow {
    explicit LiveWindow(int toolMode)
    {
        state->toolMode = static_cast<std::uint8_t>(toolMode);
        form.FormCreate();
        form.dispatcher().setTools(&tools);
        form.setErrorReporter(errors);
        auto& recorder = form.LiveAudioRecorder1;
        recorder.OnData = [this, forward = recorder.OnData](TWaveAudioIO* sender, void* buffer,
                              std::uint32_t size, bool& freeIt) {
            sizes.push_back(size);
            const auto* bytes = static_cast<const std::uint8_t*>(buffer);
            received.insert(received.end(), bytes, bytes + size);
            forward(sender, buffer, size, freeIt);
        };
    }
    bool stopAndWait()
    {
        form.LiveAudioRecorderDeActivate();
        return pumpUntil([this] { return !form.LiveAudioRecorder1.Active(); }, 5s);
    }

    QtAudioInputDevice device;
    std::unique_ptr<AnalysisState> state = std::make_unique<AnalysisState>();
    TFormFFT form {*state, device};
    F0Tools tools {*state};
    test::RecordingErrorReporter errors;
    std::vector<std::uint32_t> sizes;
    std::vector<std::uint8_t> received;
};

// A QCoreApplication for the scenario, created after its environment is set.
struct ScenarioApplication {
    int argc = 1;
    char name[16] = "platform_tests";
    char* argv[2] = {name, nullptr};
    QCoreApplication app {argc, argv};
};

void captureVoice(const PrivateSoundServer& server)
{
    server.environment().applyToThisProcess();
    ScenarioApplication application;
    LiveWindow window(kModeSpectrumRT);
    const std::vector<std::int16_t> voice = liveVoice();
    FifoWriter writer(server.fifo(), voice);

    window.form.LiveAudioRecorderActivate();
    const bool enough = pumpUntil([&] { return window.sizes.size() >= 40 || !window.errors.errors.empty(); }, 15s);
    ASSERT_TRUE(window.stopAndWait()) << "the recorder did not close";
    for (const auto& shown : window.errors.errors)
        ADD_FAILURE() << "error shown: " << shown.text;
    ASSERT_TRUE(enough) << "only " << window.sizes.size() << " buffers arrived";

    // Full buffers while capturing; the close may return one partly filled.
    for (std::size_t i = 0; i + 1 < window.sizes.size(); ++i)
        ASSERT_EQ(window.sizes[i], kBufferBytes) << "buffer " << i;
    EXPECT_LE(window.sizes.back(), kBufferBytes);

    // The received bytes are one unbroken stretch of what was written.
    const auto* written = reinterpret_cast<const std::uint8_t*>(voice.data());
    const std::size_t writtenBytes = voice.size() * 2;
    ASSERT_GE(window.received.size(), 256u);
    const auto* found = std::search(written, written + writtenBytes, window.received.begin(),
        window.received.begin() + 256);
    ASSERT_NE(found, written + writtenBytes) << "the first received samples were never written";
    const std::size_t offset = static_cast<std::size_t>(found - written);
    ASSERT_LE(offset + window.received.size(), writtenBytes);
    EXPECT_TRUE(std::equal(window.received.begin(), window.received.end(), found))
        << "samples were dropped, repeated or reordered";

    // Every full buffer was analysed and found the 200 Hz fundamental.
    const std::size_t full = static_cast<std::size_t>(std::count(window.sizes.begin(), window.sizes.end(), kBufferBytes));
    EXPECT_EQ(window.tools.f0s.size(), full);
    for (std::size_t i = 0; i < window.tools.f0s.size(); ++i)
        EXPECT_NEAR(window.tools.f0s[i], 200.0, 6.0) << "buffer " << i;
}

void loseTheServerDuringCapture(const PrivateSoundServer& server)
{
    server.environment().applyToThisProcess();
    ScenarioApplication application;
    LiveWindow window(kModeSpectrumRT);
    const std::vector<std::int16_t> voice = liveVoice();
    FifoWriter writer(server.fifo(), voice);

    window.form.LiveAudioRecorderActivate();
    ASSERT_TRUE(pumpUntil([&] { return window.sizes.size() >= 5; }, 15s)) << "capture did not start";
    ASSERT_EQ(runCommand({"pactl", "exit"}, server.environment()), 0);
    ASSERT_TRUE(pumpUntil([&] { return !window.errors.errors.empty(); }, 10s)) << "the loss was not reported";
    EXPECT_NE(window.errors.errors.front().text.find("lost"), std::string::npos) << window.errors.errors.front().text;
    EXPECT_TRUE(window.stopAndWait()) << "the recorder did not close after the loss";
}

void activateWithoutServer(const PrivateEnvironment& empty)
{
    empty.applyToThisProcess();
    ScenarioApplication application;
    LiveWindow window(kModeSpectrumRT);
    EXPECT_EQ(window.device.deviceCount(), 0u);

    window.form.LiveAudioRecorderActivate();
    pumpUntil([] { return false; }, 300ms);
    ASSERT_EQ(window.errors.errors.size(), 1u);
    EXPECT_NE(window.errors.errors[0].text.find("No audio input device"), std::string::npos)
        << window.errors.errors[0].text;
    EXPECT_FALSE(window.form.LiveAudioRecorder1.Active());
    EXPECT_NO_THROW(window.form.LiveAudioRecorderDeActivate());
    EXPECT_TRUE(window.sizes.empty());
}

bool pulseAudioInstalled()
{
    return programExists("pulseaudio") && programExists("pactl");
}

constexpr const char* kNoPulseAudio = "pulseaudio and pactl are needed for a virtual microphone; not installed";

TEST(QtCapture, DeliversALiveVoiceInFullBuffersInCaptureOrderAndFindsItsF0)
{
    if (!pulseAudioInstalled())
        GTEST_SKIP() << kNoPulseAudio;
    PrivateSoundServer server;
    ASSERT_TRUE(server.start()) << "the private sound server did not start";
    runIsolated([&] { captureVoice(server); }, 40);
}

TEST(QtCapture, ALostDeviceIsReportedAndTheRecorderStillCloses)
{
    if (!pulseAudioInstalled())
        GTEST_SKIP() << kNoPulseAudio;
    PrivateSoundServer server;
    ASSERT_TRUE(server.start()) << "the private sound server did not start";
    runIsolated([&] { loseTheServerDuringCapture(server); }, 40);
}

TEST(QtCapture, WithoutASoundServerActivatingReportsNoInputDevice)
{
    test::TempFolder folder;
    PrivateEnvironment empty {folder.path("run")};
    std::filesystem::create_directories(empty.runtimeDir);
    empty.writeClientConfig();
    runIsolated([&] { activateWithoutServer(empty); }, 20);
}

} // namespace
} // namespace tiravel
