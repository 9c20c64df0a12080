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

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return UpperAscii(x) == UpperAscii(y); });
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
    std::size_t End = 0; // one past its last line end
    int Number = 0;      // of its first physical line, from 1
    std::string_view Content;
};

// Most lines are not folded: their content is a view of the text, and only folded ones are copied.
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
        line.Content = PhysicalLine();
        if (IsContinued()) {
            unfolded_.assign(line.Content);
            while (IsContinued())
                unfolded_.append(PhysicalLine().substr(1));
            line.Content = unfolded_;
        }
        line.End = at_;
        return true;
    }

private:
    // The physical line at at_ without its line end; moves past it.
    std::string_view PhysicalLine() {
        const auto* newline =
            static_cast<const char*>(std::memchr(text_.data() + at_, '\n', text_.size() - at_));
        const std::size_t end =
            newline == nullptr ? text_.size() : static_cast<std::size_t>(newline - text_.data());
        std::size_t contentEnd = end;
        if (contentEnd > at_ && text_[contentEnd - 1] == '\r')
            --contentEnd;
        const std::string_view content = text_.substr(at_, contentEnd - at_);
        at_ = newline == nullptr ? end : end + 1;
        ++number_;
        return content;
    }

    bool IsContinued() const { return at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t'); }

    std::string_view text_;
    std::size_t at_ = 0;
    int number_ = 1;
    std::string unfolded_;
};

// The property name of a content line: up to its first ';' or ':'.
std::string_view NameOf(std::string_view line) {
    return line.substr(0, std::min(line.find_first_of(";:"), line.size()));
}

// The value of a content line: after the first ':' outside a quoted parameter value.
std::string_view ValueOf(std::string_view line) {
    bool quoted = false;
    for (std::size_t i = NameOf(line).size(); i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ':' && !quoted)
            return line.substr(i + 1);
    }
    return {};
}

bool IsBlank(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

std::string Line(int number) {
    return "line " + std::to_string(number);
}

struct OpenComponent {
    std::string Name;
    int Line = 0;
    std::size_t Begin = 0;
    std::string Uid; // of a top-level VEVENT
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
    std::vector<OpenComponent> open;
    bool calendarSeen = false;
    bool calendarClosed = false;
    ContentLine line;
    ContentLines lines(text);
    while (lines.Next(line)) {
        const std::string_view content = line.Content;
        if (IsBlank(content))
            continue;
        // Inside the calendar only BEGIN, END and UID lines matter; most lines are skipped at their
        // first letter.
        const char first = UpperAscii(content.front());
        if (!open.empty() && first != 'B' && first != 'E' && first != 'U')
            continue;
        const std::string_view name = NameOf(content);
        const bool begins = EqualIgnoringCase(name, "BEGIN");
        const bool ends = EqualIgnoringCase(name, "END");
        if (open.empty()) {
            if (calendarClosed) {
                parsed.Problem = Line(line.Number) + ": text after END:VCALENDAR";
                return parsed;
            }
            if (!begins || !EqualIgnoringCase(ValueOf(content), "VCALENDAR")) {
                parsed.Problem = calendarSeen ? Line(line.Number) + ": text outside the calendar"
                                              : "it is not an iCalendar file: it does not begin with "
                                                "BEGIN:VCALENDAR";
                return parsed;
            }
            calendarSeen = true;
            open.push_back({"VCALENDAR", line.Number, line.Begin, {}});
            continue;
        }
        if (begins) {
            const std::string component = Upper(ValueOf(content));
            if (component == "VCALENDAR") {
                parsed.Problem =
                    Line(line.Number) + ": a calendar inside the calendar of " + Line(open.front().Line);
                return parsed;
            }
            open.push_back({component, line.Number, line.Begin, {}});
            continue;
        }
        if (ends) {
            const std::string component = Upper(ValueOf(content));
            if (component != open.back().Name) {
                parsed.Problem = Line(line.Number) + ": END:" + std::string(ValueOf(content)) +
                                 " does not close BEGIN:" + open.back().Name + " of " +
                                 Line(open.back().Line);
                return parsed;
            }
            const OpenComponent closed = std::move(open.back());
            open.pop_back();
            if (open.empty()) {
                document.calendarEnd_ = line.Begin;
                calendarClosed = true;
            } else if (open.size() == 1 && closed.Name == "VEVENT") {
                const MarkUidMatch match = MatchMarkUid(closed.Uid);
                if (match.Ours) {
                    if (!match.Date) {
                        parsed.Problem = Line(closed.Line) + ": the UID " + closed.Uid +
                                         " names no day from 2021-12-31 to 2100-12-31";
                        return parsed;
                    }
                    const auto [existing, added] = document.markBlocks_.try_emplace(
                        *match.Date, Block{closed.Begin, line.End, closed.Line});
                    if (!added) {
                        parsed.Problem = Line(closed.Line) + ": a second mark on " + IsoDate(*match.Date) +
                                         ", the first is on " + Line(existing->second.Line);
                        return parsed;
                    }
                }
            }
            continue;
        }
        if (open.size() == 2 && open.back().Name == "VEVENT" && EqualIgnoringCase(name, "UID"))
            open.back().Uid = std::string(ValueOf(content));
    }
    if (!open.empty()) {
        parsed.Problem = "it ends inside BEGIN:" + open.back().Name + " of " + Line(open.back().Line);
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

std::string DaysDocument::ReadMarks(const DayRange& range) {
    for (auto block = markBlocks_.lower_bound(range.First);
         block != markBlocks_.end() && block->first <= range.Last; ++block) {
        if (marks_.contains(block->first))
            continue;
        const Block& where = block->second;
        MarkEventRead read =
            ReadMarkEvent(std::string_view(text_).substr(where.Begin, where.End - where.Begin));
        if (!read.Mark)
            return Line(where.Line) + ", the mark on " + IsoDate(block->first) + ": " + read.Problem;
        marks_.emplace(block->first, std::move(*read.Mark));
    }
    return {};
}

bool DaysDocument::HasRead(const DayRange& range) const {
    for (auto block = markBlocks_.lower_bound(range.First);
         block != markBlocks_.end() && block->first <= range.Last; ++block) {
        if (!marks_.contains(block->first))
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
        const auto block = markBlocks_.find(date);
        if (block == markBlocks_.end()) {
            if (mark)
                added += MarkEventText(date, *mark, stampTime);
            continue;
        }
        const Block& where = block->second;
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
