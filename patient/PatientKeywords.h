#pragma once

#include "shell/LanguageTexts.h"

#include <string_view>

namespace tiravel {

// The words that mark the values of a patient document, in one language.
struct PatientKeywords {
    std::string_view name, surname, birth, anamnesis, sex, job, reason, classification;
    std::string_view ratio, average, f0, range, vocal, notes;
    std::string_view attack, instability, pitch, intensity, noise, harmonic, poverty;
    std::string_view spectrum, date, directory;

    static const PatientKeywords& of(Language language);
};

} // namespace tiravel
