// Time: the one clock and the one sleep of the program. Nothing else reads the system clock.
#pragma once

#include <cstdint>
#include <string>

namespace tv::platform {

struct DateTime {
    int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0;
    auto operator<=>(const DateTime&) const = default;
};

// "yyyymmdd", "yyyy/mm/dd", "hh:mm:ss", "yy/mm/dd".
std::string format_yyyymmdd(const DateTime& t);
std::string format_date_slash(const DateTime& t);
std::string format_time(const DateTime& t);
std::string format_yy_mm_dd(const DateTime& t);
// "yyyymmddhhmmss".
std::string format_stamp(const DateTime& t);

// The date and time `seconds` later (calendar arithmetic, no time zone).
DateTime add_seconds(const DateTime& t, long long seconds);

class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTime now() = 0;
    // Milliseconds on a steady count, for timers.
    virtual std::int64_t ticks_ms() = 0;
    // A plain sleep of the GUI thread: no event runs and no input is handled meanwhile.
    virtual void sleep_ms(int ms) = 0;
};

// The wall clock and real sleeps.
class SystemClock : public Clock {
public:
    DateTime now() override;
    std::int64_t ticks_ms() override;
    void sleep_ms(int ms) override;
};

}  // namespace tv::platform
