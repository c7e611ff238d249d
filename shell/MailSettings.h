#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace tiravel {

// The outgoing mail of the evaluation screen, from the "key = value" lines
// that follow the first four lines of the settings file.
struct MailSettings {
    std::string server;      // mail-server
    std::uint16_t port = 25; // mail-port
    std::string account;     // mail-account: empty for a server without login
    std::string password;    // mail-password
    std::string sender;      // mail-sender: the From address
    std::string replyTo;     // mail-reply-to
    std::string signature;   // mail-signature: ends the message body

    // The server and the sender are known.
    bool configured() const { return !server.empty() && !sender.empty(); }
};

// Reads the mail lines of the settings file. Unknown keys, lines without
// "=", and a port outside 1..65535 are ignored; a missing file gives empty
// settings.
MailSettings readMailSettings(const std::filesystem::path& settingsFile);

} // namespace tiravel
