// Speed of the real-time spectrum screen on a 1600 x 450 spectrogram: one
// live buffer (both columns, F0 mark, grid and the live indicator trace),
// which must stay far below the 46 ms of a buffer, and the redraw of 1000
// stored frames. Runs on the offscreen platform.
#include "audio/ScriptedAudioInputDevice.h"
#include "evaluation/LiveIndicators.h"
#include "evaluation/ui/PaintBox.h"
#include "evaluation/ui/SpectrumButtonPanel.h"
#include "evaluation/ui/TFormSpectrumRT.h"
#include "platform/Shell.h"
#include "shell/ui/Program.h"
#include "shell/ui/ProgramState.h"
#include "shell/ui/WindowPresenter.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QTabBar>

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <memory>

namespace {

using namespace tiravel;

class SilentPresenter final : public WindowPresenter {
public:
    void showModal(QDialog& /*window*/) override {}
};

class SilentShell final : public Shell {
public:
    bool openDocument(const std::string& /*pathOrUrl*/) override { return true; }
};

// Window size whose top spectrogram is 1600 x 450.
constexpr int kWindowWidth = 1648;
constexpr int kWindowHeight = 1062;

// The program with its spectrum screen opened at the benchmark's size.
struct Screen {
    Screen()
        : program(state, presenter, shell, audioInput)
    {
        program.createWindows();
        window().resize(kWindowWidth, kWindowHeight);
        window().UpdateOptions();
        window().FormResize();
    }
    TFormSpectrumRT& window() { return program.spectrumRT(); }
    AnalysisState& analysis() { return state.analysis(); }
    bool panelIsBenchmarkSize() { return window().PaintEnergyTop().image().size() == QSize(1600, 450); }
    void setMaxFrequencyItem(int item)
    {
        window().buttons().ComboFreq->setCurrentIndex(item);
        window().ComboFreqChange();
    }

    ProgramState state;
    SilentPresenter presenter;
    SilentShell shell;
    ScriptedAudioInputDevice audioInput;
    Program program;
};

// A voiced spectrum: harmonics of 220 Hz falling off over a noise floor.
void fillVoiceSpectrum(FixedArray<double, kSpectrumBins>& row, double gain)
{
    for (int k = 0; k < kSpectrumBins; ++k) {
        const double hz = k * 22050.0 / 1024;
        const double harmonic = std::fmod(hz, 220.0);
        const double nearHarmonic = std::min(harmonic, 220.0 - harmonic) < 15 ? 1.0 : 0.0;
        row[static_cast<std::size_t>(k)] = gain * (0.0004 + nearHarmonic * 0.05 * std::exp(-hz / 1500));
    }
}

// Made in main, after the application object, and gone before it.
std::unique_ptr<Screen> theScreen;

Screen& screen()
{
    return *theScreen;
}

// Argument: the ComboFreq item (2 = 0..2500 Hz, 0 = 0..10000 Hz, about 465 bins).
void BM_DrawEnergyRealTime(benchmark::State& run)
{
    Screen& s = screen();
    if (!s.panelIsBenchmarkSize()) {
        run.SkipWithError("the top spectrogram is not 1600 x 450");
        return;
    }
    s.setMaxFrequencyItem(static_cast<int>(run.range(0)));
    s.window().TabIndicators().setCurrentIndex(kTabPitchCurve);
    AnalysisState& a = s.analysis();
    fillVoiceSpectrum(a.energyTable[0], 1.0);
    a.localF0 = 220;
    a.localDb = 70;
    a.oldDb = 68;
    a.bandEnergy = 0.1;
    a.localEnergy = 0.05;
    a.f0SmoothCount = 25;
    for (std::size_t i = 0; i < 25; ++i)
        a.oldF0s[i] = 218 + static_cast<double>(i % 5);
    for (auto _ : run) {
        s.window().DrawEnergyRealTime();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawEnergyRealTime)->Arg(2)->Arg(0)->Unit(benchmark::kMicrosecond);

// Argument: the ComboFreq item, as above.
void BM_DrawEnergyTableThousandFrames(benchmark::State& run)
{
    Screen& s = screen();
    if (!s.panelIsBenchmarkSize()) {
        run.SkipWithError("the top spectrogram is not 1600 x 450");
        return;
    }
    s.setMaxFrequencyItem(static_cast<int>(run.range(0)));
    s.window().TabIndicators().setCurrentIndex(0);
    AnalysisState& a = s.analysis();
    a.energyFrameCount = 1000;
    a.soundLength = 220500;
    a.markerFrames[0] = 100;
    a.markerFrames[1] = 130;
    a.markerFrames[2] = 230;
    for (int i = 0; i <= 1000; ++i)
        fillVoiceSpectrum(a.energyTable[static_cast<std::size_t>(i)], 0.5 + (i % 7) * 0.1);
    for (auto _ : run) {
        s.window().DrawEnergyTable(1);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawEnergyTableThousandFrames)->Arg(2)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // The program works in a folder of its own: the screen writes its files there.
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tiravel-spectrum-bench";
    std::filesystem::create_directories(folder);
    std::filesystem::current_path(folder);
    theScreen = std::make_unique<Screen>();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    theScreen.reset();
    return 0;
}
