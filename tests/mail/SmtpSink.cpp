#include "SmtpSink.h"

#include <arpa/inet.h>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <netinet/in.h>
#include <spawn.h>
#include <sstream>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace tiravel::test {

namespace {

constexpr auto kPoll = std::chrono::milliseconds(20);
constexpr auto kStartTimeout = std::chrono::seconds(20);
constexpr auto kStopTimeout = std::chrono::seconds(5);

template <typename Ready>
bool waitUntil(std::chrono::steady_clock::duration timeout, Ready ready)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!ready()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(kPoll);
    }
    return true;
}

pid_t spawn(const std::vector<std::string>& arguments, int stdinRead, int stdinWrite)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, stdinRead, STDIN_FILENO);
    posix_spawn_file_actions_addclose(&actions, stdinWrite);
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

} // namespace

SmtpSink::SmtpSink(const std::filesystem::path& folder, const std::optional<Tls>& tls)
    : folder_(folder)
{
    std::filesystem::create_directories(folder_);
    std::vector<std::string> arguments = {TIRAVEL_PYTHON, TIRAVEL_SMTP_SINK, folder_.string()};
    if (tls) {
        arguments.push_back(tls->certificate.string());
        arguments.push_back(tls->key.string());
    }
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0)
        return;
    pid_ = spawn(arguments, pipeEnds[0], pipeEnds[1]);
    close(pipeEnds[0]);
    stdinWrite_ = pipeEnds[1];
    const std::filesystem::path portFile = folder_ / "port";
    if (pid_ > 0 && waitUntil(kStartTimeout, [&] { return std::filesystem::exists(portFile) || waitpid(pid_, nullptr, WNOHANG) == pid_; }))
        port_ = std::atoi(fileText(portFile).c_str());
}

SmtpSink::~SmtpSink()
{
    stop();
}

void SmtpSink::stop()
{
    if (stdinWrite_ >= 0)
        close(stdinWrite_);
    if (pid_ <= 0)
        return;
    const bool ended = waitUntil(kStopTimeout, [&] { return waitpid(pid_, nullptr, WNOHANG) != 0; });
    if (!ended) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

std::filesystem::path SmtpSink::waitForMessage(int n, std::chrono::seconds timeout) const
{
    const std::filesystem::path message = folder_ / ("msg-" + std::to_string(n));
    return waitUntil(timeout, [&] { return std::filesystem::exists(message); }) ? message : std::filesystem::path();
}

int closedPort()
{
    const int probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
    getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
    close(probe);
    return ntohs(address.sin_port);
}

bool makeThrowawayCertificate(const std::filesystem::path& folder, SmtpSink::Tls& tls)
{
    const std::string openssl = "/usr/bin/openssl";
    if (!std::filesystem::exists(openssl))
        return false;
    tls = {folder / "cert.pem", folder / "key.pem"};
    const std::vector<std::string> arguments = {openssl, "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days",
        "1", "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1", "-keyout", tls.key.string(),
        "-out", tls.certificate.string()};
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0)
        return false;
    const pid_t pid = spawn(arguments, pipeEnds[0], pipeEnds[1]);
    close(pipeEnds[0]);
    close(pipeEnds[1]);
    int status = 0;
    return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0
        && std::filesystem::exists(tls.certificate);
}

std::string fileText(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace tiravel::test
