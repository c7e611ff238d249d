// The headless analyser's contract: one JSON line per file with fixed keys,
// the same values as the engine computes, and its exit codes.
#include "analysis/HeadlessAnalysis.h"
#include "audio/SyntheticVoice.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>
#include <regex>
#include <sys/wait.h>

namespace tiravel {
namespace {

using test::TempFolder;

struct RunResult {
    int exitCode;
    std::string output;
};

std::string quoted(const std::string& argument)
{
    std::string out = "'";
    for (char c : argument)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

RunResult runAnalyzer(const std::vector<std::string>& arguments)
{
    std::string command = quoted(TIRAVEL_ANALYZER);
    for (const std::string& a : arguments)
        command += " " + quoted(a);
    command += " 2>/dev/null";
    RunResult result{-1, {}};
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return result;
    std::array<char, 4096> chunk;
    std::size_t n;
    while ((n = std::fread(chunk.data(), 1, chunk.size(), pipe)) > 0)
        result.output.append(chunk.data(), n);
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        out.push_back(text.substr(start, end - start));
    return out;
}

class AnalyzerCli : public testing::Test {
protected:
    void SetUp() override
    {
        VoiceSpec spec;
        spec.f0Hz = 220;
        spec.seconds = 2.0;
        spec.leadingSilenceSeconds = 0.2;
        spec.jitter = 0.003;
        voice = folder.path("voix été.wav").string();
        test::writeFile(voice, test::wavBytes(synthesizeVoice(spec)));
    }
    TempFolder folder;
    std::string voice;
};

TEST_F(AnalyzerCli, PrintsTheFixedKeysInOrder)
{
    const RunResult run = runAnalyzer({voice});
    ASSERT_EQ(run.exitCode, 0);
    const std::vector<std::string> out = lines(run.output);
    ASSERT_EQ(out.size(), 1u);
    const std::regex shape(
        R"(\{"file":"[^"]*","loadStatus":0,"soundLength":\d+,"energyFrameCount":\d+,"f0SmoothCount":\d+,)"
        R"("levelJumpOffset":\d+,"markerFrames":\[\d+,\d+,\d+\],"attackFound":true,"selectionMeanF0":[-0-9.e+]+,)"
        R"("soundMeanDb":[-0-9.e+]+,"f0SpikeCount":\d+,"indicators":\{"attackAlteration":[-0-9.e+]+,)"
        R"("pitchInstability":[-0-9.e+]+,"amplitudeInstability":[-0-9.e+]+,"noiseSignalRatio":[-0-9.e+]+,)"
        R"("harmonicPoverty":[-0-9.e+]+\},"oneSecond":\{"pitchInstability":[-0-9.e+]+,)"
        R"("amplitudeInstability":[-0-9.e+]+,"noiseSignalRatio":[-0-9.e+]+,"harmonicPoverty":[-0-9.e+]+\}\})");
    EXPECT_TRUE(std::regex_match(out[0], shape)) << out[0];
    EXPECT_NE(out[0].find("\"file\":\"" + voice + "\""), std::string::npos) << "UTF-8 names pass through";
}

TEST_F(AnalyzerCli, MatchesTheEngineToSeventeenDigits)
{
    auto state = std::make_unique<AnalysisState>();
    test::RecordingErrorReporter errors;
    const FileAnalysis expected = analyseSoundFile(*state, voice, true, errors);
    EXPECT_NEAR(expected.selectionMeanF0, 220, 2.2);
    EXPECT_EQ(expected.soundLength, 48510 - 5);
    EXPECT_EQ(expected.frames.size(), 1000u);

    const RunResult run = runAnalyzer({"--frames", voice});
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, toJson(expected, true) + "\n");
    char mean[64];
    std::snprintf(mean, sizeof mean, "\"selectionMeanF0\":%.17g,", expected.selectionMeanF0);
    EXPECT_NE(run.output.find(mean), std::string::npos);
}

TEST_F(AnalyzerCli, FailedFilesStillGetTheirLine)
{
    const std::string missing = folder.path("absent.wav").string();
    const std::string notWav = folder.path("notes.txt").string();
    const RunResult run = runAnalyzer({"--frames", missing, voice, notWav});
    EXPECT_EQ(run.exitCode, 1);
    const std::vector<std::string> out = lines(run.output);
    ASSERT_EQ(out.size(), 3u);
    const std::string zeros = R"("soundLength":0,"energyFrameCount":0,"f0SmoothCount":0,"levelJumpOffset":0,)"
                              R"("markerFrames":[0,0,0],"attackFound":false,"selectionMeanF0":0,"soundMeanDb":0,)"
                              R"("f0SpikeCount":0,"indicators":{"attackAlteration":0,"pitchInstability":0,)"
                              R"("amplitudeInstability":0,"noiseSignalRatio":0,"harmonicPoverty":0},)"
                              R"("oneSecond":{"pitchInstability":0,"amplitudeInstability":0,"noiseSignalRatio":0,)"
                              R"("harmonicPoverty":0},"frames":[]})";
    EXPECT_EQ(out[0], "{\"file\":\"" + missing + "\",\"loadStatus\":-2," + zeros);
    EXPECT_EQ(out[2], "{\"file\":\"" + notWav + "\",\"loadStatus\":-1," + zeros);
    EXPECT_NE(out[1].find("\"loadStatus\":0,"), std::string::npos);
}

TEST_F(AnalyzerCli, BadArgumentsGiveUsage)
{
    EXPECT_EQ(runAnalyzer({}).exitCode, 2);
    EXPECT_EQ(runAnalyzer({"--bogus", voice}).exitCode, 2);
    EXPECT_EQ(runAnalyzer({"--frames"}).exitCode, 2);
    const RunResult help = runAnalyzer({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.output.find("usage: tiravel4-analyze"), std::string::npos);
}

TEST(HeadlessAnalysis, EscapesNamesIntoValidJson)
{
    FileAnalysis a;
    a.file = std::string("a\"b\\c\n\xff.wav");
    const std::string json = toJson(a, false);
    const std::string expected = R"({"file":"a\"b\\c\u000a\ufffd.wav",)";
    EXPECT_EQ(json.substr(0, expected.size()), expected);
}

TEST(HeadlessAnalysis, EachFileStartsFromStartUpValues)
{
    TempFolder folder;
    VoiceSpec low;
    low.f0Hz = 120;
    low.seconds = 4;
    VoiceSpec high;
    high.f0Hz = 300;
    high.seconds = 1;
    const std::string lowFile = folder.path("low.wav").string();
    const std::string highFile = folder.path("high.wav").string();
    test::writeFile(lowFile, test::wavBytes(synthesizeVoice(low)));
    test::writeFile(highFile, test::wavBytes(synthesizeVoice(high)));
    auto state = std::make_unique<AnalysisState>();
    test::RecordingErrorReporter errors;
    const FileAnalysis alone = analyseSoundFile(*state, highFile, true, errors);
    analyseSoundFile(*state, lowFile, true, errors);
    const FileAnalysis after = analyseSoundFile(*state, highFile, true, errors);
    EXPECT_EQ(toJson(alone, true), toJson(after, true));
    EXPECT_NEAR(after.selectionMeanF0, 300, 3);
}

} // namespace
} // namespace tiravel
