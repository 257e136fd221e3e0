#include "data/clock.h"

#include <chrono>
#include <ctime>

namespace zav {

DateTime SystemClock::now() {
    const auto clock = std::chrono::system_clock::now();
    const auto seconds = std::chrono::system_clock::to_time_t(clock);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(clock.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    return {local.tm_mday, local.tm_mon + 1, local.tm_year + 1900, local.tm_hour,
            local.tm_min,  local.tm_sec,     static_cast<int>(ms)};
}

} // namespace zav
