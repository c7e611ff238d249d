#include "shell/MailSettings.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace tiravel {
namespace {

struct SettingsCase {
    const char* name;
    std::string file;
    MailSettings expected;
};

MailSettings full()
{
    return {"smtp.example.org", 587, "cabinet", "pa55word", "cabinet@example.org", "dr@example.org",
        "Dr Dupont, orthophoniste"};
}

const std::string kStartLines = "TIRAVEL 4\nhttp://www.example.org/\n1.0\nFR\n";

class MailSettingsTest : public ::testing::TestWithParam<SettingsCase> {};

TEST_P(MailSettingsTest, ReadsTheMailLines)
{
    test::TempFolder temp;
    const std::filesystem::path file = temp.path("tiravel4.ini");
    const std::string& text = GetParam().file;
    test::writeFile(file, std::vector<std::uint8_t>(text.begin(), text.end()));
    const MailSettings read = readMailSettings(file);
    const MailSettings& expected = GetParam().expected;
    EXPECT_EQ(read.server, expected.server);
    EXPECT_EQ(read.port, expected.port);
    EXPECT_EQ(read.account, expected.account);
    EXPECT_EQ(read.password, expected.password);
    EXPECT_EQ(read.sender, expected.sender);
    EXPECT_EQ(read.replyTo, expected.replyTo);
    EXPECT_EQ(read.signature, expected.signature);
}

INSTANTIATE_TEST_SUITE_P(Files, MailSettingsTest,
    ::testing::Values(
        SettingsCase {"AllKeys",
            kStartLines + "mail-server = smtp.example.org\nmail-port = 587\nmail-account = cabinet\n"
                "mail-password = pa55word\nmail-sender = cabinet@example.org\nmail-reply-to = dr@example.org\n"
                "mail-signature = Dr Dupont, orthophoniste\n",
            full()},
        SettingsCase {"SpacesTabsAndCrLf",
            "TIRAVEL 4\r\nhttp://www.example.org/\r\n1.0\r\nFR\r\n\tmail-server=smtp.example.org  \r\n"
            "mail-port\t=  587\r\nmail-account =cabinet\r\nmail-password= pa55word\r\n"
            "  mail-sender = cabinet@example.org\r\nmail-reply-to = dr@example.org\r\n"
            "mail-signature =   Dr Dupont, orthophoniste \r\n",
            full()},
        // The first four lines belong to the start-up settings, even when they look like mail lines.
        SettingsCase {"StartLinesAreNotMailLines",
            "mail-server = a\nmail-sender = b\nmail-port = 2525\nmail-account = c\nmail-signature = d\n",
            {"", 25, "", "", "", "", "d"}},
        SettingsCase {"OnlyStartLines", kStartLines, {}},
        SettingsCase {"MissingLines", "TIRAVEL 4\nhttp://www.example.org/\n", {}},
        SettingsCase {"UnknownKeysAndMalformedLines",
            kStartLines + "mail-serveur = wrong\nmail-server smtp.example.org\n= value\nMAIL-SENDER = x\n"
                "mail-server = = odd\n",
            {"= odd", 25, "", "", "", "", ""}},
        SettingsCase {"BadPortsKeepTheDefault",
            kStartLines + "mail-port = 0\nmail-port = 70000\nmail-port = 25a\nmail-port = -1\nmail-port =\n", {}},
        SettingsCase {"LaterLinesWin", kStartLines + "mail-port = 465\nmail-port = 2525\n",
            {"", 2525, "", "", "", "", ""}},
        SettingsCase {"ValueKeepsInnerEqualsAndUtf8", kStartLines + "mail-signature = Pépé = thérapeute\n",
            {"", 25, "", "", "", "", "Pépé = thérapeute"}}),
    [](const ::testing::TestParamInfo<SettingsCase>& info) { return std::string(info.param.name); });

TEST(MailSettingsFileTest, MissingFileGivesEmptySettings)
{
    test::TempFolder temp;
    const MailSettings read = readMailSettings(temp.path("tiravel4.ini"));
    EXPECT_FALSE(read.configured());
    EXPECT_EQ(read.port, 25);
}

TEST(MailSettingsFileTest, ConfiguredNeedsServerAndSender)
{
    MailSettings settings;
    settings.server = "smtp.example.org";
    EXPECT_FALSE(settings.configured());
    settings.sender = "cabinet@example.org";
    EXPECT_TRUE(settings.configured());
    settings.server.clear();
    EXPECT_FALSE(settings.configured());
}

} // namespace
} // namespace tiravel
