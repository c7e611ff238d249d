// The command-line launcher: an exact keyword opens one tool, prepared, with
// its toolMode, before the start window is shown; anything else opens nothing.
#include "UiTestSupport.h"

#include "shell/ui/TFormStart.h"
#include "shell/ui/TiravelWindow.h"

#include <gtest/gtest.h>

namespace tiravel {
namespace {

struct LaunchCase {
    std::string argument;
    QString opens;      // empty: nothing is shown
    int toolMode;       // after the launch
    bool prepared;      // UpdateOptions was run
    bool resized;       // the resize handler was run
};

void PrintTo(const LaunchCase& c, std::ostream* out)
{
    *out << '"' << c.argument << '"';
}

class Launcher : public testing::TestWithParam<LaunchCase> {};

TEST_P(Launcher, OpensOnlyTheToolOfAnExactKeyword)
{
    const LaunchCase& c = GetParam();
    test::ProgramUnderTest program;
    program.analysis().toolMode = 42;
    program->runLauncher(c.argument);

    if (c.opens.isEmpty()) {
        EXPECT_TRUE(program.presenter.shown.empty());
        EXPECT_EQ(program.analysis().toolMode, 42);
        return;
    }
    ASSERT_EQ(program.presenter.shown.size(), 1u);
    const auto& shown = program.presenter.shown[0];
    EXPECT_EQ(shown.name, c.opens);
    EXPECT_EQ(shown.toolMode, c.toolMode);
    EXPECT_FALSE(shown.startVisible);
    for (const TiravelWindow* window : program->windows()) {
        const bool isTool = window->objectName() == c.opens;
        const int startUpCalls = window == static_cast<TiravelWindow*>(&program->start()) ? 1 : 0;
        EXPECT_EQ(window->optionsUpdateCount(), startUpCalls + (isTool && c.prepared ? 1 : 0))
            << window->objectName().toStdString();
        EXPECT_EQ(window->resizeCount(), isTool && c.resized ? 1 : 0) << window->objectName().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Keywords, Launcher,
    testing::Values(LaunchCase{"sp", "FormSpectrumRT", 1, true, true}, LaunchCase{"pv", "FormProfil", 6, true, false},
        LaunchCase{"ev", "FormReperes", 8, true, false}, LaunchCase{"ti", "FormTimbre", 10, true, false},
        LaunchCase{"me", "FormMedia", 0, false, false}, LaunchCase{"SP", "", 0, false, false},
        LaunchCase{"Sp", "", 0, false, false}, LaunchCase{"sp ", "", 0, false, false},
        LaunchCase{"spectrum", "", 0, false, false}, LaunchCase{"", "", 0, false, false},
        LaunchCase{"--expert", "", 0, false, false}));

} // namespace
} // namespace tiravel
