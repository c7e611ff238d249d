#include "QuietFileOffer.h"

#include <cmath>
#include <cstdio>

namespace tiravel {

namespace {

constexpr double kTargetBandEnergy = 0.1;
constexpr double kMinimumGainDb = 2.0;
constexpr double kQuietBandEnergy = 0.07;

const char* captionStart(Language language)
{
    return language == Language::French ? "Amplifier de " : "Amplify by ";
}

} // namespace

std::optional<QuietFileOffer> quietFileOffer(double bandEnergyMax, Language language)
{
    if (!(bandEnergyMax > 0))
        return std::nullopt;
    const double gainDb = 20 * std::log10(kTargetBandEnergy / bandEnergyMax);
    if (!(gainDb > kMinimumGainDb && bandEnergyMax < kQuietBandEnergy))
        return std::nullopt;
    char number[32];
    std::snprintf(number, sizeof number, "%2.0f", std::nearbyint(gainDb));
    return QuietFileOffer {gainDb, captionStart(language) + std::string(number) + " dB"};
}

} // namespace tiravel
