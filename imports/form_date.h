#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace scorvale::imports {

// The date of a form's or a spreadsheet's timestamp (UTF-8) as "%y/%m/%d",
// or nothing when the text is not one. Read, after NFKC (so full-width digits
// do): year first, "2026/06/01", "2026-06-01", "2026.6.1" or "2026年6月1日";
// year last, month first, "6/1/2026". A time may follow after a blank or a
// "T": "12:34", "12:34:56", fractions of a second, "AM"/"PM" or 午前/午後
// before or after it, and "Z" or an offset such as "+09:00". The date is
// taken as written: the time and the offset move no day. Two-digit years
// are refused (26/06/01 could be either order) and so are days that do not
// exist (2026/02/29).
std::optional<std::string> formDate(std::string_view utf8);

}  // namespace scorvale::imports
