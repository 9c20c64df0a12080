#include "date_argument.h"

#include <QRegularExpression>
#include <chrono>

std::optional<TDateTime> DateFromArgument(const QString& text, const TodayClock& clock) {
    const QString trimmed = text.trimmed();
    if (trimmed.compare(QStringLiteral("today"), Qt::CaseInsensitive) == 0)
        return clock.Today();
    if (trimmed.compare(QStringLiteral("tomorrow"), Qt::CaseInsensitive) == 0) {
        const TDateTime tomorrow = clock.Today() + 1;
        return IsValidDateSerial(tomorrow) ? std::optional(tomorrow) : std::nullopt;
    }
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})$"));
    const QRegularExpressionMatch match = iso.match(trimmed);
    if (!match.hasMatch())
        return std::nullopt;
    const std::chrono::year_month_day date{std::chrono::year(match.captured(1).toInt()),
                                           std::chrono::month(match.captured(2).toUInt()),
                                           std::chrono::day(match.captured(3).toUInt())};
    if (!date.ok() || date.year() < std::chrono::year(1))
        return std::nullopt;
    return DateSerial(date);
}

QString IsoDateText(TDateTime date) {
    const std::chrono::year_month_day ymd = YearMonthDayOf(date);
    return QStringLiteral("%1-%2-%3")
        .arg(static_cast<int>(ymd.year()), 4, 10, QLatin1Char('0'))
        .arg(static_cast<unsigned>(ymd.month()), 2, 10, QLatin1Char('0'))
        .arg(static_cast<unsigned>(ymd.day()), 2, 10, QLatin1Char('0'));
}
