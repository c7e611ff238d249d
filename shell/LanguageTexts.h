#pragma once

#include <array>
#include <string>

namespace tiravel {

// The language of every text shown; French is the default.
enum class Language { French, English, Spanish };

// One text in the three languages.
struct TriText {
    const char* french;
    const char* english;
    const char* spanish;
    const char* in(Language language) const
    {
        switch (language) {
        case Language::English: return english;
        case Language::Spanish: return spanish;
        case Language::French: break;
        }
        return french;
    }
};

// The 45 short texts that several windows share, numbered 1..45; an entry is
// named by its English text.
inline constexpr int kLanguageTextCount = 45;
extern const std::array<TriText, kLanguageTextCount> kLanguageTextTable;

// Entry numbers used by the engine.
inline constexpr int kTextFrequency = 7;
inline constexpr int kTextAudioFormatNotSupported = 33;

// Entry n (1..45) in the given language.
const char* languageText(int n, Language language);

} // namespace tiravel
