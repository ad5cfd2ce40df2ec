#pragma once
// Wall-clock services: calendar seconds seed the random source, today's date goes on printouts.
#include <cstdint>

namespace ondrel {

struct CalendarDate {
    int year = 1970;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
};

class IClock {
public:
    virtual ~IClock() = default;
    virtual std::int64_t CalendarSeconds() = 0;  // seconds since 1970-01-01 UTC
    virtual CalendarDate Today() = 0;            // local date
};

class SystemClock : public IClock {
public:
    std::int64_t CalendarSeconds() override;
    CalendarDate Today() override;
};

}  // namespace ondrel
