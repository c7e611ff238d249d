#pragma once

#include <array>
#include <cstdint>

namespace tiravel {

// Formant zone limits in Hz: F1 low, F1 high, F2 low, F2 high, F3 low, F3
// high, F4 low, F4 high.
using FormantZonesHz = std::array<std::int32_t, 8>;

// The zones of a voice category: 1 woman, 2 child, 0 man and any other value.
FormantZonesHz formantZonesHz(std::uint8_t voiceCategory);

// Centre in Hz, (low + high) / 2, of formant 1..4 of the category; 0 for any
// other formant number.
double formantCentreHz(std::uint8_t voiceCategory, int formant);

} // namespace tiravel
