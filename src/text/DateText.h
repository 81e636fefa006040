#pragma once
// Dates as scripts read and print them (CDate, CStr, date literals), en-US forms. A date is a
// serial as ScriptDate.h describes it.
#include <string>
#include <string_view>

namespace quillon::text {

// A date, a time or both, in the forms en-US users write ("6/12/2026", "2026-06-12",
// "June 12, 2026", "3:04 PM", "15:04:05", "6/12/2026 3:04:05 PM"). Two-digit years below 30 are
// this century's. A first number that cannot be a month is the day ("13/6/2026"). False for a
// date that does not exist or lies outside the years 100 to 9999.
bool ParseDate(std::string_view text, double& serial);

// M/D/YYYY h:mm:ss AM, the date or the time alone when the other part is zero.
std::string FormatDate(double serial);

}  // namespace quillon::text
