#include "ResultDumps.h"

#include "SpectrogramGeometry.h"
#include "analysis/PeakTools.h"

#include <algorithm>
#include <fstream>

namespace tiravel {

namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr std::size_t kPrefixSourceMin = 11; // characters: a name longer than 10 gives a prefix
constexpr std::size_t kPrefixLength = 6;     // characters

// Seconds of frame i when the sound is cut into 1000 equal frames.
double frameTime(const AnalysisState& analysis, int i)
{
    return i / 1000.0 * analysis.soundLength / analysis.sampleRate;
}

bool continuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Byte length of the first count UTF-8 characters of text (all of it when shorter).
std::size_t bytesOfCharacters(std::string_view text, std::size_t count)
{
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!continuationByte(text[i]) && seen++ == count)
            return i;
    }
    return text.size();
}

} // namespace

std::int32_t fftDumpRow(std::int32_t selectionStartFrame)
{
    return std::clamp(selectionStartFrame, 0, kMaxFrames);
}

std::string fftDumpText(const AnalysisState& analysis, std::int32_t row)
{
    const auto& spectrum = analysis.energyTable[static_cast<std::size_t>(fftDumpRow(row))];
    std::string text = std::string("Index\tTime(s)\tFreq(Hz)\tEnergy(dB)") + kLineEnd;
    for (int i = 1; i < kSpectrumBins; ++i) {
        text += fixedText(i, 5, 0) + "\t" + fixedText(frameTime(analysis, i), 6, 3) + "\t"
            + fixedText(i * static_cast<double>(analysis.sampleRate) / kFrameLength, 5, 1) + "\t"
            + fixedText(toDecibel(spectrum[static_cast<std::size_t>(i)]), 4, 2) + kLineEnd;
    }
    return text;
}

std::string f0DumpFileName(std::string_view soundFileName)
{
    const bool longName = bytesOfCharacters(soundFileName, kPrefixSourceMin - 1) < soundFileName.size();
    const std::string_view prefix = longName ? soundFileName.substr(0, bytesOfCharacters(soundFileName, kPrefixLength))
                                             : std::string_view();
    return std::string(prefix) + "_dump_f0.txt";
}

std::string f0DumpText(const AnalysisState& analysis)
{
    std::string text = std::string("Time(s)\tF0(Hz)\tPower(dB)") + kLineEnd;
    for (int i = 1; i <= kMaxFrames; ++i) {
        const auto frame = static_cast<std::size_t>(i);
        text += fixedText(frameTime(analysis, i), 8, 4) + "\t" + fixedText(analysis.frameF0[frame], 6, 2) + "\t"
            + fixedText(analysis.frameEnergy[frame], 6, 4) + kLineEnd;
    }
    return text;
}

bool writeDumpFile(const std::filesystem::path& file, const std::string& text)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out.is_open())
        return false;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    return !out.fail();
}

} // namespace tiravel
