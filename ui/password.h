#pragma once

#include <cstdint>
#include <string_view>

namespace scorvale::ui {

// The stored form of an administrator password: a sum over the Shift-JIS
// bytes, each taken as signed. Different texts may share a value.
std::int32_t passwordValue(std::string_view text);

}  // namespace scorvale::ui
