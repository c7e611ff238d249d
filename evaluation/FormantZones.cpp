#include "FormantZones.h"

namespace tiravel {

FormantZonesHz formantZonesHz(std::uint8_t voiceCategory)
{
    switch (voiceCategory) {
    case 1: return {300, 900, 900, 2500, 2500, 3500, 3500, 4800};
    case 2: return {370, 1050, 1050, 3100, 3100, 3800, 3800, 5200};
    default: return {280, 800, 800, 2200, 2200, 3100, 3100, 4500};
    }
}

double formantCentreHz(std::uint8_t voiceCategory, int formant)
{
    if (formant < 1 || formant > 4)
        return 0;
    const FormantZonesHz zones = formantZonesHz(voiceCategory);
    const int low = 2 * (formant - 1);
    return (zones[low] + zones[low + 1]) / 2.0;
}

} // namespace tiravel
