#pragma once

#include "platform/MailClient.h"

#include <chrono>
#include <string>

namespace tiravel {

// Sends mail with libcurl: smtp://host:port, STARTTLS whenever the server
// offers it, login only when an account is given, a MIME message with a
// UTF-8 text body and the attachment in base64 under its file name.
class CurlMailClient final : public MailClient {
public:
    struct Options {
        std::chrono::seconds connectTimeout {10};
        std::chrono::seconds totalTimeout {60}; // the whole exchange, attachment included
        std::string caFile;                     // extra certificate authority; empty: the system's
    };

    CurlMailClient();
    explicit CurlMailClient(Options options);

    MailResult send(const MailServer& server, const MailMessage& message) override;

private:
    Options options_;
};

// The Subject header's text: as is when ASCII, else one RFC 2047 encoded
// word per UTF-8 chunk ("=?UTF-8?B?...?=").
std::string encodedHeaderText(const std::string& text);

} // namespace tiravel
