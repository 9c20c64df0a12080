#include "month_navigation.h"

#include <cmath>

using namespace std::chrono;

void FillGridDates(ScheduleState& state, TDateTime date) {
    if (!IsValidDateSerial(date))
        return;
    const year_month_day ymd = YearMonthDayOf(date);
    const TDateTime first = DateSerial(ymd.year() / ymd.month() / day{1});
    state.GridDates[0] = first - WeekdayNumber(first) + 1;
    for (int i = 1; i < GridCellCount; ++i)
        state.GridDates[static_cast<std::size_t>(i)] = state.GridDates[0] + i;
}

TDateTime AddMonths(TDateTime date, int n) {
    if (!IsValidDateSerial(date))
        return date;
    const year_month_day ymd = YearMonthDayOf(date);
    const year_month target = year_month{ymd.year(), ymd.month()} + months{n};
    if (target.year() < year{1} || target.year() > year{9999})
        return date;
    const day lastDay = year_month_day_last{target.year(), month_day_last{target.month()}}.day();
    const day clamped = ymd.day() > lastDay ? lastDay : ymd.day();
    const TDateTime timeOfDay = date - std::trunc(date);
    return DateSerial(target.year() / target.month() / clamped) + timeOfDay;
}

void StepMonths(ScheduleState& state, int n) {
    state.CurrentDate = std::trunc(AddMonths(state.CurrentDate, n));
}

void StepDays(ScheduleState& state, int n) {
    const TDateTime moved = state.CurrentDate + n;
    if (IsValidDateSerial(moved))
        state.CurrentDate = moved;
}

void GoToToday(ScheduleState& state, const TodayClock& clock) {
    state.CurrentDate = clock.Today();
}

void GoToMark(ScheduleState& state) {
    state.CurrentDate = state.MarkDate;
}

bool PickDate(ScheduleState& state, TDateTime date, const TodayClock& clock) {
    if (date >= ScheduleCutoff && date <= PickerMaxDate) {
        state.CurrentDate = date;
        return true;
    }
    state.CurrentDate = clock.Today();
    return false;
}

bool SelectGridCell(ScheduleState& state, int index) {
    if (index < 0 || index >= GridCellCount)
        return false;
    const TDateTime cell = state.GridDates[static_cast<std::size_t>(index)];
    // Month numbers alone tell it: the 42 days never reach the same month of another year.
    if (YearMonthDayOf(cell).month() != YearMonthDayOf(state.CurrentDate).month())
        return false;
    state.CurrentDate = cell;
    return true;
}

void MarkCurrentDate(ScheduleState& state) {
    state.MarkDate = state.CurrentDate;
}
