#pragma once

// A PulseAudio server of a test's own and the helpers around it: a private
// runtime folder, quiet child programs, and scenarios run in a child process
// of their own (Qt's audio backend keeps the first sound server it finds).

#include "support/TestSupport.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/types.h>
#include <thread>
#include <vector>

namespace tiravel::test {

// True when the program is an executable in one of the PATH folders.
bool programExists(const std::string& name);

// The environment of a process that talks to the private server only: its
// runtime folder, no server address, and no automatic start of a server.
struct PrivateEnvironment {
    std::filesystem::path runtimeDir;
    // Drop every inherited PULSE_* variable, not only the address and the
    // client configuration.
    bool dropAllPulseVariables = false;

    std::filesystem::path clientConfig() const { return runtimeDir / "client.conf"; }
    void writeClientConfig() const;
    // Creates the folder, owner only, with its client configuration.
    void create() const;
    void applyToThisProcess() const;
    std::vector<std::string> variables() const;
};

// Starts a program with the private environment, its output discarded; -1
// on failure.
pid_t spawnQuiet(const std::vector<std::string>& args, const PrivateEnvironment& env);

// Waits for a child; false when it is still running after the limit.
bool waitForExit(pid_t pid, std::chrono::milliseconds limit, int& status);

// Runs a program to its end (killed after 10 s); its exit code, -1 when it
// did not exit on its own.
int runCommand(const std::vector<std::string>& args, const PrivateEnvironment& env);

// What the private server offers.
struct SoundServerSetup {
    // A pipe source "testmic" reading fifo(), made the default input;
    // without it the null sink "nullout" is made the default output.
    bool pipeSource = true;
    // The server's log goes to pa.log in the runtime folder.
    bool logToFile = true;

    static SoundServerSetup microphone() { return {}; }
    static SoundServerSetup output() { return {false, false}; }
};

// A PulseAudio server of the test's own, always with a null sink; stopped
// with "pactl exit" and its folder removed at the end.
class PrivateSoundServer {
public:
    explicit PrivateSoundServer(SoundServerSetup setup = SoundServerSetup::microphone(),
        bool dropAllPulseVariables = false);
    ~PrivateSoundServer() { stop(); }
    PrivateSoundServer(const PrivateSoundServer&) = delete;
    PrivateSoundServer& operator=(const PrivateSoundServer&) = delete;

    const PrivateEnvironment& environment() const { return env_; }
    std::filesystem::path fifo() const { return env_.runtimeDir / "mic.fifo"; }

    // True once the server answers and its device is the default one.
    bool start();
    void stop();

private:
    SoundServerSetup setup_;
    TempFolder folder_;
    PrivateEnvironment env_;
    pid_t pid_ = -1;
};

// How the child process of a scenario is prepared.
struct IsolationOptions {
    // A pipe whose server went away fails the write instead of killing.
    bool ignoreBrokenPipe = true;
    // An exception out of the scenario is reported as a failure.
    bool reportExceptions = true;
};

// Runs a scenario in a child process; it fails when the child reports a
// failure, crashes, or is still running after the limit.
void runIsolated(const std::function<void()>& scenario, unsigned seconds, IsolationOptions options = {});

// Writes the samples into a pipe source as a live voice would arrive: one
// block of blockSamples every 50 ms, until stopped or the samples run out.
class FifoWriter {
public:
    FifoWriter(const std::filesystem::path& fifo, const std::vector<std::int16_t>& samples,
        std::size_t blockSamples = 1103);
    ~FifoWriter();
    FifoWriter(const FifoWriter&) = delete;
    FifoWriter& operator=(const FifoWriter&) = delete;

private:
    void run(const std::filesystem::path& fifo, const std::vector<std::int16_t>& samples);

    std::size_t blockSamples_;
    std::atomic<bool> stop_ {false};
    std::thread thread_;
};

} // namespace tiravel::test
