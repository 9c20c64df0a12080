#pragma once
// The date edit's display format: two-digit month, two-digit day and two-digit year in that order,
// joined by the date separator of `locale`'s short date format ("MM/dd/yy" in the United States,
// "MM.dd.yy" in Germany). A format without a separator, or with blanks alone, gives "/".

#include <QLocale>
#include <QString>

QString DateEditDisplayFormat(const QLocale& locale);
