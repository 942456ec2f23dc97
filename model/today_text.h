#pragma once

#include <optional>
#include <string>

namespace scorvale {

// The local date as "%y/%m/%d", the stamp of every edit. The core takes it as
// a parameter; the window and svltool read it here.
std::string todayText();
// Tests fix the date; nothing restores the clock.
void setTodayTextForTesting(std::optional<std::string> fixed);

}  // namespace scorvale
