#pragma once

#include "platform/ErrorReporter.h"
#include "shell/LanguageTexts.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <istream>
#include <string>
#include <vector>

namespace tiravel {

// One entry of the voice-disorder classification.
struct VoiceDisorder {
    std::int32_t code; // 0..9999
    std::string label; // at most 128 bytes
};

// The voice-disorder classification of the current language, read from the
// classification file of the reference folder.
class VoiceDisorderTable {
public:
    static constexpr std::size_t kCapacity = 1000;
    static constexpr std::size_t kMaxLabelLength = 128;

    // Replaces the entries with the valid lines of the file; a file that
    // cannot be opened leaves the table empty.
    void readFile(const std::filesystem::path& file);
    // Same from a stream of lines: each holds a code in its first 4 bytes
    // and the label after them; lines without a valid code are skipped.
    void read(std::istream& lines);

    std::size_t count() const { return entries_.size(); }
    const VoiceDisorder& operator[](std::size_t i) const { return entries_.at(i); }
    const std::vector<VoiceDisorder>& entries() const { return entries_; }

private:
    std::vector<VoiceDisorder> entries_;
};

// What start-up takes from the reference folder.
struct ReferenceFiles {
    VoiceDisorderTable voiceDisorders;
    bool videoListMissing = true;
};

// Name of the classification file of a language.
const char* classificationFileName(Language language);

// Reads the reference folder of dataFolder (the "div_tiravel" folder): the
// presence of the video list and the classification of the language. A
// missing classification file is reported in a message box and leaves the
// table empty.
ReferenceFiles loadReferenceFiles(const std::filesystem::path& dataFolder, Language language, ErrorReporter& errors);

} // namespace tiravel
