#include "date_serial.h"

#include <cmath>

namespace {

using namespace std::chrono;

// sys_days counts from 1 January 1970, which is serial 25569.
constexpr int UnixEpochSerial = 25569;

sys_days SysDaysOf(TDateTime serial) {
    return sys_days{days{static_cast<int>(std::trunc(serial)) - UnixEpochSerial}};
}

} // namespace

bool IsValidDateSerial(TDateTime serial) {
    if (!std::isfinite(serial))
        return false;
    const double whole = std::trunc(serial);
    return whole >= MinDateSerial && whole <= MaxDateSerial;
}

TDateTime DateSerial(year_month_day date) {
    return static_cast<TDateTime>(sys_days{date}.time_since_epoch().count() + UnixEpochSerial);
}

TDateTime DateSerial(int y, unsigned m, unsigned d) {
    return DateSerial(year_month_day{year{y}, month{m}, day{d}});
}

year_month_day YearMonthDayOf(TDateTime serial) {
    return year_month_day{SysDaysOf(serial)};
}

int WeekdayNumber(TDateTime serial) {
    return static_cast<int>(weekday{SysDaysOf(serial)}.c_encoding()) + 1;
}
