#pragma once

#include "shell/LanguageTexts.h"

#include <array>
#include <string>

namespace tiravel {

// The program-wide table of the 45 shared texts, numbered 1..45. It starts
// with the French texts and follows the language each time the start window
// updates its reference texts.
class ReferenceTexts {
public:
    static constexpr std::size_t kMaxLength = 250;

    ReferenceTexts();

    // Writes the texts of the language. A few entries have no French text of
    // their own in the French update: they go back to their start values.
    void update(Language language);

    // Entry n, 1..45.
    const std::string& operator[](int n) const;

    // The entries that only the English and Spanish updates write.
    static bool keepsStartValueInFrench(int n);

private:
    std::array<std::string, kLanguageTextCount> texts_;
    std::array<std::string, kLanguageTextCount> startValues_;
};

} // namespace tiravel
