#include "date_edit_format.h"

QString DateEditDisplayFormat(const QLocale& locale) {
    const QString shortFormat = locale.dateFormat(QLocale::ShortFormat);
    // The separator is the run of characters between the first and the second date field.
    QString separator;
    bool inFirstField = false;
    for (QChar c : shortFormat) {
        const bool isField = c.isLetter() || c == QLatin1Char('\'');
        if (isField) {
            if (!separator.isEmpty()) {
                break;
            }
            inFirstField = true;
        } else if (inFirstField) {
            separator += c;
        }
    }
    // Blanks alone (the C locale's "d MMM yyyy") would read as three loose numbers.
    if (separator.trimmed().isEmpty()) {
        separator = QStringLiteral("/");
    }
    return QStringLiteral("MM") + separator + QStringLiteral("dd") + separator + QStringLiteral("yy");
}
