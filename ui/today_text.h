#pragma once

#include <optional>
#include <string>

namespace scorvale::ui {

// The local date as "%y/%m/%d", the stamp of every edit.
std::string todayText();
// Tests fix the date; nothing restores the clock.
void setTodayTextForTesting(std::optional<std::string> fixed);

}  // namespace scorvale::ui
