#pragma once

#include "shell/LanguageTexts.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tiravel {

// The name of a record that has not been named: "nouveau", "new", "nuevo".
const char* defaultPatientName(Language language);

// The patient name of a record file: the characters before the first "-" or
// "."; a file name of 4 characters or fewer gives defaultName.
std::string patientNameFromFileName(std::string_view fileName, std::string_view defaultName);

// The file name with its extension (after the last ".") replaced by extension.
std::string withExtension(std::string_view fileName, std::string_view extension);

// True when a typed record name would lead out of the data folder: a path
// separator, a ".." or an absolute path. Such names are refused.
bool leavesDataFolder(std::string_view typedName);

// The patient records of the data folder, one RTF file per patient. Saving
// never leaves a half-written record: the new text goes to a temporary file
// that replaces the record in one rename, after the previous version has
// been kept beside it as "<file>.bak". Erasing keeps the erased file as
// "<file>.erased-<date>", which no later save overwrites. None of these
// copies matches the patient list's "*.rtf" mask.
class PatientStore {
public:
    explicit PatientStore(std::filesystem::path folder);

    const std::filesystem::path& folder() const { return folder_; }
    // The record files ("*.rtf", any case), sorted by name.
    std::vector<std::string> list() const;
    // The record file of that name: an existing one whose name differs only
    // in case (the program writes both ".RTF" and ".rtf"), else that name.
    std::filesystem::path find(std::string_view fileName) const;
    // Replaces the record with the text; false (and the previous record left
    // as it was) when it cannot be written completely.
    bool save(std::string_view fileName, std::string_view text) const;
    // Moves the record aside as an erased copy; false when it cannot.
    bool erase(std::string_view fileName) const;

private:
    std::filesystem::path folder_;
};

} // namespace tiravel
