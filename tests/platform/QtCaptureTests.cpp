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
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace tiravel {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr std::uint32_t kBufferBytes = 2206; // 50 ms of 16-bit mono 22050 Hz
constexpr std::size_t kBlockSamples = 1103;

bool programExists(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::string folders = path != nullptr ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= folders.size()) {
        const std::size_t end = std::min(folders.find(':', start), folders.size());
        const std::filesystem::path candidate = std::filesystem::path(folders.substr(start, end - start)) / name;
        if (access(candidate.c_str(), X_OK) == 0)
            return true;
        start = end + 1;
    }
    return false;
}

// The environment of a process that talks to the private server only: its
// runtime folder, no server address, and no automatic start of a server.
struct PrivateEnvironment {
    std::filesystem::path runtimeDir;
    std::filesystem::path clientConfig() const { return runtimeDir / "client.conf"; }

    void writeClientConfig() const { std::ofstream(clientConfig()) << "autospawn = no\n"; }

    void applyToThisProcess() const
    {
        setenv("XDG_RUNTIME_DIR", runtimeDir.c_str(), 1);
        setenv("PULSE_CLIENTCONFIG", clientConfig().c_str(), 1);
        unsetenv("PULSE_SERVER");
    }

    std::vector<std::string> variables() const
    {
        std::vector<std::string> result;
        for (char** v = environ; *v != nullptr; ++v) {
            const std::string entry = *v;
            if (entry.rfind("XDG_RUNTIME_DIR=", 0) != 0 && entry.rfind("PULSE_SERVER=", 0) != 0
                && entry.rfind("PULSE_CLIENTCONFIG=", 0) != 0)
                result.push_back(entry);
        }
        result.push_back("XDG_RUNTIME_DIR=" + runtimeDir.string());
        result.push_back("PULSE_CLIENTCONFIG=" + clientConfig().string());
        return result;
    }
};

// Starts a program with the private environment, its output discarded.
pid_t spawnQuiet(const std::vector<std::string>& args, const PrivateEnvironment& env)
{
    std::vector<std::string> variables = env.variables();
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& v : variables)
        envp.push_back(v.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Waits for a child; false when it is still running after the limit.
bool waitForExit(pid_t pid, std::chrono::milliseconds limit, int& status)
{
    const auto end = Clock::now() + limit;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (Clock::now() > end)
            return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

int runCommand(const std::vector<std::string>& args, const PrivateEnvironment& env)
{
    const pid_t pid = spawnQuiet(args, env);
    int status = 0;
    if (pid < 0)
        return -1;
    if (!waitForExit(pid, 10s, status)) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A PulseAudio server of the test's own, with a pipe source "testmic" as the
// default input; stopped with "pactl exit" and its folder removed at the end.
class PrivateSoundServer {
public:
    PrivateSoundServer()
    {
        env_.runtimeDir = folder_.path("run");
        std::filesystem::create_directories(env_.runtimeDir);
        std::filesystem::permissions(env_.runtimeDir, std::filesystem::perms::owner_all);
        env_.writeClientConfig();
    }
    ~PrivateSoundServer() { stop(); }
    PrivateSoundServer(const PrivateSoundServer&) = delete;
    PrivateSoundServer& operator=(const PrivateSoundServer&) = delete;

    const PrivateEnvironment& environment() const { return env_; }
    std::filesystem::path fifo() const { return env_.runtimeDir / "mic.fifo"; }

    // True once the server answers and the pipe source is the default input.
    bool start()
    {
        pid_ = spawnQuiet({"pulseaudio", "--daemonize=no", "--exit-idle-time=-1", "-n",
                              "--load=module-native-protocol-unix", "--load=module-null-sink sink_name=nullout",
                              "--load=module-pipe-source source_name=testmic file=" + fifo().string()
                                  + " format=s16le rate=22050 channels=1",
                              "--log-target=file:" + (env_.runtimeDir / "pa.log").string()},
            env_);
        if (pid_ < 0)
            return false;
        const auto end = Clock::now() + 10s;
        while (runCommand({"pactl", "info"}, env_) != 0) {
            int status = 0;
            if (Clock::now() > end || waitpid(pid_, &status, WNOHANG) != 0)
                return false;
            std::this_thread::sleep_for(50ms);
        }
        return runCommand({"pactl", "set-default-source", "testmic"}, env_) == 0;
    }

    void stop()
    {
        if (pid_ <= 0)
            return;
        runCommand({"pactl", "exit"}, env_);
        int status = 0;
        if (!waitForExit(pid_, 5s, status)) {
            kill(pid_, SIGKILL);
            waitpid(pid_, &status, 0);
        }
        pid_ = -1;
    }

private:
    test::TempFolder folder_;
    PrivateEnvironment env_;
    pid_t pid_ = -1;
};

// Runs a scenario in a child process; it fails when the child reports a
// failure, crashes, or is still running after the limit.
void runIsolated(const std::function<void()>& scenario, unsigned seconds)
{
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0) << "fork failed";
    if (pid == 0) {
        alarm(seconds);
        signal(SIGPIPE, SIG_IGN); // a pipe whose server went away fails the write instead

        try {
            scenario();
        } catch (const std::exception& e) {
            ADD_FAILURE() << "exception: " << e.what();
        }
        std::fflush(stdout);
        std::fflush(stderr);
        _exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_FALSE(WIFSIGNALED(status) && WTERMSIG(status) == SIGALRM) << "the scenario hung for " << seconds << " s";
    ASSERT_TRUE(WIFEXITED(status)) << "the scenario crashed with signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the scenario failed, see the messages above";
}

// Processes events until done() or the limit; false on the limit.
bool pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    const auto end = Clock::now() + limit;
    while (!done()) {
        if (Clock::now() > end)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(2ms);
    }
    return true;
}

// Writes the samples into the pipe source as a live voice would arrive:
// one 50 ms block every 50 ms, until stopped or the samples run out.
class FifoWriter {
public:
    FifoWriter(const std::filesystem::path& fifo, const std::vector<std::int16_t>& samples)
        : thread_([this, fifo, &samples] { run(fifo, samples); })
    {
    }
    ~FifoWriter()
    {
        stop_ = true;
        thread_.join();
    }

private:
    void run(const std::filesystem::path& fifo, const std::vector<std::int16_t>& samples)
    {
        // Non-blocking open fails at once when the server does not read the pipe.
        const int fd = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd < 0)
            return;
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        auto next = Clock::now();
        for (std::size_t at = 0; at + kBlockSamples <= samples.size() && !stop_; at += kBlockSamples) {
            if (write(fd, samples.data() + at, kBlockSamples * 2) < 0)
                break;
            next += 50ms;
            std::this_thread::sleep_until(next);
        }
        ::close(fd);
    }

    std::atomic<bool> stop_ {false};
    std::thread thread_;
};

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
