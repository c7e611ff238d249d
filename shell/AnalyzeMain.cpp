// tiravel4-analyze: analyses WAV files as the evaluation screen does and
// prints one JSON line per file.
#include "analysis/HeadlessAnalysis.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: tiravel4-analyze [--frames] FILE...\n"
    "Analyses each WAV file from a fresh start-up state and prints one JSON object per file on one line.\n"
    "  --frames  also print the per-frame results [f0, energy, harmonicPoverty, noiseRatio, subharmonic]\n"
    "Exit code: 0 when every file loaded, 1 when one did not, 2 for bad arguments.\n";

} // namespace

int main(int argc, char** argv)
{
    bool withFrames = false;
    bool optionsEnded = false;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (!optionsEnded && std::strcmp(arg, "--") == 0) {
            optionsEnded = true;
        } else if (!optionsEnded && std::strcmp(arg, "--frames") == 0) {
            withFrames = true;
        } else if (!optionsEnded && (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0)) {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (!optionsEnded && arg[0] == '-' && arg[1] != '\0') {
            std::fprintf(stderr, "tiravel4-analyze: unknown option %s\n%s", arg, kUsage);
            return 2;
        } else {
            files.emplace_back(arg);
        }
    }
    if (files.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }

    auto state = std::make_unique<tiravel::AnalysisState>();
    tiravel::StderrErrorReporter errors;
    bool allLoaded = true;
    for (const std::string& file : files) {
        const tiravel::FileAnalysis analysis = tiravel::analyseSoundFile(*state, file, withFrames, errors);
        allLoaded = allLoaded && analysis.loaded;
        const std::string line = tiravel::toJson(analysis, withFrames);
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
    }
    return std::fflush(stdout) == 0 && allLoaded ? 0 : 1;
}
