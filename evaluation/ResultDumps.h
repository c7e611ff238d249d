#pragma once

#include "analysis/AnalysisState.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace tiravel {

inline constexpr const char* kFftDumpFileName = "dump_fft.txt";

// The energy-table row of the instantaneous spectrum dump: the selection's
// start frame clamped to the table (0..1000).
std::int32_t fftDumpRow(std::int32_t selectionStartFrame);

// "dump_fft.txt": a header, then bins 1..512 of energyTable[row] with their
// time and frequency columns, tab-separated, lines ending with CR LF. The
// row is clamped as fftDumpRow does.
std::string fftDumpText(const AnalysisState& analysis, std::int32_t row);

// The F0 dump's file name for a sound file name (without folder): the first
// 6 characters of the name when it is longer than 10 characters, then
// "_dump_f0.txt".
std::string f0DumpFileName(std::string_view soundFileName);

// The F0 dump: a header, then frames 1..1000 with their time, F0 (Hz) and
// energy (linear, as stored), tab-separated, lines ending with CR LF.
std::string f0DumpText(const AnalysisState& analysis);

// Writes a dump over any previous file; false when the file cannot be
// created or written.
bool writeDumpFile(const std::filesystem::path& file, const std::string& text);

} // namespace tiravel
