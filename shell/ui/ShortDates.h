#pragma once

#include <cstdint>
#include <string>

namespace tiravel {

// Dates as the user's system writes them (its short formats), for the lines
// the tools add to the patient record and the names they suggest.
std::string shortDateToday();
// A day given in seconds since 1970.
std::string shortDate(std::int64_t secondsSinceEpoch);
std::string shortDateTime(std::int64_t secondsSinceEpoch);

} // namespace tiravel
