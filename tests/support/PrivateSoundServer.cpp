#include "support/PrivateSoundServer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tiravel::test {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

bool programExists(const std::string& name)
{
    const char* path = std::getenv("PATH");
    const std::string folders = path != nullptr ? path : "/usr/bin:/bin";
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

void PrivateEnvironment::writeClientConfig() const
{
    std::ofstream(clientConfig()) << "autospawn = no\n";
}

void PrivateEnvironment::create() const
{
    std::filesystem::create_directories(runtimeDir);
    std::filesystem::permissions(runtimeDir, std::filesystem::perms::owner_all);
    writeClientConfig();
}

void PrivateEnvironment::applyToThisProcess() const
{
    setenv("XDG_RUNTIME_DIR", runtimeDir.c_str(), 1);
    setenv("PULSE_CLIENTCONFIG", clientConfig().c_str(), 1);
    unsetenv("PULSE_SERVER");
}

std::vector<std::string> PrivateEnvironment::variables() const
{
    std::vector<std::string> result;
    for (char** v = environ; *v != nullptr; ++v) {
        const std::string entry = *v;
        const bool pulse = dropAllPulseVariables
            ? entry.rfind("PULSE_", 0) == 0
            : entry.rfind("PULSE_SERVER=", 0) == 0 || entry.rfind("PULSE_CLIENTCONFIG=", 0) == 0;
        if (entry.rfind("XDG_RUNTIME_DIR=", 0) != 0 && !pulse)
            result.push_back(entry);
    }
    result.push_back("XDG_RUNTIME_DIR=" + runtimeDir.string());
    result.push_back("PULSE_CLIENTCONFIG=" + clientConfig().string());
    return result;
}

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

PrivateSoundServer::PrivateSoundServer(SoundServerSetup setup, bool dropAllPulseVariables)
    : setup_(setup)
{
    env_.runtimeDir = folder_.path("run");
    env_.dropAllPulseVariables = dropAllPulseVariables;
    env_.create();
}

bool PrivateSoundServer::start()
{
    std::vector<std::string> args = {"pulseaudio", "--daemonize=no", "--exit-idle-time=-1", "-n",
        "--load=module-native-protocol-unix", "--load=module-null-sink sink_name=nullout"};
    if (setup_.pipeSource)
        args.push_back("--load=module-pipe-source source_name=testmic file=" + fifo().string()
            + " format=s16le rate=22050 channels=1");
    if (setup_.logToFile)
        args.push_back("--log-target=file:" + (env_.runtimeDir / "pa.log").string());
    pid_ = spawnQuiet(args, env_);
    if (pid_ < 0)
        return false;
    const auto end = Clock::now() + 10s;
    while (runCommand({"pactl", "info"}, env_) != 0) {
        int status = 0;
        if (Clock::now() > end || waitpid(pid_, &status, WNOHANG) != 0)
            return false;
        std::this_thread::sleep_for(50ms);
    }
    if (setup_.pipeSource)
        return runCommand({"pactl", "set-default-source", "testmic"}, env_) == 0;
    return runCommand({"pactl", "set-default-sink", "nullout"}, env_) == 0;
}

void PrivateSoundServer::stop()
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

void runIsolated(const std::function<void()>& scenario, unsigned seconds, IsolationOptions options)
{
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0) << "fork failed";
    if (pid == 0) {
        alarm(seconds);
        if (options.ignoreBrokenPipe)
            signal(SIGPIPE, SIG_IGN);
        if (options.reportExceptions) {
            try {
                scenario();
            } catch (const std::exception& e) {
                ADD_FAILURE() << "exception: " << e.what();
            }
        } else {
            scenario();
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

FifoWriter::FifoWriter(const std::filesystem::path& fifo, const std::vector<std::int16_t>& samples,
    std::size_t blockSamples)
    : blockSamples_(blockSamples)
    , thread_([this, fifo, &samples] { run(fifo, samples); })
{
}

FifoWriter::~FifoWriter()
{
    stop_ = true;
    thread_.join();
}

void FifoWriter::run(const std::filesystem::path& fifo, const std::vector<std::int16_t>& samples)
{
    // Non-blocking open fails at once when the server does not read the pipe.
    const int fd = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    if (fd < 0)
        return;
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    auto next = Clock::now();
    for (std::size_t at = 0; at + blockSamples_ <= samples.size() && !stop_; at += blockSamples_) {
        if (write(fd, samples.data() + at, blockSamples_ * 2) < 0)
            break;
        next += 50ms;
        std::this_thread::sleep_until(next);
    }
    ::close(fd);
}

} // namespace tiravel::test
