#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/types.h>

namespace tiravel::test {

// A local SMTP server (aiosmtpd under Debian's Python) that stores every
// message it receives as a folder of decoded fields. Stopped when the object
// goes, whatever happened in the test.
class SmtpSink {
public:
    struct Tls {
        std::filesystem::path certificate;
        std::filesystem::path key;
    };

    SmtpSink(const std::filesystem::path& folder, const std::optional<Tls>& tls = std::nullopt);
    ~SmtpSink();
    SmtpSink(const SmtpSink&) = delete;
    SmtpSink& operator=(const SmtpSink&) = delete;

    // 0 when the server did not start.
    int port() const { return port_; }
    // The folder of message number n (from 1), once complete; empty when it
    // has not arrived within the timeout.
    std::filesystem::path waitForMessage(int n, std::chrono::seconds timeout = std::chrono::seconds(10)) const;

private:
    void stop();

    std::filesystem::path folder_;
    pid_t pid_ = -1;
    int stdinWrite_ = -1;
    int port_ = 0;
};

// A port on 127.0.0.1 that nothing listens on.
int closedPort();

// A self-signed certificate for 127.0.0.1 made by openssl, written to
// folder; false when openssl is not there.
bool makeThrowawayCertificate(const std::filesystem::path& folder, SmtpSink::Tls& tls);

// The text of a file, empty when missing.
std::string fileText(const std::filesystem::path& file);

} // namespace tiravel::test
