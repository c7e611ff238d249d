// The spectrum screen on a live voice, end to end: a private PulseAudio
// server with a pipe source stands in for the microphone, a sung vowel is
// written into it at the live pace, and the whole program, with the real
// capture device, draws it.
//
// Qt's audio backend connects to the sound server it finds first and never
// reconnects, so the scenario runs in a child process with its own
// XDG_RUNTIME_DIR, set before the child touches any audio object.
#include "UiTestSupport.h"
#include "support/EventPump.h"
#include "support/PrivateSoundServer.h"

#include "audio/SyntheticVoice.h"
#include "evaluation/ui/SpectrumButtonPanel.h"
#include "evaluation/ui/TFormSpectrumRT.h"
#include "platform/qt/QtAudioInputDevice.h"
#include "shell/LiveDispatcher.h"

#include <QCoreApplication>
#include <QLabel>
#include <QRegularExpression>
#include <QToolButton>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>
#include <vector>

namespace tiravel {
namespace {

using namespace std::chrono_literals;
using test::pumpUntil;
using test::FifoWriter;
using test::PrivateSoundServer;
using test::programExists;
using test::runIsolated;

// A sung vowel on A3: harmonics and a slight vibrato.
std::vector<std::int16_t> sungVowel()
{
    VoiceSpec spec;
    spec.f0Hz = 220;
    spec.seconds = 3;
    spec.attackSeconds = 0;
    spec.vibratoHz = 5;
    spec.vibratoDepth = 0.01;
    spec.noiseLevel = 0.005;
    return synthesizeVoice(spec);
}

// The figure of a readout such as "F0 :  220 Hz"; -1 without one.
double hertzOf(const QString& readout)
{
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("F0 :\\s+(\\d+) Hz")).match(readout);
    return match.hasMatch() ? match.captured(1).toDouble() : -1;
}

void singIntoTheMicrophone(const PrivateSoundServer& server)
{
    server.environment().applyToThisProcess();
    test::Installation installation;
    installation.makeCompleteDataFolder();
    ProgramState state;
    test::RecordingPresenter presenter;
    test::RecordingShell shell;
    QtAudioInputDevice microphone;
    ScriptedAudioInputDevice recorderInput;
    Program program(state, presenter, shell, microphone, recorderInput);
    program.createWindows();
    TFormSpectrumRT& window = program.spectrumRT();
    window.resize(1280, 860);
    program.openTool(window, kModeSpectrumRT, Program::Preparation::OptionsAndResize);
    const std::vector<std::int16_t> voice = sungVowel();
    FifoWriter writer(server.fifo(), voice);

    window.buttons().sbRecordOn->setChecked(true);
    window.sbRecordOnClick();
    ASSERT_TRUE(window.microphoneOn());
    const bool drawn = pumpUntil([&] { return state.analysis().energyFrameCount >= 40; }, 15s); // 2 s
    const int columnX = window.screenState().topColumnX;
    const double f0 = hertzOf(window.buttons().LabelF0->text());
    window.buttons().sbRecordOn->setChecked(false);
    window.sbRecordOnClick();
    EXPECT_TRUE(pumpUntil([&] { return !program.analysisEngine().LiveAudioRecorder1.Active(); }, 5s));

    ASSERT_TRUE(drawn) << "only " << state.analysis().energyFrameCount << " frames were drawn";
    EXPECT_GT(columnX, 0);
    EXPECT_NEAR(f0, 220.0, 11.0) << window.buttons().LabelF0->text().toStdString();
}

TEST(SpectrumLiveEndToEnd, ASungVowelIsDrawnWithItsF0)
{
    if (!programExists("pulseaudio") || !programExists("pactl"))
        GTEST_SKIP() << "pulseaudio and pactl are needed for a virtual microphone; not installed";
    PrivateSoundServer server;
    ASSERT_TRUE(server.start()) << "the private sound server did not start";
    runIsolated([&] { singIntoTheMicrophone(server); }, 40);
}

} // namespace
} // namespace tiravel
