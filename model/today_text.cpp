#include "model/today_text.h"

#include <ctime>

namespace scorvale {

namespace {
std::optional<std::string>& fixedToday() {
    static std::optional<std::string> fixed;
    return fixed;
}
}  // namespace

std::string todayText() {
    if (fixedToday()) return *fixedToday();
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char buffer[16];
    std::strftime(buffer, sizeof buffer, "%y/%m/%d", &local);
    return buffer;
}

void setTodayTextForTesting(std::optional<std::string> fixed) { fixedToday() = std::move(fixed); }

}  // namespace scorvale
