#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tiravel {

// The outgoing mail server; no login when account is empty.
struct MailServer {
    std::string host;
    std::uint16_t port = 25;
    std::string account;
    std::string password;
};

// One message with at most one file attached.
struct MailMessage {
    std::string from;                // sender address
    std::vector<std::string> to;     // recipient addresses
    std::string replyTo;             // empty: no Reply-To header
    std::string subject;             // UTF-8
    std::string body;                // UTF-8 plain text
    std::string attachmentPath;      // empty: no attachment
};

struct MailResult {
    bool ok = false;
    std::string error; // what went wrong, for the user; never holds the password
};

// Sends mail through an SMTP server: libcurl in the program, a recording
// fake in tests.
class MailClient {
public:
    virtual ~MailClient() = default;
    virtual MailResult send(const MailServer& server, const MailMessage& message) = 0;
};

} // namespace tiravel
