// The program with its real modal loops: a tool opened from the command
// line runs and closes before the start window, and the start window ends
// the main loop.
#include "UiTestSupport.h"

#include "evaluation/ui/TFormSpectrumRT.h"
#include "shell/ui/ExecPresenter.h"
#include "shell/ui/MenuPicture.h"
#include "shell/ui/TFormEvaluation.h"
#include "shell/ui/TFormStart.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

#include <gtest/gtest.h>

namespace tiravel {
namespace {

class ProgramRun : public testing::Test {
protected:
    ProgramRun() { installation.makeCompleteDataFolder(); }

    test::Installation installation;
    ExecPresenter presenter;
    test::RecordingShell shell;
    ScriptedAudioInputDevice audioInput;
    ProgramState state;
    Program program{state, presenter, shell, audioInput};
};

TEST_F(ProgramRun, LaunchedToolClosesThenQuitEndsTheMainLoop)
{
    program.createWindows();
    bool toolWasShown = false;
    QTimer::singleShot(0, [&] {
        toolWasShown = program.spectrumRT().isVisible() && !program.start().isVisible();
        program.spectrumRT().close();
    });
    program.runLauncher("sp");
    EXPECT_TRUE(toolWasShown);
    EXPECT_FALSE(program.ending());

    program.start().show();
    QTimer::singleShot(0, [&] { program.start().picture("ImageQuit")->click(); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(program.ending());
    EXPECT_FALSE(program.start().isVisible());
}

// Escape ends the program even from the main menu's loop, at once.
TEST_F(ProgramRun, EscapeEndsTheMainLoop)
{
    program.createWindows();
    program.start().show();
    QTimer::singleShot(0, [&] {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&program.start(), &escape);
    });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(program.ending());
    program.start().hide();
}

// A menu shown modally returns to the start window when it is closed.
TEST_F(ProgramRun, MenuReturnsWhenClosed)
{
    program.createWindows();
    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(program.evaluation().isVisible());
        program.evaluation().picture("ImageQuit")->click();
    });
    program.start().picture("ImageEvaluation")->click();
    EXPECT_FALSE(program.evaluation().isVisible());
    EXPECT_FALSE(program.ending());
}

} // namespace
} // namespace tiravel
