#include "MailSettings.h"

#include "patient/TextRules.h"

#include <charconv>
#include <fstream>
#include <string_view>

namespace tiravel {

namespace {

constexpr int kStartupLines = 4;        // the lines the start-up reader owns
constexpr std::size_t kMaxValueLength = 250; // bytes

std::string_view trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

void readPort(std::string_view text, std::uint16_t& port)
{
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc() && end == text.data() + text.size() && value >= 1 && value <= 65535)
        port = static_cast<std::uint16_t>(value);
}

void applySetting(std::string_view key, std::string_view value, MailSettings& settings)
{
    const std::string text(utf8Prefix(value, kMaxValueLength));
    if (key == "mail-server")
        settings.server = text;
    else if (key == "mail-port")
        readPort(value, settings.port);
    else if (key == "mail-account")
        settings.account = text;
    else if (key == "mail-password")
        settings.password = text;
    else if (key == "mail-sender")
        settings.sender = text;
    else if (key == "mail-reply-to")
        settings.replyTo = text;
    else if (key == "mail-signature")
        settings.signature = text;
}

} // namespace

MailSettings readMailSettings(const std::filesystem::path& settingsFile)
{
    MailSettings settings;
    std::ifstream in(settingsFile, std::ios::binary);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const std::size_t equals = line.find('=');
        if (number <= kStartupLines || equals == std::string::npos)
            continue;
        const std::string_view text(line);
        applySetting(trimmed(text.substr(0, equals)), trimmed(text.substr(equals + 1)), settings);
    }
    return settings;
}

} // namespace tiravel
