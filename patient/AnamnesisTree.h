#pragma once

#include "shell/LanguageTexts.h"

#include <filesystem>
#include <string>
#include <vector>

namespace tiravel {

// One entry of the anamnesis tree, the questions and notes a therapist
// inserts into the patient document. level is the kind of the entry as the
// file gives it: 0 chapter, 1 topic, 2 phrase (a topic or phrase with nothing
// to hang on stands at the top, keeping its kind).
struct AnamnesisEntry {
    std::string text;
    int level;
    std::vector<AnamnesisEntry> children;

    bool operator==(const AnamnesisEntry&) const = default;
};

// The tree of the lines of an anamnesis file, each line cut to 250 bytes
// (never inside a UTF-8 character):
// - a line beginning with a letter a..z, A..Z or a digit is a chapter;
// - "+" begins a topic of the latest chapter, the "+" turned into a space;
// - "-" begins a phrase of the latest topic of the current chapter, the "-"
//   turned into a space and one more space put in front;
// - a topic before any chapter, or a phrase with no topic since the latest
//   chapter, is a top-level entry;
// - a line shorter than 2 bytes, or with any other first character, is
//   ignored.
std::vector<AnamnesisEntry> readAnamnesisLines(const std::vector<std::string>& lines);

// The tree of an anamnesis file (UTF-8, LF or CR LF line ends, a leading
// byte-order mark skipped); a missing or unreadable file gives no entries.
std::vector<AnamnesisEntry> readAnamnesisFile(const std::filesystem::path& file);

// The file names in the reference folder, by language.
const char* anamnesisFileName(Language language);  // "anamnese.txt", "anamnesis.txt", "anamnese_sp.txt"
const char* recordTemplateName(Language language); // "patient.rtf", "patient_en.rtf", "patient_sp.rtf"

// What clicking an entry inserts at the caret of the document: its prefix,
// its text and a line end, in the font size (points) and style of its kind.
struct AnamnesisInsertion {
    std::string text;
    int pointSize;
    bool italic;

    bool operator==(const AnamnesisInsertion&) const = default;
};

AnamnesisInsertion anamnesisInsertion(const AnamnesisEntry& entry);

} // namespace tiravel
