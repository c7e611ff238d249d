// The spectrum screen on a live voice, end to end: a private PulseAudio
// server with a pipe source stands in for the microphone, a sung vowel is
// written into it at the live pace, and the whole program, with the real
// capture device, draws it.
//
// Qt's audio backend connects to the sound server it finds first and never
// reconnects, so the scenario runs in a child process with its own
// XDG_RUNTIME_DIR, set before the child touches any audio object.
#include "UiTestSupport.h"

#include "audio/SyntheticVoice.h"
#include "evaluation/ui/SpectrumButtonPanel.h"
#include "evaluation/ui/TFormSpectrumRT.h"
#include "platform/qt/QtAudioInputDevice.h"
#include "shell/LiveDispatcher.h"

#include <QCoreApplication>
#include <QLabel>
#include <QRegularExpression>
#include <QToolButton>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
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

constexpr std::size_t kBlockSamples = 1103; // 50 ms at 22050 Hz

bool programExists(const std::string& name)
{
    const char* path = std::getenv("PATH");
    const std::string folders = path != nullptr ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= folders.size()) {
        const std::size_t end = std::min(folders.find(':', start), folders.size());
        if (access((std::filesystem::path(folders.substr(start, end - start)) / name).c_str(), X_OK) == 0)
            return true;
        start = end + 1;
    }
    return false;
}

// The runtime folder of the private server and the environment that talks
// to it only.
struct SoundServerEnvironment {
    std::filesystem::path runtimeDir;
    std::filesystem::path clientConfig() const { return runtimeDir / "client.conf"; }

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

pid_t spawnQuiet(const std::vector<std::string>& args, const SoundServerEnvironment& env)
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

int runCommand(const std::vector<std::string>& args, const SoundServerEnvironment& env)
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

// A PulseAudio server of the test's own whose default input is the pipe
// source "testmic"; stopped and removed at the end.
class PrivateSoundServer {
public:
    PrivateSoundServer()
    {
        env_.runtimeDir = folder_.path("run");
        std::filesystem::create_directories(env_.runtimeDir);
        std::filesystem::permissions(env_.runtimeDir, std::filesystem::perms::owner_all);
        std::ofstream(env_.clientConfig()) << "autospawn = no\n";
    }
    ~PrivateSoundServer() { stop(); }
    PrivateSoundServer(const PrivateSoundServer&) = delete;
    PrivateSoundServer& operator=(const PrivateSoundServer&) = delete;

    const SoundServerEnvironment& environment() const { return env_; }
    std::filesystem::path fifo() const { return env_.runtimeDir / "mic.fifo"; }

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
    SoundServerEnvironment env_;
    pid_t pid_ = -1;
};

// Runs the scenario in a child process, failing when it fails, crashes or
// hangs past the limit.
void runIsolated(const std::function<void()>& scenario, unsigned seconds)
{
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0) << "fork failed";
    if (pid == 0) {
        alarm(seconds);
        signal(SIGPIPE, SIG_IGN);
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

// Writes the samples into the pipe source one 50 ms block every 50 ms.
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

// A sung vowel on A3: harmonics and a slight vibrato.
std::vector<std::int16_t> sungVowel()
{
    VoiceSpec spec;
    spec.f0Hz = 220;
    spec.seconds = 3;
    spec.attackSeconds = 0;
    spec.vibratoHz = 5;
    spec.vibratoDepth = 0.01;
    spec.noiseLevel = 0.005;
    return synthesizeVoice(spec);
}

// The figure of a readout such as "F0 :  220 Hz"; -1 without one.
double hertzOf(const QString& readout)
{
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("F0 :\\s+(\\d+) Hz")).match(readout);
    return match.hasMatch() ? match.captured(1).toDouble() : -1;
}

void singIntoTheMicrophone(const PrivateSoundServer& server)
{
    server.environment().applyToThisProcess();
    test::Installation installation;
    installation.makeCompleteDataFolder();
    ProgramState state;
    test::RecordingPresenter presenter;
    test::RecordingShell shell;
    QtAudioInputDevice microphone;
    ScriptedAudioInputDevice recorderInput;
    Program program(state, presenter, shell, microphone, recorderInput);
    program.createWindows();
    TFormSpectrumRT& window = program.spectrumRT();
    window.resize(1280, 860);
    program.openTool(window, kModeSpectrumRT, Program::Preparation::OptionsAndResize);
    const std::vector<std::int16_t> voice = sungVowel();
    FifoWriter writer(server.fifo(), voice);

    window.buttons().sbRecordOn->setChecked(true);
    window.sbRecordOnClick();
    ASSERT_TRUE(window.microphoneOn());
    const bool drawn = pumpUntil([&] { return state.analysis().energyFrameCount >= 40; }, 15s); // 2 s
    const int columnX = window.screenState().topColumnX;
    const double f0 = hertzOf(window.buttons().LabelF0->text());
    window.buttons().sbRecordOn->setChecked(false);
    window.sbRecordOnClick();
    EXPECT_TRUE(pumpUntil([&] { return !program.analysisEngine().LiveAudioRecorder1.Active(); }, 5s));

    ASSERT_TRUE(drawn) << "only " << state.analysis().energyFrameCount << " frames were drawn";
    EXPECT_GT(columnX, 0);
    EXPECT_NEAR(f0, 220.0, 11.0) << window.buttons().LabelF0->text().toStdString();
}

TEST(SpectrumLiveEndToEnd, ASungVowelIsDrawnWithItsF0)
{
    if (!programExists("pulseaudio") || !programExists("pactl"))
        GTEST_SKIP() << "pulseaudio and pactl are needed for a virtual microphone; not installed";
    PrivateSoundServer server;
    ASSERT_TRUE(server.start()) << "the private sound server did not start";
    runIsolated([&] { singIntoTheMicrophone(server); }, 40);
}

} // namespace
} // namespace tiravel
