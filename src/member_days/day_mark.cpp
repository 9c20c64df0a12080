#include "day_mark.h"

#include "schedule/duty_rotation.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    }
    return true;
}

bool NeedsDutyDay(MarkKind kind) {
    return kind == MarkKind::Leave || kind == MarkKind::Sick || kind == MarkKind::TradedAway;
}

// The length of the UTF-8 sequence that starts at text[at], or 0 when none does (an overlong form, a
// surrogate, a value above U+10FFFF or a cut sequence).
std::size_t SequenceLength(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80)
        return 1;
    std::size_t length;
    char32_t value;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
    } else {
        return 0;
    }
    if (at + length > text.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (byte(at + i) & 0x3F);
    }
    const char32_t smallest = length == 3 ? 0x800 : 0x10000;
    if ((length > 2 && value < smallest) || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    return length;
}

} // namespace

bool IsMarkableDay(TDateTime date) {
    return MarkableDays.Contains(date) && date == static_cast<TDateTime>(static_cast<std::int64_t>(date));
}

std::string_view MarkKindName(MarkKind kind) {
    switch (kind) {
    case MarkKind::Leave:
        return "Leave";
    case MarkKind::Sick:
        return "Sick";
    case MarkKind::TradedAway:
        return "Traded away";
    case MarkKind::ExtraShift:
        return "Extra shift";
    case MarkKind::NoteOnly:
        break;
    }
    return "Note";
}

std::optional<MarkKind> MarkKindNamed(std::string_view text) {
    for (const MarkKind kind : MarkKinds) {
        if (EqualIgnoringCase(text, MarkKindName(kind)))
            return kind;
    }
    return std::nullopt;
}

char MarkKindLetter(MarkKind kind) {
    switch (kind) {
    case MarkKind::Leave:
        return 'L';
    case MarkKind::Sick:
        return 'S';
    case MarkKind::TradedAway:
        return 'T';
    case MarkKind::ExtraShift:
        return 'E';
    case MarkKind::NoteOnly:
        break;
    }
    return 'N';
}

bool MarkFits(MarkKind kind, char code) {
    if (kind == MarkKind::NoteOnly)
        return true;
    if (NeedsDutyDay(kind))
        return code == DutyOn;
    return code == DutyOff || code == DutyRdo;
}

std::string MisfitReason(MarkKind kind, char code) {
    if (MarkFits(kind, code))
        return {};
    if (code != DutyOn && code != DutyOff && code != DutyRdo)
        return "only a note fits a day without a schedule";
    if (NeedsDutyDay(kind))
        return std::string(MarkKindName(kind)) + " needs a duty day";
    return "an extra shift needs a day off";
}

std::vector<MarkKind> KindsThatFit(char code) {
    std::vector<MarkKind> kinds;
    for (const MarkKind kind : MarkKinds) {
        if (MarkFits(kind, code))
            kinds.push_back(kind);
    }
    return kinds;
}

std::optional<std::size_t> CodePointCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); ++count) {
        const std::size_t length = SequenceLength(text, at);
        if (length == 0)
            return std::nullopt;
        at += length;
    }
    return count;
}

std::string NormalizedNote(std::string_view note) {
    std::string normalized;
    normalized.reserve(note.size());
    for (std::size_t i = 0; i < note.size(); ++i) {
        if (note[i] != '\r') {
            normalized += note[i];
            continue;
        }
        normalized += '\n';
        if (i + 1 < note.size() && note[i + 1] == '\n')
            ++i;
    }
    return normalized;
}

std::string MarkText(const DayMark& mark) {
    std::string text(MarkKindName(mark.Kind));
    if (mark.Hours)
        text += ", " + HoursText(*mark.Hours) + (*mark.Hours == 1 ? " hour" : " hours");
    return text;
}

std::string MarkInWords(const DayMark& mark, char code) {
    std::string words = MarkText(mark);
    if (std::string reason = MisfitReason(mark.Kind, code); !reason.empty())
        words += " (not counted: " + reason + ")";
    if (!mark.Note.empty())
        words += ": " + mark.Note;
    return words;
}

std::string MarkProblem(const DayMark& mark) {
    const std::optional<std::size_t> length = CodePointCount(mark.Note);
    if (!length)
        return "the note is not UTF-8 text";
    if (*length > MaxNoteLength)
        return "the note has " + std::to_string(*length) + " characters, more than " +
               std::to_string(MaxNoteLength);
    for (const char c : mark.Note) {
        const auto code = static_cast<unsigned char>(c);
        if ((code < 0x20 && c != '\t' && c != '\n') || code == 0x7F)
            return "the note holds a control character";
    }
    if (mark.Hours) {
        if (mark.Kind != MarkKind::ExtraShift)
            return "only an extra shift has hours";
        if (!AreShiftHours(*mark.Hours))
            return HoursText(*mark.Hours) + " is not a number of hours above 0 and below 48";
    }
    return {};
}

bool AreShiftHours(double hours) {
    return std::isfinite(hours) && hours > 0 && hours < MaxShiftHours;
}

std::string HoursText(double hours) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, hours);
    return std::string(text, result.ptr);
}

std::optional<double> HoursFromText(std::string_view text) {
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    // std::from_chars alone would take "1e1", "inf" and "nan" as well.
    std::size_t at = 0;
    while (at < text.size() && isDigit(text[at]))
        ++at;
    if (at < text.size() && text[at] == '.') {
        ++at;
        const std::size_t fractionStart = at;
        while (at < text.size() && isDigit(text[at]))
            ++at;
        if (at == fractionStart)
            return std::nullopt;
    }
    if (at != text.size() || text.find_first_of("0123456789") == std::string_view::npos)
        return std::nullopt;
    double hours = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), hours);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() || !AreShiftHours(hours))
        return std::nullopt;
    return hours;
}
