// The program entry of the workstation: creates every window once, opens the
// tool named on the command line, then runs the main menu until it closes.
#include "platform/qt/QtAudioInputDevice.h"
#include "platform/qt/QtShell.h"
#include "platform/qt/QtSoundPlayer.h"
#include "shell/ui/CommandLine.h"
#include "shell/ui/ExecPresenter.h"
#include "shell/ui/Program.h"
#include "shell/ui/ProgramState.h"
#include "shell/ui/TFormStart.h"

#include <QApplication>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr const char* kNoDisplay =
    "tiravel4: no display found; run it under a graphical session or with: xvfb-run bash scripts/start.sh "
    "(or QT_QPA_PLATFORM=offscreen for tests)\n";

bool hasEnvironment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

bool displayAvailable()
{
    return hasEnvironment("DISPLAY") || hasEnvironment("WAYLAND_DISPLAY") || hasEnvironment("QT_QPA_PLATFORM");
}

// While the application connects to the display, a failure ends the program
// with one line instead of Qt's own report.
bool connectingToDisplay = false;

void reportDisplayFailure(QtMsgType type, const QMessageLogContext& /*context*/, const QString& message)
{
    if (type == QtFatalMsg && connectingToDisplay) {
        std::fputs(kNoDisplay, stderr);
        std::_Exit(1);
    }
    if (type != QtDebugMsg && type != QtInfoMsg)
        std::fprintf(stderr, "tiravel4: %s\n", message.toLocal8Bit().constData());
}

// Ctrl+C or a termination request from the system close the start window,
// which ends the program as its quit picture does.
volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int /*signal*/)
{
    stopRequested = 1;
}

constexpr int kStopCheckMs = 200;

std::vector<std::string> argumentsOf(int argc, char** argv)
{
    return std::vector<std::string>(argv + 1, argv + argc);
}

} // namespace

int main(int argc, char** argv)
{
    if (tiravel::CommandLine::parse(argumentsOf(argc, argv)).help) {
        std::fputs(tiravel::CommandLine::usage().c_str(), stdout);
        return 0;
    }
    if (!displayAvailable()) {
        std::fputs(kNoDisplay, stderr);
        return 1;
    }
    qInstallMessageHandler(reportDisplayFailure);
    connectingToDisplay = true;
    QApplication application(argc, argv);
    connectingToDisplay = false;
    QApplication::setApplicationName(QStringLiteral("tiravel4"));
    // The start window ends the program when it closes; tools shown from the
    // command line close before it is shown.
    QApplication::setQuitOnLastWindowClosed(false);

    // Qt has taken its own options out of argv.
    const tiravel::CommandLine commandLine = tiravel::CommandLine::parse(argumentsOf(argc, argv));
    tiravel::ProgramState state;
    state.expertMode = commandLine.expertMode;
    tiravel::ExecPresenter presenter;
    tiravel::QtShell shell;
    tiravel::QtAudioInputDevice audioInput;
    tiravel::QtAudioInputDevice recorderInput;
    tiravel::QtSoundPlayer soundPlayer;
    tiravel::Program program(state, presenter, shell, audioInput, recorderInput);
    program.setSoundPlayer(soundPlayer);
    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);
    QTimer stopCheck;
    QObject::connect(&stopCheck, &QTimer::timeout, [&program] {
        if (stopRequested != 0)
            program.start().close();
    });
    program.createWindows();
    stopCheck.start(kStopCheckMs);
    // The launcher is run once every window exists, so that each tool it
    // opens (the landmarks tool is created after the phonetogram) is ready;
    // the start window is shown only when that tool has been closed.
    program.runLauncher(commandLine.launcherArgument);
    if (program.ending())
        return 0;
    program.start().show();
    return QApplication::exec();
}
