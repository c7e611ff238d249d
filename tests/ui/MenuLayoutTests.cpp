// The menus' design grid: scaled and rounded to the client size, with every
// entry label inside its picture and its text never cut.
#include "UiTestSupport.h"

#include "media/ui/TFormMedia.h"
#include "shell/ui/MenuGrid.h"
#include "shell/ui/MenuPicture.h"
#include "shell/ui/TFormAbout.h"
#include "shell/ui/TFormEvaluation.h"
#include "shell/ui/TFormReeducation.h"
#include "shell/ui/TFormStart.h"

#include <QFontMetrics>
#include <QLabel>

#include <gtest/gtest.h>

namespace tiravel {
namespace {

struct GridCase {
    QSize client;
    QRect design;
    QRect expected;
};

class MenuGridScale : public testing::TestWithParam<GridCase> {};

TEST_P(MenuGridScale, ScalesEachAxisAndRoundsHalvesToEven)
{
    const GridCase& c = GetParam();
    EXPECT_EQ(MenuGrid(c.client).scale(c.design), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Sizes, MenuGridScale,
    testing::Values(GridCase{{1024, 768}, {90, 165, 200, 200}, {90, 165, 200, 200}},
        GridCase{{2048, 1536}, {90, 165, 200, 200}, {180, 330, 400, 400}},
        GridCase{{2048, 1536}, {300, 165, 420, 200}, {600, 330, 840, 400}},
        GridCase{{800, 600}, {90, 165, 200, 200}, {70, 129, 156, 156}},
        GridCase{{800, 600}, {300, 375, 420, 200}, {234, 293, 328, 156}},
        GridCase{{512, 384}, {1, 3, 3, 1}, {0, 2, 2, 0}},
        GridCase{{512, 384}, {5, 7, 7, 5}, {2, 4, 4, 2}}));

struct WindowGridCase {
    QSize client;
    const char* control;
    QRect expected;
};

class StartWindowGrid : public testing::TestWithParam<WindowGridCase> {};

TEST_P(StartWindowGrid, PlacesPicturesAndLabelsOnTheScaledGrid)
{
    const WindowGridCase& c = GetParam();
    test::ProgramUnderTest program;
    TFormStart& start = program->start();
    start.resize(c.client);
    start.FormResize();
    const auto* control = start.findChild<QWidget*>(QString::fromLatin1(c.control));
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->geometry(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Sizes, StartWindowGrid,
    testing::Values(WindowGridCase{{2048, 1536}, "ImagePatient", {180, 330, 400, 400}},
        WindowGridCase{{2048, 1536}, "ImageEvaluation", {600, 330, 840, 400}},
        WindowGridCase{{2048, 1536}, "ImageAbout", {1450, 750, 400, 400}},
        WindowGridCase{{2048, 1536}, "LabelVersion", {180, 200, 1200, 112}},
        WindowGridCase{{800, 600}, "ImagePatient", {70, 129, 156, 156}},
        WindowGridCase{{800, 600}, "ImageMediatheque", {406, 293, 156, 156}},
        WindowGridCase{{800, 600}, "LabelMorax", {70, 23, 469, 31}}));

struct LabelFitCase {
    Language language;
    QSize client;
};

void PrintTo(const LabelFitCase& c, std::ostream* out)
{
    *out << test::languageCode(c.language) << " " << c.client.width() << "x" << c.client.height();
}

class MenuLabels : public testing::TestWithParam<LabelFitCase> {};

// A label that leaves its picture or does not hold its text is what the
// therapist would see as a cut or misplaced caption.
TEST_P(MenuLabels, StayInsideTheirPicturesAndHoldTheirText)
{
    const LabelFitCase& c = GetParam();
    test::ProgramUnderTest program(c.language);
    PictureMenu* const menus[] = {&program->start(), &program->evaluation(), &program->reeducation(),
        &program->media()};
    for (PictureMenu* menu : menus) {
        menu->resize(c.client);
        menu->FormResize();
        for (const MenuPicture* picture : menu->findChildren<MenuPicture*>()) {
            const QString labelName = QStringLiteral("Label") + picture->objectName().mid(5);
            const auto* label = menu->findChild<QLabel*>(labelName);
            ASSERT_NE(label, nullptr) << labelName.toStdString();
            const std::string where = menu->objectName().toStdString() + "." + labelName.toStdString();
            EXPECT_FALSE(label->text().trimmed().isEmpty()) << where;
            EXPECT_TRUE(picture->geometry().contains(label->geometry())) << where;
            EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->width()) << where;
            EXPECT_GE(label->font().pixelSize(), 9) << where;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(LanguagesAndSizes, MenuLabels,
    testing::Values(LabelFitCase{Language::French, {1024, 768}}, LabelFitCase{Language::English, {1024, 768}},
        LabelFitCase{Language::Spanish, {1024, 768}}, LabelFitCase{Language::French, {800, 600}},
        LabelFitCase{Language::Spanish, {800, 600}}, LabelFitCase{Language::English, {2048, 1536}}));

// The pictures of one menu never overlap.
TEST(MenuLayout, PicturesDoNotOverlap)
{
    test::ProgramUnderTest program;
    PictureMenu* const menus[] = {&program->start(), &program->evaluation(), &program->reeducation(),
        &program->media()};
    for (PictureMenu* menu : menus) {
        menu->resize(800, 600);
        menu->FormResize();
        const auto pictures = menu->findChildren<MenuPicture*>();
        EXPECT_EQ(pictures.size(), 7 + (menu == &program->start() ? 0 : 1));
        for (qsizetype i = 0; i < pictures.size(); ++i) {
            for (qsizetype j = i + 1; j < pictures.size(); ++j)
                EXPECT_FALSE(pictures[i]->geometry().intersects(pictures[j]->geometry()))
                    << pictures[i]->objectName().toStdString() << " " << pictures[j]->objectName().toStdString();
        }
    }
}

} // namespace
} // namespace tiravel
