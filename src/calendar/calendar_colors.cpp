#include "calendar_colors.h"

#include "schedule/duty_rotation.h"

#include <cmath>

namespace {

bool IsSameDay(TDateTime a, TDateTime b) {
    return std::trunc(a) == std::trunc(b);
}

TAlphaColor DutyColor(const SettingsState& colors, char code) {
    switch (code) {
    case DutyOff:
        return colors.OffDutyColor;
    case DutyOn:
        return colors.OnDutyColor;
    case DutyRdo:
        return colors.RdoColor;
    default:
        return colors.LeadTrailColor;
    }
}

char CodeOfCell(const ScheduleState& schedule, int index) {
    return DutyCodeOf(schedule, schedule.GridDates[static_cast<std::size_t>(index)]);
}

} // namespace

TAlphaColor CellFillColor(const ScheduleState& schedule, const SettingsState& colors, int index,
                          TDateTime date) {
    if (!IsSameDay(date, schedule.CurrentDate))
        return colors.BackgroundColor;
    return DutyColor(colors, CodeOfCell(schedule, index));
}

TAlphaColor CellTextColor(const ScheduleState& schedule, const SettingsState& colors, int index,
                          TDateTime date) {
    const char code = CodeOfCell(schedule, index);
    if (IsSameDay(date, schedule.CurrentDate))
        return code == DutyNone ? claBlack : ContrastColor(DutyColor(colors, code));
    return DayNumberColor(colors, code,
                          YearMonthDayOf(date).month() == YearMonthDayOf(schedule.CurrentDate).month());
}

TAlphaColor DayNumberColor(const SettingsState& colors, char code, bool inShownMonth) {
    if (!inShownMonth)
        return colors.LeadTrailColor;
    return code == DutyNone ? claDimgray : DutyColor(colors, code);
}

TAlphaColor StrokeColorFor(TAlphaColor fill) {
    if (fill == claSlategray || fill == claDarkgray || fill == claBlue)
        return claBlack;
    return claSlategray;
}
