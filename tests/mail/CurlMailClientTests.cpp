#include "SmtpSink.h"

#include "platform/mail/CurlMailClient.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>

namespace tiravel {
namespace {

using test::fileText;
using test::SmtpSink;
using test::TempFolder;

std::vector<std::uint8_t> pictureBytes()
{
    std::vector<std::uint8_t> bytes = {'B', 'M'};
    for (int i = 0; i < 1000; ++i)
        bytes.push_back(static_cast<std::uint8_t>((i * 37) % 256));
    return bytes;
}

MailMessage pictureMessage(const std::filesystem::path& picture, const std::string& subject)
{
    MailMessage message;
    message.from = "cabinet@example.org";
    message.to = {"patient@example.org", "copie@example.org"};
    message.replyTo = "therapeute@example.org";
    message.subject = subject;
    message.body = "Bonjour, ce spectrogramme a été généré. Bien cordialement. Dr Müller";
    message.attachmentPath = picture.string();
    return message;
}

std::string withoutTrailingNewlines(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

CurlMailClient quickClient(const std::string& caFile = {})
{
    return CurlMailClient({std::chrono::seconds(5), std::chrono::seconds(20), caFile});
}

// A mail reader must see every field and the picture exactly as sent,
// whatever the subject's characters and length.
TEST(CurlMailClientTest, MessageArrivesWithItsFieldsAndPicture)
{
    TempFolder temp;
    const std::filesystem::path picture = temp.path("image-Spectrogramme-Bilan--1.bmp");
    test::writeFile(picture, pictureBytes());
    SmtpSink sink(temp.path("server"));
    ASSERT_GT(sink.port(), 0) << "the local SMTP server did not start";
    std::vector<std::string> subjects = {"Spectrogramme généré par TIRAVEL4", "Plain ASCII subject",
        "Évaluation très détaillée de la qualité de voix, fréquence fondamentale, hauteur, énergie ééé"};
    std::string accents;
    for (int i = 0; i < 40; ++i)
        accents += "é"; // 80 bytes: the 45-byte words must end between two characters
    subjects.push_back(accents);
    CurlMailClient client = quickClient();
    for (std::size_t i = 0; i < subjects.size(); ++i) {
        SCOPED_TRACE(subjects[i]);
        const MailResult result = client.send({"127.0.0.1", static_cast<std::uint16_t>(sink.port()), "", ""},
            pictureMessage(picture, subjects[i]));
        ASSERT_TRUE(result.ok) << result.error;
        const std::filesystem::path received = sink.waitForMessage(static_cast<int>(i) + 1);
        ASSERT_FALSE(received.empty());
        EXPECT_EQ(fileText(received / "subject"), subjects[i]);
        EXPECT_EQ(withoutTrailingNewlines(fileText(received / "body")), pictureMessage(picture, "").body);
        EXPECT_EQ(fileText(received / "from"), "cabinet@example.org");
        EXPECT_EQ(fileText(received / "to"), "patient@example.org, copie@example.org");
        EXPECT_EQ(fileText(received / "rcpt"), "patient@example.org\ncopie@example.org");
        EXPECT_EQ(fileText(received / "reply-to"), "therapeute@example.org");
        EXPECT_FALSE(fileText(received / "date").empty());
        EXPECT_EQ(fileText(received / "attachment-name"), "image-Spectrogramme-Bilan--1.bmp");
        EXPECT_EQ(test::readFile(received / "attachment"), pictureBytes());
        EXPECT_EQ(fileText(received / "login"), "");
    }
}

// With a server that offers STARTTLS and requires a login, the message goes
// encrypted and only with the right password.
TEST(CurlMailClientTest, StartTlsAndLogin)
{
    TempFolder temp;
    SmtpSink::Tls tls;
    if (!test::makeThrowawayCertificate(temp.path(""), tls))
        GTEST_SKIP() << "openssl is not installed";
    const std::filesystem::path picture = temp.path("image.bmp");
    test::writeFile(picture, pictureBytes());
    SmtpSink sink(temp.path("server"), tls);
    ASSERT_GT(sink.port(), 0) << "the local SMTP server did not start";
    CurlMailClient client = quickClient(tls.certificate.string());
    const auto port = static_cast<std::uint16_t>(sink.port());

    const MailResult refused = client.send({"127.0.0.1", port, "tiravel", "wrong123"}, pictureMessage(picture, "x"));
    EXPECT_FALSE(refused.ok);
    EXPECT_FALSE(refused.error.empty());
    EXPECT_EQ(refused.error.find("wrong123"), std::string::npos);

    const MailResult sent = client.send({"127.0.0.1", port, "tiravel", "secret12"}, pictureMessage(picture, "TLS"));
    ASSERT_TRUE(sent.ok) << sent.error;
    const std::filesystem::path received = sink.waitForMessage(1);
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(fileText(received / "tls"), "yes");
    EXPECT_EQ(fileText(received / "login"), "tiravel");
    EXPECT_EQ(test::readFile(received / "attachment"), pictureBytes());
}

// Failures come back as an error text, quickly, never as a hang.
TEST(CurlMailClientTest, FailuresGiveAnErrorText)
{
    TempFolder temp;
    const std::filesystem::path picture = temp.path("image.bmp");
    test::writeFile(picture, pictureBytes());
    CurlMailClient client = quickClient();

    const auto start = std::chrono::steady_clock::now();
    const MailResult closed = client.send({"127.0.0.1", static_cast<std::uint16_t>(test::closedPort()), "", ""},
        pictureMessage(picture, "x"));
    EXPECT_FALSE(closed.ok);
    EXPECT_FALSE(closed.error.empty());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));

    SmtpSink sink(temp.path("server"));
    ASSERT_GT(sink.port(), 0);
    const MailResult missing = client.send({"127.0.0.1", static_cast<std::uint16_t>(sink.port()), "", ""},
        pictureMessage(temp.path("gone.bmp"), "x"));
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.error.empty());
}

TEST(EncodedHeaderTextTest, AsciiStaysAndOtherTextIsEncodedInShortWords)
{
    EXPECT_EQ(encodedHeaderText("Spectrogram"), "Spectrogram");
    EXPECT_EQ(encodedHeaderText("généré"), "=?UTF-8?B?Z8OpbsOpcsOp?=");
    const std::string encoded = encodedHeaderText(std::string(60, 'a') + "é" + std::string(60, 'b'));
    std::size_t start = 0;
    while (start < encoded.size()) {
        const std::size_t end = std::min(encoded.find(' ', start), encoded.size());
        EXPECT_LE(end - start, 75u);
        start = end + 1;
    }
}

} // namespace
} // namespace tiravel
