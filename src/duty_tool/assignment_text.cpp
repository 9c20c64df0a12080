#include "assignment_text.h"

#include "schedule/duty_rotation.h"

#include <QRegularExpression>

std::optional<int> AssignmentFromText(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.compare(QStringLiteral("TFD"), Qt::CaseInsensitive) == 0)
        return 0;
    static const QRegularExpression group(QStringLiteral("^(?:group\\s+)?([1-7])$"),
                                          QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = group.match(trimmed);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toInt();
}

QString AssignmentName(int assignment) {
    return assignment == 0 ? QStringLiteral("TFD") : QStringLiteral("Group %1").arg(assignment);
}
