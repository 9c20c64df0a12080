#include "mark_parts.h"

#include "member_days/days_store.h"

#include <array>
#include <utility>

namespace {

std::filesystem::path Utf8Path(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

constexpr std::array<std::pair<const char*, MarkKind>, 5> KindArguments{{
    {"leave", MarkKind::Leave},
    {"sick", MarkKind::Sick},
    {"traded-away", MarkKind::TradedAway},
    {"extra-shift", MarkKind::ExtraShift},
    {"note", MarkKind::NoteOnly},
}};

} // namespace

std::filesystem::path DaysFileOf(const ToolSettings& settings) {
    return DaysFileBeside(Utf8Path(settings.State.IniFileName));
}

DayMarks ReadDayMarks(const ToolSettings& settings, const DayRange& range) {
    const DaysSnapshot snapshot = ReadDaysFile(DaysFileOf(settings), range);
    if (snapshot.State == DaysSnapshot::Status::Unreadable)
        throw ToolFailure{IoError, QStringLiteral("the days file %1 cannot be read: %2")
                                       .arg(QString::fromStdU16String(DaysFileOf(settings).u16string()),
                                            QString::fromStdString(snapshot.Problem))};
    return snapshot.Document.Marks();
}

QString OneLineNote(const std::string& note) {
    QString text = QString::fromStdString(note);
    text.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    text.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    return text;
}

QString MarkSummary(const DayMark& mark, char code) {
    // The window's words for the mark, with the note kept on one line for the terminal.
    DayMark oneLine = mark;
    oneLine.Note = OneLineNote(mark.Note).toStdString();
    return QString::fromStdString(MarkInWords(oneLine, code));
}

std::optional<MarkKind> MarkKindFromArgument(const QString& text) {
    QString word = text.trimmed().toLower();
    word.replace(QLatin1Char(' '), QLatin1Char('-'));
    word.replace(QLatin1Char('_'), QLatin1Char('-'));
    for (const auto& [argument, kind] : KindArguments) {
        if (word == QLatin1String(argument))
            return kind;
    }
    return std::nullopt;
}
