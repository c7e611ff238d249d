#include "evaluation/SpectrogramMail.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace tiravel {
namespace {

// Remembers what it was asked to send and answers as told.
class ScriptedMailClient final : public MailClient {
public:
    MailResult send(const MailServer& server, const MailMessage& message) override
    {
        servers.push_back(server);
        messages.push_back(message);
        return answer;
    }
    MailResult answer {true, {}};
    std::vector<MailServer> servers;
    std::vector<MailMessage> messages;
};

MailSettings configured()
{
    return {"smtp.example.org", 25, "cabinet", "pa55word", "cabinet@example.org", "dr@example.org", "Dr Dupont"};
}

struct MailFixture : ::testing::Test {
    ScriptedMailClient client;
    test::RecordingErrorReporter errors;
    std::vector<std::string> memo;
    SpectrogramMail mail {client, errors, [this](const std::string& line) { memo.push_back(line); },
        Language::English};
};

struct RefusalCase {
    const char* name;
    bool soundLoaded;
    MailSettings settings;
    const char* recipients;
    std::vector<std::string> memo;
    bool errorShown;
};

class MailRefusalTest : public MailFixture, public ::testing::WithParamInterface<RefusalCase> {};

// Before any picture is generated: no sound, no settings or no address stop
// the mail with a line saying why.
TEST_P(MailRefusalTest, StopsBeforeThePicture)
{
    const RefusalCase& c = GetParam();
    EXPECT_FALSE(mail.prepare(c.soundLoaded, c.settings, c.recipients));
    EXPECT_EQ(memo, c.memo);
    EXPECT_EQ(errors.errors.size(), c.errorShown ? 1u : 0u);
    if (c.errorShown) {
        EXPECT_NE(errors.errors[0].text.find("mail-server"), std::string::npos);
        EXPECT_NE(errors.errors[0].text.find("mail-sender"), std::string::npos);
        EXPECT_NE(errors.errors[0].text.find("tiravel4.ini"), std::string::npos);
    }
    EXPECT_TRUE(client.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, MailRefusalTest,
    ::testing::Values(RefusalCase {"NoSound", false, configured(), "a@b.org", {"No WAV file loaded"}, false},
        RefusalCase {"NoSettings", true, {}, "a@b.org", {"Mail settings missing in tiravel4.ini"}, true},
        RefusalCase {"NoSender", true, {"smtp.example.org", 25, "", "", "", "", ""}, "a@b.org",
            {"Mail settings missing in tiravel4.ini"}, true},
        RefusalCase {"NoAddress", true, configured(), " , ", {"No recipient address"}, false}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

TEST_F(MailFixture, PreparedMailAnnouncesThePicture)
{
    EXPECT_TRUE(mail.prepare(true, configured(), "patient@example.org"));
    EXPECT_EQ(memo, std::vector<std::string> {"Generate bitmap"});
}

TEST_F(MailFixture, ShortPicturePathIsRefused)
{
    EXPECT_FALSE(mail.send(configured(), "patient@example.org", "123456789", "01/02/2024"));
    EXPECT_EQ(memo, std::vector<std::string> {"No image generated from WAV. Click patient icon"});
    EXPECT_TRUE(client.messages.empty());
}

TEST_F(MailFixture, SendsTheMessageAndReportsProgress)
{
    ASSERT_TRUE(mail.send(configured(), "patient@example.org; copie@example.org", "/data/image-x.bmp", "01/02/2024"));
    ASSERT_EQ(client.messages.size(), 1u);
    const MailServer& server = client.servers[0];
    EXPECT_EQ(server.host, "smtp.example.org");
    EXPECT_EQ(server.port, 25);
    EXPECT_EQ(server.account, "cabinet");
    EXPECT_EQ(server.password, "pa55word");
    const MailMessage& message = client.messages[0];
    EXPECT_EQ(message.from, "cabinet@example.org");
    EXPECT_EQ(message.to, (std::vector<std::string> {"patient@example.org", "copie@example.org"}));
    EXPECT_EQ(message.replyTo, "dr@example.org");
    EXPECT_EQ(message.subject, "Spectrogramme généré par TIRAVEL4");
    EXPECT_EQ(message.body,
        "Bonjour, ce spectrogramme a été généré par TIRAVEL4 d'après un enregistrement de votre voix le 01/02/2024. "
        "Toute interprétation de ces données ne peut se faire que dans un cadre clinique. Bien cordialement. "
        "Dr Dupont");
    EXPECT_EQ(message.attachmentPath, "/data/image-x.bmp");
    EXPECT_EQ(memo, (std::vector<std::string> {"Connect to smtp.example.org", "Message sent to :",
                        "patient@example.org, copie@example.org"}));
    EXPECT_TRUE(errors.errors.empty());
}

// A server failure still leaves the progress lines, and the user sees the
// server and the reason.
TEST_F(MailFixture, FailureIsShownWithServerAndReason)
{
    client.answer = {false, "Couldn't connect to server"};
    EXPECT_FALSE(mail.send(configured(), "patient@example.org", "/data/image-x.bmp", "01/02/2024"));
    EXPECT_EQ(memo, (std::vector<std::string> {"Connect to smtp.example.org", "Message sent to :",
                        "patient@example.org"}));
    ASSERT_EQ(errors.errors.size(), 1u);
    EXPECT_EQ(errors.errors[0].text, "Sending the message through smtp.example.org failed: Couldn't connect to server");
    EXPECT_EQ(errors.errors[0].heading, "Email");
}

TEST(MailRecipientsTest, SplitsOnSpacesCommasAndSemicolons)
{
    EXPECT_EQ(mailRecipients(" a@b.org, c@d.org;e@f.org\r\n"),
        (std::vector<std::string> {"a@b.org", "c@d.org", "e@f.org"}));
    EXPECT_TRUE(mailRecipients("").empty());
}

} // namespace
} // namespace tiravel
