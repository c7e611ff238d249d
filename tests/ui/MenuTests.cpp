// Every entry of the four menus: the window it shows with the toolMode and
// the preparation of the tool, the help page or web page it opens, or the
// menu it closes.
#include "UiTestSupport.h"

#include "media/ui/TFormMedia.h"
#include "patient/ui/TFormPatient.h"
#include "shell/ui/MenuPicture.h"
#include "shell/ui/TFormEvaluation.h"
#include "shell/ui/TFormReeducation.h"
#include "shell/ui/TFormStart.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPushButton>

#include <gtest/gtest.h>

namespace tiravel {
namespace {

constexpr int kUnchanged = 99;

enum class Effect { Shows, OpensHelp, OpensWebPage, ClosesMenu, EndsProgram };

struct EntryCase {
    const char* menu;
    const char* control;  // a picture, or a button of the menu
    Effect effect;
    QString window;       // the window shown
    int toolMode;         // toolMode when it is shown
    bool prepared;        // the tool's UpdateOptions was run
    bool resized;         // the tool's resize handler was run
    std::string helpPage; // below the installation folder
};

void PrintTo(const EntryCase& c, std::ostream* out)
{
    *out << c.menu << "." << c.control;
}

PictureMenu& menuNamed(Program& program, const std::string& name)
{
    if (name == "start")
        return program.start();
    if (name == "evaluation")
        return program.evaluation();
    if (name == "therapy")
        return program.reeducation();
    return program.media();
}

void activate(PictureMenu& menu, const char* control)
{
    if (MenuPicture* picture = menu.picture(QString::fromLatin1(control)))
        picture->click();
    else
        menu.findChild<QPushButton*>(QString::fromLatin1(control))->click();
}

class MenuEntry : public testing::TestWithParam<EntryCase> {
protected:
    void SetUp() override
    {
        menu = &menuNamed(*program, GetParam().menu);
        menu->show();
        QCoreApplication::processEvents();
        program.analysis().toolMode = kUnchanged;
        for (const TiravelWindow* window : program->windows()) {
            optionsBefore.push_back(window->optionsUpdateCount());
            resizesBefore.push_back(window->resizeCount());
        }
    }

    // Only the tool opened has been prepared, and only as its entry says.
    void expectPreparation(const EntryCase& c)
    {
        for (std::size_t i = 0; i < program->windows().size(); ++i) {
            const TiravelWindow* window = program->windows()[i];
            const bool isTool = c.effect == Effect::Shows && window->objectName() == c.window;
            EXPECT_EQ(window->optionsUpdateCount() - optionsBefore[i], isTool && c.prepared ? 1 : 0)
                << window->objectName().toStdString();
            EXPECT_EQ(window->resizeCount() - resizesBefore[i], isTool && c.resized ? 1 : 0)
                << window->objectName().toStdString();
        }
    }

    void TearDown() override { menu->hide(); }

    test::ProgramUnderTest program;
    PictureMenu* menu = nullptr;
    std::vector<int> optionsBefore;
    std::vector<int> resizesBefore;
};

TEST_P(MenuEntry, DoesWhatItsTableSays)
{
    const EntryCase& c = GetParam();
    activate(*menu, c.control);

    switch (c.effect) {
    case Effect::Shows:
        ASSERT_EQ(program.presenter.shown.size(), 1u);
        EXPECT_EQ(program.presenter.shown[0].name, c.window);
        EXPECT_EQ(program.presenter.shown[0].toolMode, c.toolMode);
        break;
    case Effect::OpensHelp:
        EXPECT_TRUE(program.presenter.shown.empty());
        ASSERT_EQ(program.shell.opened.size(), 1u);
        EXPECT_EQ(program.shell.opened[0], (program.installation.root() / c.helpPage).string());
        break;
    case Effect::OpensWebPage:
        EXPECT_TRUE(program.presenter.shown.empty());
        EXPECT_EQ(program.shell.opened, std::vector<std::string>{program.state.webPageUrl});
        break;
    case Effect::ClosesMenu:
        EXPECT_TRUE(program.presenter.shown.empty());
        EXPECT_FALSE(menu->isVisible());
        EXPECT_FALSE(program->ending());
        break;
    case Effect::EndsProgram:
        EXPECT_TRUE(program->ending());
        break;
    }
    if (c.effect != Effect::Shows) {
        EXPECT_EQ(program.analysis().toolMode, kUnchanged);
    }
    expectPreparation(c);
    EXPECT_FALSE(program.state.expertMode);
}

const EntryCase kEntries[] = {
    {"start", "ImagePatient", Effect::Shows, "FormPatient", kUnchanged, false, false, ""},
    {"start", "ImageEvaluation", Effect::Shows, "FormEvaluation", kUnchanged, false, false, ""},
    {"start", "ImageReeducation", Effect::Shows, "FormReeducation", kUnchanged, false, false, ""},
    {"start", "ImageMediatheque", Effect::Shows, "FormMedia", kUnchanged, false, false, ""},
    {"start", "ImageHelp", Effect::OpensHelp, "", kUnchanged, false, false, "div_tiravel/html/index.htm"},
    {"start", "ImageAbout", Effect::Shows, "FormAbout", kUnchanged, false, false, ""},
    {"start", "ImageQuit", Effect::EndsProgram, "", kUnchanged, false, false, ""},
    {"evaluation", "ImageSpectre", Effect::Shows, "FormSpectrumRT", 1, true, true, ""},
    {"evaluation", "ImagePhonetogram", Effect::Shows, "FormProfil", 6, true, true, ""},
    {"evaluation", "ImageTPM", Effect::Shows, "FormTPM", 7, true, false, ""},
    {"evaluation", "ImageEtendue", Effect::Shows, "FormReperes", 8, true, false, ""},
    {"evaluation", "ImagePatient", Effect::Shows, "FormPatient", kUnchanged, false, false, ""},
    {"evaluation", "ImageHelp", Effect::OpensHelp, "", kUnchanged, false, false, "div_tiravel/html/index.htm"},
    {"evaluation", "ImageAbout", Effect::Shows, "FormAbout", kUnchanged, false, false, ""},
    {"evaluation", "ImageQuit", Effect::ClosesMenu, "", kUnchanged, false, false, ""},
    {"therapy", "ImageSouffle", Effect::Shows, "FormSouffle", 11, true, false, ""},
    {"therapy", "ImageTimbre", Effect::Shows, "FormTimbre", 10, true, false, ""},
    {"therapy", "ImageArticulation", Effect::Shows, "FormArticulation", 2, false, false, ""},
    {"therapy", "ImageHauteurTonale", Effect::Shows, "FormHauteurTonale", 9, true, false, ""},
    {"therapy", "ImagePatient", Effect::Shows, "FormPatient", kUnchanged, false, false, ""},
    {"therapy", "ImageHelp", Effect::OpensHelp, "", kUnchanged, false, false, "div_tiravel/html/reeducation.htm"},
    {"therapy", "sbHelp", Effect::OpensHelp, "", kUnchanged, false, false, "div_tiravel/html/index.htm"},
    {"therapy", "ImageAbout", Effect::Shows, "FormAbout", kUnchanged, false, false, ""},
    {"therapy", "ImageClose", Effect::ClosesMenu, "", kUnchanged, false, false, ""},
    {"media", "ImageVideos", Effect::Shows, "FormVideos", kUnchanged, false, false, ""},
    {"media", "ImageSons", Effect::Shows, "FormSoundBiblio", kUnchanged, true, false, ""},
    {"media", "ImageStats", Effect::Shows, "FormPatient", kUnchanged, false, false, ""},
    {"media", "ImageDataBase", Effect::OpensWebPage, "", kUnchanged, false, false, ""},
    {"media", "ImagePatient", Effect::Shows, "FormPatient", kUnchanged, false, false, ""},
    {"media", "ImageHelp", Effect::OpensHelp, "", kUnchanged, false, false, "div_tiravel/html/mediatheque.htm"},
    {"media", "ImageAbout", Effect::Shows, "FormAbout", kUnchanged, false, false, ""},
    {"media", "ImageClose", Effect::ClosesMenu, "", kUnchanged, false, false, ""},
    {"media", "sbSommaire", Effect::ClosesMenu, "", kUnchanged, false, false, ""},
};

INSTANTIATE_TEST_SUITE_P(AllEntries, MenuEntry, testing::ValuesIn(kEntries));

TEST(Menus, BeforeAfterOpensThePatientOnItsComparisonPage)
{
    test::ProgramUnderTest program;
    program->media().picture("ImagePatient")->click();
    EXPECT_EQ(program->patient().currentPageName(), "TabAnamnese");
    program->media().picture("ImageStats")->click();
    EXPECT_EQ(program->patient().currentPageName(), "TabAvantApres");
}

TEST(Menus, DataBaseOpensTheWebPageOfTheSettings)
{
    test::ProgramUnderTest program(Language::English);
    program->media().picture("ImageDataBase")->click();
    EXPECT_EQ(program.shell.opened, std::vector<std::string>{"http://www.example.org/voice"});
}

TEST(Menus, SpanishHelpOpensTheGuideWhateverThePage)
{
    test::ProgramUnderTest program(Language::Spanish);
    program->reeducation().picture("ImageHelp")->click();
    program->start().picture("ImageHelp")->click();
    const std::string guide = (program.installation.root() / "div_tiravel/html_sp/tiravel4_sp.pdf").string();
    EXPECT_EQ(program.shell.opened, (std::vector<std::string>{guide, guide}));
}

// Escape ends the program at once, without the close handler.
TEST(Menus, EscapeOnTheStartWindowEndsTheProgram)
{
    test::ProgramUnderTest program;
    program->start().show();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&program->start(), &escape);
    EXPECT_TRUE(program->ending());
    EXPECT_TRUE(program->start().isVisible());
    program->start().hide();
}

TEST(Menus, OtherKeysOnTheStartWindowDoNothing)
{
    test::ProgramUnderTest program;
    program->start().FormKeyDown(Qt::Key_Return);
    program->start().FormKeyDown(Qt::Key_Q);
    EXPECT_FALSE(program->ending());
}

} // namespace
} // namespace tiravel
