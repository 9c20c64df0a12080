#pragma once
// The source of "today". Every operation that needs today asks the clock anew, so a program left
// running past midnight sees the new day; tests pass a fixed clock.

#include "date_serial.h"

class TodayClock {
public:
    virtual ~TodayClock() = default;
    // Today's date in local time as a whole-day serial.
    virtual TDateTime Today() const = 0;
};

// Reads the system's local clock.
class SystemTodayClock final : public TodayClock {
public:
    TDateTime Today() const override;
};

// Always answers the same day.
class FixedTodayClock final : public TodayClock {
public:
    explicit FixedTodayClock(TDateTime today) : today_(today) {}
    TDateTime Today() const override { return today_; }
    void Set(TDateTime today) { today_ = today; }

private:
    TDateTime today_;
};
