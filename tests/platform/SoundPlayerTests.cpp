// Playing WAV files through Qt Multimedia: without any sound output, and on
// a private PulseAudio server whose only output is a null sink. Whatever the
// file, playing returns at once and never brings the program down.
//
// Qt's audio backend keeps the first sound server it finds, so each scenario
// runs in a child process of its own, with its own QCoreApplication.
#include "platform/qt/QtSoundPlayer.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <numbers>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace tiravel {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// How long playAsync may take: loading and playing happen afterwards.
constexpr auto kReturnsAtOnce = 500ms;

// A runtime folder of its own: the sound server, if any, is found there only.
struct SoundEnvironment {
    fs::path runtimeDir;

    void create() const
    {
        fs::create_directories(runtimeDir);
        fs::permissions(runtimeDir, fs::perms::owner_all);
        std::ofstream(runtimeDir / "client.conf") << "autospawn = no\n";
    }
    void applyToThisProcess() const
    {
        setenv("XDG_RUNTIME_DIR", runtimeDir.c_str(), 1);
        setenv("PULSE_CLIENTCONFIG", (runtimeDir / "client.conf").c_str(), 1);
        unsetenv("PULSE_SERVER");
    }
};

// Starts a program in the sound environment, output discarded; -1 on failure.
pid_t spawnIn(const SoundEnvironment& env, const std::vector<std::string>& args)
{
    std::vector<std::string> variables;
    for (char** v = environ; *v != nullptr; ++v) {
        const std::string entry = *v;
        if (entry.rfind("XDG_RUNTIME_DIR=", 0) != 0 && entry.rfind("PULSE_", 0) != 0)
            variables.push_back(entry);
    }
    variables.push_back("XDG_RUNTIME_DIR=" + env.runtimeDir.string());
    variables.push_back("PULSE_CLIENTCONFIG=" + (env.runtimeDir / "client.conf").string());
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

// Waits up to limit for the process; kills it past the limit.
int exitCodeWithin(pid_t pid, std::chrono::milliseconds limit)
{
    int status = 0;
    const auto end = Clock::now() + limit;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (Clock::now() > end) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(10ms);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int runIn(const SoundEnvironment& env, const std::vector<std::string>& args)
{
    const pid_t pid = spawnIn(env, args);
    return pid < 0 ? -1 : exitCodeWithin(pid, 10s);
}

bool installed(const char* program)
{
    return std::system((std::string("command -v ") + program + " >/dev/null 2>&1").c_str()) == 0;
}

// A PulseAudio server whose default output is a null sink, stopped at the end.
class NullSinkServer {
public:
    NullSinkServer() { env_.create(); }
    ~NullSinkServer()
    {
        if (pid_ <= 0)
            return;
        runIn(env_, {"pactl", "exit"});
        exitCodeWithin(pid_, 5s);
    }
    NullSinkServer(const NullSinkServer&) = delete;
    NullSinkServer& operator=(const NullSinkServer&) = delete;

    const SoundEnvironment& environment() const { return env_; }

    bool start()
    {
        pid_ = spawnIn(env_, {"pulseaudio", "--daemonize=no", "--exit-idle-time=-1", "-n",
                                 "--load=module-native-protocol-unix", "--load=module-null-sink sink_name=nullout"});
        if (pid_ < 0)
            return false;
        const auto end = Clock::now() + 10s;
        while (runIn(env_, {"pactl", "info"}) != 0) {
            int status = 0;
            if (Clock::now() > end || waitpid(pid_, &status, WNOHANG) != 0)
                return false;
            std::this_thread::sleep_for(50ms);
        }
        return runIn(env_, {"pactl", "set-default-sink", "nullout"}) == 0;
    }

private:
    test::TempFolder folder_;
    SoundEnvironment env_ {folder_.path("run")};
    pid_t pid_ = -1;
};

// Runs a scenario in a child process; fails when the child fails, crashes or
// is still running after the limit.
void runIsolated(const std::function<void()>& scenario, unsigned seconds)
{
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0) << "fork failed";
    if (pid == 0) {
        alarm(seconds);
        scenario();
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

struct ScenarioApplication {
    int argc = 1;
    char name[16] = "platform_tests";
    char* argv[2] = {name, nullptr};
    QCoreApplication app {argc, argv};
};

// The sounds of the scenarios, in a folder of their own.
struct SoundFiles {
    SoundFiles()
    {
        test::writeFile(tone, test::wavBytes(sine(2.0)));
        test::writeFile(shortTone, test::wavBytes(sine(0.3)));
        std::vector<std::uint8_t> noise(4000);
        for (std::size_t i = 0; i < noise.size(); ++i)
            noise[i] = static_cast<std::uint8_t>(i * 7919 % 251);
        test::writeFile(garbage, noise);
        std::vector<std::uint8_t> cut = test::wavBytes(sine(1.0));
        cut.resize(30); // the header stops inside the format chunk
        test::writeFile(truncated, cut);
        // A WAV start whose format chunk is replaced by a chunk of 2 GB.
        std::vector<std::uint8_t> unknown = test::wavBytes(sine(0.01));
        const std::uint8_t junk[8] = {'j', 'u', 'n', 'k', 0xFF, 0xFF, 0xFF, 0x7F};
        std::copy(std::begin(junk), std::end(junk), unknown.begin() + 12);
        test::writeFile(undecodable, unknown);
        // A format chunk that claims 2 GB: Qt waits for its end.
        std::vector<std::uint8_t> endless = test::wavBytes(sine(0.01));
        const std::uint8_t claim[4] = {0xFF, 0xFF, 0xFF, 0x7F};
        std::copy(std::begin(claim), std::end(claim), endless.begin() + 16);
        test::writeFile(stalled, endless);
    }
    static std::vector<std::int16_t> sine(double seconds)
    {
        std::vector<std::int16_t> samples(static_cast<std::size_t>(seconds * 22050));
        for (std::size_t i = 0; i < samples.size(); ++i)
            samples[i] = static_cast<std::int16_t>(8000 * std::sin(2 * std::numbers::pi * 440 * i / 22050.0));
        return samples;
    }

    test::TempFolder folder;
    std::string tone = folder.path("tone.wav").string();
    std::string shortTone = folder.path("short.wav").string();
    std::string garbage = folder.path("garbage.wav").string();
    std::string truncated = folder.path("truncated.wav").string();
    std::string undecodable = folder.path("undecodable.wav").string();
    std::string stalled = folder.path("stalled.wav").string();
    std::string missing = folder.path("absent.wav").string();
};

// A player whose error messages are kept.
struct Player {
    std::vector<std::string> errors;
    QtSoundPlayer player {[this](const std::string& message) { errors.push_back(message); }};

    // playAsync, checked to return at once.
    void play(const std::string& path)
    {
        const auto start = Clock::now();
        player.playAsync(path);
        EXPECT_LT(Clock::now() - start, kReturnsAtOnce) << path;
    }
};

void playWithoutAnyOutput(const SoundEnvironment& env, const SoundFiles& files)
{
    env.applyToThisProcess();
    ScenarioApplication application;
    Player p;
    const std::vector<std::string> paths = {files.missing, files.garbage, files.truncated, files.undecodable,
        files.stalled, files.tone};
    for (const std::string& path : paths) {
        p.play(path);
        pumpUntil([] { return false; }, 200ms);
        EXPECT_FALSE(p.player.playing()) << path;
    }
    EXPECT_EQ(p.errors.size(), paths.size());
    p.player.stop();
    EXPECT_FALSE(p.player.playing());
}

void playOnTheNullSink(const SoundEnvironment& env, const SoundFiles& files)
{
    env.applyToThisProcess();
    ScenarioApplication application;
    Player p;

    p.play(files.tone);
    EXPECT_TRUE(p.player.playing());
    pumpUntil([] { return false; }, 500ms);
    EXPECT_TRUE(p.player.playing()) << "a 2 s sound stopped early";
    p.play(files.tone); // a new sound replaces the one playing
    EXPECT_TRUE(p.player.playing());
    p.player.stop();
    EXPECT_FALSE(p.player.playing());
    EXPECT_TRUE(p.errors.empty()) << p.errors.front();

    p.play(files.shortTone);
    EXPECT_TRUE(pumpUntil([&] { return !p.player.playing(); }, 5s)) << "a 0.3 s sound never ended";
    EXPECT_TRUE(p.errors.empty());

    for (const std::string& path : {files.garbage, files.truncated, files.undecodable, files.stalled, files.missing}) {
        const std::size_t before = p.errors.size();
        p.play(path);
        EXPECT_TRUE(pumpUntil([&] { return !p.player.playing(); }, 5s)) << path;
        EXPECT_EQ(p.errors.size(), before + 1) << path;
    }

    p.play(files.tone); // still usable after the failures
    pumpUntil([] { return false; }, 300ms);
    EXPECT_TRUE(p.player.playing());
}

TEST(QtSoundPlayer, WithoutASoundOutputNothingPlaysAndNothingBlocks)
{
    SoundFiles files;
    test::TempFolder folder;
    const SoundEnvironment empty {folder.path("run")};
    empty.create();
    runIsolated([&] { playWithoutAnyOutput(empty, files); }, 20);
}

TEST(QtSoundPlayer, PlaysStopsAndSurvivesBadFilesOnAnOutput)
{
    if (!installed("pulseaudio") || !installed("pactl"))
        GTEST_SKIP() << "pulseaudio and pactl are needed for a virtual sound output; not installed";
    SoundFiles files;
    NullSinkServer server;
    ASSERT_TRUE(server.start()) << "the private sound server did not start";
    runIsolated([&] { playOnTheNullSink(server.environment(), files); }, 40);
}

} // namespace
} // namespace tiravel
