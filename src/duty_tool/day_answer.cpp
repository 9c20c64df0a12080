#include "day_answer.h"

#include "assignment_text.h"
#include "duty_words.h"
#include "schedule/duty_rotation.h"
#include "schedule/payday.h"

#include <QDate>

QString DayAnswer(int assignment, TDateTime date, const QLocale& locale) {
    ScheduleState schedule;
    SelectAssignment(schedule, assignment);
    const char code = DutyCodeOf(schedule, date);
    const std::chrono::year_month_day ymd = YearMonthDayOf(date);
    const QDate day(static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
                    static_cast<int>(static_cast<unsigned>(ymd.day())));
    QString line = locale.toString(day, QLocale::LongFormat) + QStringLiteral(": ");
    if (code == DutyNone)
        line += QStringLiteral("no schedule for ") + AssignmentName(assignment);
    else
        line += AssignmentName(assignment) + QLatin1Char(' ') + QString::fromLatin1(DutyWords(code));
    if (IsPayday(date))
        line += QStringLiteral(", payday");
    return line;
}
