#pragma once

#include "analysis/AnalysisEngine.h"
#include "platform/ErrorReporter.h"
#include "platform/Shell.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace tiravel::test {

// Remembers what would have been shown to the user.
class RecordingErrorReporter final : public ErrorReporter {
public:
    struct Shown {
        std::string text;
        std::string heading;
    };
    void DisplayError(const std::string& text1, const std::string& text2) override { errors.push_back({text1, text2}); }
    void ShowMessage(const std::string& text, const std::string& title) override { messages.push_back({text, title}); }
    std::vector<Shown> errors;
    std::vector<Shown> messages;
};

// Remembers the documents it is asked to open.
class RecordingShell final : public Shell {
public:
    bool openDocument(const std::string& pathOrUrl) override
    {
        opened.push_back(pathOrUrl);
        return true;
    }
    std::vector<std::string> opened;
};

// A fresh shared state and engine as after start-up (window table, bin
// limits at 22050 Hz, empty F0 history). The state lives on the heap: it is
// about 17 MB.
struct FreshEngine {
    FreshEngine();
    std::unique_ptr<AnalysisState> statePtr;
    AnalysisState& state;
    AnalysisEngine engine;
};

// A folder of its own for one test, removed with the object.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::filesystem::path path(const std::string& name) const { return root_ / name; }

private:
    std::filesystem::path root_;
};

// Bytes of a canonical 44-byte-header PCM WAV file holding the given
// interleaved 16-bit samples.
std::vector<std::uint8_t> wavBytes(const std::vector<std::int16_t>& samples, std::uint32_t sampleRate = 22050,
    std::uint16_t channels = 1, std::uint16_t bitsPerSample = 16);

void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> readFile(const std::filesystem::path& path);

// Places samples (16-bit units) into soundBuffer[0..] as the live dispatcher
// scales them (x calibration / 50 with calibration 1).
void placeLiveFrame(AnalysisState& state, const std::vector<std::int16_t>& samples, std::size_t from = 0);

} // namespace tiravel::test
