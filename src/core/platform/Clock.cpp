#include "core/platform/Clock.h"

#include <chrono>
#include <ctime>

namespace ondrel {

std::int64_t SystemClock::CalendarSeconds() {
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

CalendarDate SystemClock::Today() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

}  // namespace ondrel
