#include "CurlMailClient.h"

#include <curl/curl.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <memory>

namespace tiravel {

namespace {

constexpr std::size_t kEncodedWordBytes = 45; // 60 base64 characters: an encoded word stays under 75
constexpr const char kBase64Digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

struct CurlDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
    void operator()(curl_mime* mime) const { curl_mime_free(mime); }
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using CurlHandle = std::unique_ptr<CURL, CurlDeleter>;
using MimeHandle = std::unique_ptr<curl_mime, CurlDeleter>;
using ListHandle = std::unique_ptr<curl_slist, CurlDeleter>;

// libcurl's global state, set up once before the first transfer.
void initialiseCurl()
{
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    (void)initialised;
}

std::string base64(std::string_view bytes)
{
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        std::uint32_t group = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size())
            group |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size())
            group |= static_cast<unsigned char>(bytes[i + 2]);
        text += kBase64Digits[(group >> 18) & 63];
        text += kBase64Digits[(group >> 12) & 63];
        text += i + 1 < bytes.size() ? kBase64Digits[(group >> 6) & 63] : '=';
        text += i + 2 < bytes.size() ? kBase64Digits[group & 63] : '=';
    }
    return text;
}

bool isAscii(const std::string& text)
{
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

// Where a chunk of at most max bytes ends without cutting a UTF-8 sequence.
std::size_t chunkEnd(const std::string& text, std::size_t start, std::size_t max)
{
    std::size_t end = std::min(text.size(), start + max);
    while (end < text.size() && end > start + 1 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return end;
}

// The bare address of "Name <address>" or "address".
std::string bareAddress(const std::string& address)
{
    const std::size_t open = address.find('<');
    const std::size_t close = address.find('>', open);
    if (open == std::string::npos || close == std::string::npos)
        return address;
    return address.substr(open + 1, close - open - 1);
}

// The current date in the form mail headers use, in UTC.
std::string mailDate()
{
    static constexpr std::array<const char*, 7> days = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr std::array<const char*, 12> months = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug",
        "Sep", "Oct", "Nov", "Dec"};
    const std::time_t now = std::time(nullptr);
    std::tm utc {};
    gmtime_r(&now, &utc);
    std::array<char, 64> text {};
    std::snprintf(text.data(), text.size(), "%s, %02d %s %04d %02d:%02d:%02d +0000",
        days[static_cast<std::size_t>(utc.tm_wday)], utc.tm_mday, months[static_cast<std::size_t>(utc.tm_mon)],
        utc.tm_year + 1900, utc.tm_hour, utc.tm_min, utc.tm_sec);
    return text.data();
}

ListHandle append(ListHandle list, const std::string& line)
{
    curl_slist* longer = curl_slist_append(list.get(), line.c_str());
    if (longer == nullptr)
        return list;
    list.release();
    return ListHandle(longer);
}

ListHandle messageHeaders(const MailMessage& message)
{
    std::string to;
    for (const std::string& recipient : message.to)
        to += (to.empty() ? "" : ", ") + recipient;
    ListHandle headers = append(nullptr, "Date: " + mailDate());
    headers = append(std::move(headers), "From: " + message.from);
    headers = append(std::move(headers), "To: " + to);
    if (!message.replyTo.empty())
        headers = append(std::move(headers), "Reply-To: " + message.replyTo);
    return append(std::move(headers), "Subject: " + encodedHeaderText(message.subject));
}

ListHandle envelopeRecipients(const MailMessage& message)
{
    ListHandle recipients;
    for (const std::string& recipient : message.to)
        recipients = append(std::move(recipients), "<" + bareAddress(recipient) + ">");
    return recipients;
}

// The text body, then the attachment in base64 under its own file name.
MimeHandle messageParts(CURL* curl, const MailMessage& message)
{
    MimeHandle mime(curl_mime_init(curl));
    curl_mimepart* body = curl_mime_addpart(mime.get());
    curl_mime_data(body, message.body.data(), message.body.size());
    curl_mime_type(body, "text/plain; charset=UTF-8");
    curl_mime_encoder(body, "quoted-printable");
    if (!message.attachmentPath.empty()) {
        curl_mimepart* picture = curl_mime_addpart(mime.get());
        const std::string name = std::filesystem::path(message.attachmentPath).filename().string();
        curl_mime_filedata(picture, message.attachmentPath.c_str());
        curl_mime_filename(picture, name.c_str());
        curl_mime_type(picture, name.ends_with(".bmp") ? "image/bmp" : "application/octet-stream");
        curl_mime_encoder(picture, "base64");
    }
    return mime;
}

} // namespace

std::string encodedHeaderText(const std::string& text)
{
    if (isAscii(text))
        return text;
    std::string encoded;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = chunkEnd(text, start, kEncodedWordBytes);
        encoded += (encoded.empty() ? "" : " ") + std::string("=?UTF-8?B?")
            + base64(std::string_view(text).substr(start, end - start)) + "?=";
        start = end;
    }
    return encoded;
}

CurlMailClient::CurlMailClient()
    : CurlMailClient(Options {})
{
}

CurlMailClient::CurlMailClient(Options options)
    : options_(std::move(options))
{
    initialiseCurl();
}

MailResult CurlMailClient::send(const MailServer& server, const MailMessage& message)
{
    CurlHandle curl(curl_easy_init());
    if (!curl)
        return {false, "the mail library could not start"};
    std::array<char, CURL_ERROR_SIZE> errorText {};
    const std::string url = "smtp://" + server.host + ":" + std::to_string(server.port);
    const std::string sender = "<" + bareAddress(message.from) + ">";
    const ListHandle recipients = envelopeRecipients(message);
    const ListHandle headers = messageHeaders(message);
    const MimeHandle mime = messageParts(curl.get(), message);
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorText.data());
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_TRY));
    if (!options_.caFile.empty())
        curl_easy_setopt(c, CURLOPT_CAINFO, options_.caFile.c_str());
    if (!server.account.empty()) {
        curl_easy_setopt(c, CURLOPT_USERNAME, server.account.c_str());
        curl_easy_setopt(c, CURLOPT_PASSWORD, server.password.c_str());
    }
    curl_easy_setopt(c, CURLOPT_MAIL_FROM, sender.c_str());
    curl_easy_setopt(c, CURLOPT_MAIL_RCPT, recipients.get());
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(c, CURLOPT_MIMEPOST, mime.get());
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, static_cast<long>(options_.connectTimeout.count()));
    curl_easy_setopt(c, CURLOPT_TIMEOUT, static_cast<long>(options_.totalTimeout.count()));
    const CURLcode code = curl_easy_perform(c);
    if (code == CURLE_OK)
        return {true, {}};
    return {false, errorText[0] != '\0' ? std::string(errorText.data()) : std::string(curl_easy_strerror(code))};
}

} // namespace tiravel
