#pragma once

#include "shell/LanguageTexts.h"

#include <optional>
#include <string>

namespace tiravel {

// The amplification offered after loading a quiet sound.
struct QuietFileOffer {
    double gainDb = 0;   // 20 log10(0.1 / bandEnergyMax)
    std::string caption; // "Amplifier de " + gain (width 2, no decimals) + " dB"
};

// The offer for a sound whose loudest F0 band reached bandEnergyMax: made
// when bandEnergyMax > 0, the gain exceeds 2 dB and bandEnergyMax < 0.07.
std::optional<QuietFileOffer> quietFileOffer(double bandEnergyMax, Language language);

} // namespace tiravel
