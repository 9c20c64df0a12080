#include "days_document.h"

#include "mark_event.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

namespace {

char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Whether `text` is `upper` (in capitals) in any letter case.
bool IsNamed(std::string_view text, std::string_view upper) {
    if (text.size() != upper.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (UpperAscii(text[i]) != upper[i])
            return false;
    }
    return true;
}

std::string Upper(std::string_view text) {
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(), UpperAscii);
    return upper;
}

std::string IsoDate(TDateTime date) {
    const std::chrono::year_month_day ymd = YearMonthDayOf(date);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(ymd.year()),
                  static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
    return text;
}

// One content line with its folded continuation lines (RFC 5545: a line end followed by a blank or a
// tab continues the line).
struct ContentLine {
    std::size_t Begin = 0;
    std::size_t FirstEnd = 0; // where the first physical line's content ends, before CR LF
    std::size_t End = 0;      // one past its last line end
    int Number = 0;           // of its first physical line, from 1
    bool Folded = false;
};

// Walks the text's content lines. Most lines of a days file are skipped at their first byte, so a
// line's content is only put together, unfolded, when it is asked for.
class ContentLines {
public:
    explicit ContentLines(std::string_view text) : text_(text) {
        // A byte order mark is no content.
        if (text_.starts_with("\xEF\xBB\xBF"))
            at_ = 3;
    }

    bool Next(ContentLine& line) {
        if (at_ >= text_.size())
            return false;
        line.Begin = at_;
        line.Number = number_;
        line.FirstEnd = SkipPhysicalLine();
        line.Folded = false;
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t')) {
            SkipPhysicalLine();
            line.Folded = true;
        }
        line.End = at_;
        return true;
    }

    // The first byte of the line's content, or NUL for an empty line.
    char First(const ContentLine& line) {
        if (line.FirstEnd > line.Begin)
            return text_[line.Begin];
        // An empty line that continues: its content is that of the lines after it.
        const std::string_view content = line.Folded ? Content(line) : std::string_view();
        return content.empty() ? '\0' : content.front();
    }

    // The line's content, unfolded: a view of the text, or for a folded line of a copy that lasts until
    // the next folded line's content is asked for.
    std::string_view Content(const ContentLine& line) {
        const std::string_view first = text_.substr(line.Begin, line.FirstEnd - line.Begin);
        if (!line.Folded)
            return first;
        unfolded_.assign(first);
        for (std::size_t at = text_.find('\n', line.FirstEnd) + 1; at < line.End;) {
            const std::size_t end = std::min(text_.find('\n', at), line.End);
            std::size_t contentEnd = end;
            if (contentEnd > at && text_[contentEnd - 1] == '\r')
                --contentEnd;
            unfolded_.append(text_.substr(at + 1, contentEnd - at - 1));
            at = end + 1;
        }
        return unfolded_;
    }

private:
    // Moves past the physical line at at_; where its content ends, before CR LF.
    std::size_t SkipPhysicalLine() {
        const auto* newline =
            static_cast<const char*>(std::memchr(text_.data() + at_, '\n', text_.size() - at_));
        const std::size_t end =
            newline == nullptr ? text_.size() : static_cast<std::size_t>(newline - text_.data());
        std::size_t contentEnd = end;
        if (contentEnd > at_ && text_[contentEnd - 1] == '\r')
            --contentEnd;
        at_ = newline == nullptr ? end : end + 1;
        ++number_;
        return contentEnd;
    }

    std::string_view text_;
    std::size_t at_ = 0;
    int number_ = 1;
    std::string unfolded_;
};

// Whether the content line's property name (up to its first ';' or ':') is `name`, in any letter case.
bool HasName(std::string_view line, std::string_view name) {
    return line.size() >= name.size() && IsNamed(line.substr(0, name.size()), name) &&
           (line.size() == name.size() || line[name.size()] == ';' || line[name.size()] == ':');
}

// The value of a content line: after the first ':' outside a quoted parameter value. The name ends at
// the first ';' or ':', at or after `nameLength`.
std::string_view ValueOf(std::string_view line, std::size_t nameLength) {
    bool parameters = false;
    bool quoted = false;
    for (std::size_t i = nameLength; i < line.size(); ++i) {
        const char c = line[i];
        if (c == ':' && !quoted)
            return line.substr(i + 1);
        if (c == ';')
            parameters = true;
        else if (c == '"' && parameters)
            quoted = !quoted;
    }
    return {};
}

bool IsBlank(std::string_view line) {
    for (const char c : line) {
        if (c != ' ' && c != '\t')
            return false;
    }
    return true;
}

// The line names that matter inside the calendar.
enum class LineName { Other, Begin, End, Uid };

std::size_t LengthOf(LineName name) {
    return name == LineName::Begin ? 5 : name == LineName::Other ? 0 : 3;
}

LineName NameOf(std::string_view line) {
    switch (line.empty() ? '\0' : line.front()) {
    case 'B':
    case 'b':
        return HasName(line, "BEGIN") ? LineName::Begin : LineName::Other;
    case 'E':
    case 'e':
        return HasName(line, "END") ? LineName::End : LineName::Other;
    case 'U':
    case 'u':
        return HasName(line, "UID") ? LineName::Uid : LineName::Other;
    default:
        return LineName::Other;
    }
}

// Whether a line that begins with `first` may be a BEGIN, END or UID line.
bool MayMatter(char first) {
    const char upper = UpperAscii(first);
    return upper == 'B' || upper == 'E' || upper == 'U';
}

std::string Line(int number) {
    return "line " + std::to_string(number);
}

std::string SecondMarkProblem(TDateTime date, int firstLine, int secondLine) {
    return Line(secondLine) + ": a second mark on " + IsoDate(date) + ", the first is on " + Line(firstLine);
}

struct OpenComponent {
    std::string Name; // in capitals
    int Line = 0;
    std::size_t Begin = 0;
    MarkUidMatch Uid;   // of a top-level VEVENT, by its last UID line
    std::string BadUid; // that UID when it is ours but names no markable day
};

} // namespace

DaysDocument::Parsed DaysDocument::FromText(std::string text) {
    Parsed parsed;
    if (text.find_first_not_of(" \t\r\n") == std::string::npos) {
        parsed.Document.emplace();
        return parsed;
    }
    if (text.find('\0') != std::string::npos) {
        parsed.Problem = "it is not a text file";
        return parsed;
    }
    DaysDocument document;
    std::vector<Block>& blocks = document.markBlocks_;
    // Marks usually come in date order: they are appended until one is out of order, and sorted once
    // at the end then.
    bool inOrder = true;
    bool calendarSeen = false;
    // The problem of the first line that makes the text unreadable, or empty.
    const auto scan = [&]() -> std::string {
        std::vector<OpenComponent> open;
        bool calendarClosed = false;
        ContentLine line;
        ContentLines lines(text);
        while (lines.Next(line)) {
            // Inside the calendar only BEGIN, END and UID lines matter; a blank line begins with none
            // of their letters.
            if (!open.empty() && !MayMatter(lines.First(line)))
                continue;
            const std::string_view content = lines.Content(line);
            if (IsBlank(content))
                continue;
            const LineName name = NameOf(content);
            if (open.empty()) {
                if (calendarClosed)
                    return Line(line.Number) + ": text after END:VCALENDAR";
                if (name != LineName::Begin || !IsNamed(ValueOf(content, LengthOf(name)), "VCALENDAR"))
                    return calendarSeen
                               ? Line(line.Number) + ": text outside the calendar"
                               : "it is not an iCalendar file: it does not begin with BEGIN:VCALENDAR";
                calendarSeen = true;
                open.push_back({"VCALENDAR", line.Number, line.Begin, {}, {}});
                continue;
            }
            if (name == LineName::Begin) {
                const std::string_view component = ValueOf(content, LengthOf(name));
                if (IsNamed(component, "VCALENDAR"))
                    return Line(line.Number) + ": a calendar inside the calendar of " +
                           Line(open.front().Line);
                open.push_back({Upper(component), line.Number, line.Begin, {}, {}});
                continue;
            }
            if (name == LineName::End) {
                const std::string_view component = ValueOf(content, LengthOf(name));
                if (!IsNamed(component, open.back().Name))
                    return Line(line.Number) + ": END:" + std::string(component) +
                           " does not close BEGIN:" + open.back().Name + " of " + Line(open.back().Line);
                const OpenComponent closed = std::move(open.back());
                open.pop_back();
                if (open.empty()) {
                    document.calendarEnd_ = line.Begin;
                    calendarClosed = true;
                } else if (open.size() == 1 && closed.Uid.Ours && closed.Name == "VEVENT") {
                    if (!closed.Uid.Date)
                        return Line(closed.Line) + ": the UID " + closed.BadUid +
                               " names no day from 2021-12-31 to 2100-12-31";
                    const TDateTime date = *closed.Uid.Date;
                    if (inOrder && !blocks.empty() && blocks.back().Date >= date) {
                        if (blocks.back().Date == date)
                            return SecondMarkProblem(date, blocks.back().Line, closed.Line);
                        inOrder = false;
                    }
                    blocks.push_back({date, closed.Begin, line.End, closed.Line});
                }
                continue;
            }
            if (name == LineName::Uid && open.size() == 2 && open.back().Name == "VEVENT") {
                const std::string_view uid = ValueOf(content, LengthOf(name));
                open.back().Uid = MatchMarkUid(uid);
                open.back().BadUid = open.back().Uid.Ours && !open.back().Uid.Date ? std::string(uid) : "";
            }
        }
        if (!open.empty())
            return "it ends inside BEGIN:" + open.back().Name + " of " + Line(open.back().Line);
        return {};
    };
    std::string problem = scan();
    if (!inOrder) {
        // The marks before the line that ended the scan: a second mark on a day among them comes first.
        std::stable_sort(blocks.begin(), blocks.end(),
                         [](const Block& a, const Block& b) { return a.Date < b.Date; });
        const Block* first = nullptr;
        const Block* second = nullptr;
        for (std::size_t i = 1; i < blocks.size(); ++i) {
            if (blocks[i].Date == blocks[i - 1].Date &&
                (second == nullptr || blocks[i].Line < second->Line)) {
                first = &blocks[i - 1];
                second = &blocks[i];
            }
        }
        if (second != nullptr)
            problem = SecondMarkProblem(first->Date, first->Line, second->Line);
    }
    if (!problem.empty()) {
        parsed.Problem = std::move(problem);
        return parsed;
    }
    // Nothing but a byte order mark and blank lines.
    if (!calendarSeen) {
        parsed.Document.emplace();
        return parsed;
    }
    document.text_ = std::move(text);
    parsed.Document = std::move(document);
    return parsed;
}

std::vector<DaysDocument::Block>::const_iterator DaysDocument::BlockFrom(TDateTime date) const {
    return std::lower_bound(markBlocks_.begin(), markBlocks_.end(), date,
                            [](const Block& block, TDateTime day) { return block.Date < day; });
}

std::string DaysDocument::ReadMarks(const DayRange& range) {
    for (auto block = BlockFrom(range.First); block != markBlocks_.end() && block->Date <= range.Last;
         ++block) {
        if (marks_.contains(block->Date))
            continue;
        MarkEventRead read =
            ReadMarkEvent(std::string_view(text_).substr(block->Begin, block->End - block->Begin));
        if (!read.Mark)
            return Line(block->Line) + ", the mark on " + IsoDate(block->Date) + ": " + read.Problem;
        marks_.emplace(block->Date, std::move(*read.Mark));
    }
    return {};
}

bool DaysDocument::HasRead(const DayRange& range) const {
    for (auto block = BlockFrom(range.First); block != markBlocks_.end() && block->Date <= range.Last;
         ++block) {
        if (!marks_.contains(block->Date))
            return false;
    }
    return true;
}

DaysDocument::Parsed DaysDocument::Changed(const DayChanges& changes, std::int64_t stampTime) const {
    struct Edit {
        std::size_t Begin;
        std::size_t End;
        std::string Text;
    };
    std::vector<Edit> edits;
    std::string added;
    for (const auto& [date, mark] : changes) {
        const auto known = marks_.find(date);
        if (mark && known != marks_.end() && known->second == *mark)
            continue;
        const auto block = BlockFrom(date);
        if (block == markBlocks_.end() || block->Date != date) {
            if (mark)
                added += MarkEventText(date, *mark, stampTime);
            continue;
        }
        const Block& where = *block;
        const std::string_view previous =
            std::string_view(text_).substr(where.Begin, where.End - where.Begin);
        // An event this program cannot read is not rewritten: what it holds would be lost.
        if (known == marks_.end()) {
            if (MarkEventRead read = ReadMarkEvent(previous); !read.Mark) {
                Parsed failed;
                failed.Problem = Line(where.Line) + ", the mark on " + IsoDate(date) + ": " + read.Problem;
                return failed;
            }
        }
        edits.push_back(
            {where.Begin, where.End, mark ? MarkEventText(date, *mark, stampTime, previous) : ""});
    }
    std::string text;
    if (text_.empty()) {
        if (added.empty())
            return {DaysDocument(*this), {}};
        text = EmptyDaysCalendarText();
        text.insert(text.rfind("END:VCALENDAR"), added);
    } else {
        std::sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.Begin < b.Begin; });
        edits.push_back({calendarEnd_, calendarEnd_, std::move(added)});
        text.reserve(text_.size() + edits.back().Text.size());
        std::size_t at = 0;
        for (const Edit& edit : edits) {
            text.append(text_, at, edit.Begin - at);
            text += edit.Text;
            at = edit.End;
        }
        text.append(text_, at, std::string::npos);
    }
    Parsed parsed = FromText(std::move(text));
    if (parsed.Document) {
        DayMarks& marks = parsed.Document->marks_;
        marks = marks_;
        for (const auto& [date, mark] : changes) {
            if (mark)
                marks.insert_or_assign(date, *mark);
            else
                marks.erase(date);
        }
    }
    return parsed;
}
