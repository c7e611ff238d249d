// Speed of the analysis engine: one live buffer, one spectrum, and the whole
// analysis of a 20-second voice file as the headless analyser runs it.
#include "analysis/AnalysisEngine.h"
#include "analysis/HeadlessAnalysis.h"
#include "audio/SyntheticVoice.h"
#include "audio/WavWriter.h"
#include "shell/LiveDispatcher.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

namespace {

using namespace tiravel;

struct Engine {
    Engine()
        : state(std::make_unique<AnalysisState>())
        , engine(*state)
    {
        engine.FormCreate();
    }
    std::unique_ptr<AnalysisState> state;
    AnalysisEngine engine;
};

std::vector<std::int16_t> voice(double seconds)
{
    VoiceSpec spec;
    spec.seconds = seconds;
    spec.vibratoHz = 5;
    spec.vibratoDepth = 0.01;
    spec.jitter = 0.003;
    spec.noiseLevel = 0.01;
    return synthesizeVoice(spec);
}

void BM_LiveBufferSpectrumMode(benchmark::State& run)
{
    Engine e;
    e.state->toolMode = kModeSpectrumRT;
    LiveDispatcher dispatcher(e.engine);
    const std::vector<std::int16_t> samples = voice(0.05);
    const auto bytes = static_cast<std::uint32_t>(2 * 1103);
    for (auto _ : run) {
        dispatcher.LiveAudioRecorder1Data(samples.data(), bytes);
        benchmark::DoNotOptimize(e.state->localF0);
    }
}
BENCHMARK(BM_LiveBufferSpectrumMode);

void BM_ComputeFFT(benchmark::State& run)
{
    Engine e;
    const std::vector<std::int16_t> samples = voice(0.1);
    for (std::size_t i = 0; i < samples.size(); ++i)
        e.state->soundBuffer[i] = samples[i] / 50.0;
    for (auto _ : run) {
        e.engine.ComputeFFT(0);
        benchmark::DoNotOptimize(e.state->energyTotal);
    }
}
BENCHMARK(BM_ComputeFFT);

void BM_AnalyseTwentySecondFile(benchmark::State& run)
{
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "tiravel-bench-20s.wav";
    if (!writeWav16Mono(file.string(), voice(20.0), 22050)) {
        run.SkipWithError("cannot write the test file");
        return;
    }
    auto state = std::make_unique<AnalysisState>();
    StderrErrorReporter errors;
    for (auto _ : run) {
        FileAnalysis result = analyseSoundFile(*state, file.string(), false, errors);
        benchmark::DoNotOptimize(result.indicators.noiseSignalRatio);
    }
    std::filesystem::remove(file);
}
BENCHMARK(BM_AnalyseTwentySecondFile)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
