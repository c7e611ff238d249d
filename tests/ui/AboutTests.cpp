// The About window: its texts in each language, its links through the
// platform shell, and its close button.
#include "UiTestSupport.h"

#include "platform/qt/QtShell.h"
#include "shell/ui/TFormAbout.h"

#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace tiravel {
namespace {

TEST(About, LinksOpenTheWebPageAndTheMailProgram)
{
    test::ProgramUnderTest program;
    TFormAbout& about = program->about();
    emit about.findChild<QLabel*>("LabelWeb")->linkActivated(TFormAbout::kWebPage);
    emit about.findChild<QLabel*>("LabelMail")->linkActivated(TFormAbout::kMailAddress);
    EXPECT_EQ(program.shell.opened, (std::vector<std::string>{TFormAbout::kWebPage, TFormAbout::kMailAddress}));
    EXPECT_TRUE(QtShell::isAddress(TFormAbout::kWebPage));
    EXPECT_TRUE(QtShell::isAddress(TFormAbout::kMailAddress));
}

TEST(About, QuitClosesIt)
{
    test::ProgramUnderTest program;
    TFormAbout& about = program->about();
    about.show();
    about.findChild<QPushButton*>("sbQuit")->click();
    EXPECT_FALSE(about.isVisible());
}

struct AboutCase {
    Language language;
    const char* descriptionWord;
    const char* bibliographyTitle;
    const char* quit;
};

class AboutTexts : public testing::TestWithParam<AboutCase> {};

TEST_P(AboutTexts, AreWrittenInTheLanguageOfTheMoment)
{
    const AboutCase& c = GetParam();
    test::ProgramUnderTest program;
    program->about().RadioLanguageClick(static_cast<int>(c.language));
    const TFormAbout& about = program->about();
    EXPECT_TRUE(about.findChild<QLabel*>("LabelDescription")->text().contains(QString::fromUtf8(c.descriptionWord)));
    EXPECT_TRUE(about.findChild<QLabel*>("LabelBibliography")->text().contains(QString::fromUtf8(c.bibliographyTitle)));
    for (const char* section : {"LabelRoles", "LabelThanks", "LabelWeb", "LabelMail"})
        EXPECT_FALSE(about.findChild<QLabel*>(section)->text().isEmpty()) << section;
    EXPECT_EQ(about.findChild<QPushButton*>("sbQuit")->text(), QString::fromUtf8(c.quit));
}

INSTANTIATE_TEST_SUITE_P(Languages, AboutTexts,
    testing::Values(AboutCase{Language::French, "orthophonistes", "Bibliographie", "Quitter"},
        AboutCase{Language::English, "speech therapists", "Bibliography", "Close"},
        AboutCase{Language::Spanish, "logopedas", "Bibliografía", "Salir"}));

struct AddressCase {
    std::string text;
    bool address;
};

class ShellAddress : public testing::TestWithParam<AddressCase> {};

// A file path opened as a web address, or the reverse, opens nothing.
TEST_P(ShellAddress, TellsWebAndMailAddressesFromFiles)
{
    EXPECT_EQ(QtShell::isAddress(GetParam().text), GetParam().address);
}

INSTANTIATE_TEST_SUITE_P(Texts, ShellAddress,
    testing::Values(AddressCase{"http://www.tiravel.example/", true}, AddressCase{"HTTPS://example.org", true},
        AddressCase{"mailto:contact@tiravel.example", true}, AddressCase{"/opt/tiravel/div_tiravel/html/index.htm", false},
        AddressCase{"http.htm", false}, AddressCase{"", false}));

} // namespace
} // namespace tiravel
