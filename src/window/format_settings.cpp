#include "format_settings.h"

#include <QRegularExpression>

QDate QDateOf(TDateTime date) {
    const auto ymd = YearMonthDayOf(date);
    return QDate(static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
                 static_cast<int>(static_cast<unsigned>(ymd.day())));
}

TDateTime SerialOf(const QDate& date) {
    return DateSerial(date.year(), static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
}

TFormatSettings FormatSettingsFrom(const QLocale& locale) {
    TFormatSettings format;
    for (int m = 1; m <= 12; ++m) {
        format.LongMonthNames[static_cast<std::size_t>(m - 1)] =
            locale.standaloneMonthName(m, QLocale::LongFormat);
        format.ShortMonthNames[static_cast<std::size_t>(m - 1)] = locale.monthName(m, QLocale::ShortFormat);
    }
    // Qt numbers the days Monday 1 to Sunday 7.
    for (int d = 0; d < 7; ++d)
        format.ShortDayNames[static_cast<std::size_t>(d)] =
            locale.dayName(d == 0 ? 7 : d, QLocale::ShortFormat);
    QString shortDate = locale.dateFormat(QLocale::ShortFormat);
    if (!shortDate.contains(QStringLiteral("yyyy")))
        shortDate.replace(QRegularExpression(QStringLiteral("y+")), QStringLiteral("yyyy"));
    format.ShortDateFormat = shortDate;
    format.Locale = locale;
    return format;
}

QString FormatShortDate(const TFormatSettings& format, TDateTime date) {
    return format.Locale.toString(QDateOf(date), format.ShortDateFormat);
}

QString MonthTitle(const TFormatSettings& format, TDateTime date, int currentYear) {
    const auto ymd = YearMonthDayOf(date);
    const auto month = static_cast<std::size_t>(static_cast<unsigned>(ymd.month()) - 1);
    const int year = static_cast<int>(ymd.year());
    if (year == currentYear)
        return format.LongMonthNames[month];
    return format.ShortMonthNames[month] + QLatin1Char(' ') + QString::number(year);
}
