#include "ini_document.h"

#include <algorithm>
#include <stdexcept>

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

// The section name of a header line, or nullopt for any other line.
std::optional<std::string_view> HeaderName(std::string_view line) {
    const std::string_view text = Trim(line);
    if (text.empty() || text.front() != '[')
        return std::nullopt;
    const std::size_t close = text.rfind(']');
    if (close == std::string_view::npos || close == 0)
        return std::nullopt;
    return Trim(text.substr(1, close - 1));
}

struct KeyLine {
    std::string_view Key;
    std::size_t ValueStart; // offset of the value's first non-blank, or the line's length
};

std::optional<KeyLine> AsKeyLine(std::string_view line) {
    if (HeaderName(line))
        return std::nullopt;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    std::size_t valueStart = equals + 1;
    while (valueStart < line.size() && IsBlank(line[valueStart]))
        ++valueStart;
    return KeyLine{Trim(line.substr(0, equals)), valueStart};
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

} // namespace

IniDocument IniDocument::Parse(std::string_view bytes, std::string_view newLine) {
    IniDocument document;
    if (bytes.substr(0, ByteOrderMark.size()) == ByteOrderMark) {
        document.hasByteOrderMark_ = true;
        bytes.remove_prefix(ByteOrderMark.size());
    }
    document.newLine_ = std::string(newLine);
    bool styleFound = false;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            document.lines_.push_back({std::string(bytes.substr(start)), {}});
            break;
        }
        const std::size_t endingLength =
            (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ? 2 : 1;
        Line line{std::string(bytes.substr(start, end - start)),
                  std::string(bytes.substr(end, endingLength))};
        if (!styleFound) {
            document.newLine_ = line.Ending;
            styleFound = true;
        }
        document.lines_.push_back(std::move(line));
        start = end + endingLength;
    }
    return document;
}

std::string IniDocument::Serialize() const {
    std::string bytes = hasByteOrderMark_ ? std::string(ByteOrderMark) : std::string();
    for (const Line& line : lines_) {
        bytes += line.Text;
        bytes += line.Ending;
    }
    return bytes;
}

std::optional<IniDocument::SectionSpan> IniDocument::FindSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto name = HeaderName(lines_[i].Text);
        if (!name || !EqualIgnoringAsciiCase(*name, section))
            continue;
        std::size_t end = i + 1;
        while (end < lines_.size() && !HeaderName(lines_[end].Text))
            ++end;
        return SectionSpan{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> IniDocument::FindKeyLine(const SectionSpan& span, std::string_view key) const {
    for (std::size_t i = span.Header + 1; i < span.End; ++i) {
        const auto keyLine = AsKeyLine(lines_[i].Text);
        if (keyLine && EqualIgnoringAsciiCase(keyLine->Key, key))
            return i;
    }
    return std::nullopt;
}

std::optional<std::string> IniDocument::Find(std::string_view section, std::string_view key) const {
    const auto span = FindSection(section);
    if (!span)
        return std::nullopt;
    const auto index = FindKeyLine(*span, key);
    if (!index)
        return std::nullopt;
    const std::string_view text = lines_[*index].Text;
    return std::string(Unquote(Trim(text.substr(AsKeyLine(text)->ValueStart))));
}

// The new line ends like the line before it: in a file with mixed line ends a copied "\r" cannot join
// with the next line's "\n", because the line before was already followed by it. An unterminated
// last line gets the file's own line end first.
void IniDocument::InsertLine(std::size_t position, std::string text) {
    std::string ending = newLine_;
    if (position > 0) {
        std::string& before = lines_[position - 1].Ending;
        if (before.empty())
            before = newLine_;
        ending = before;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(position),
                  Line{std::move(text), std::move(ending)});
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    if (!IsValidSectionName(section))
        throw std::invalid_argument("invalid INI section name");
    if (!IsValidKeyName(key))
        throw std::invalid_argument("invalid INI key name");
    // A pasted line break must not start a line of its own.
    std::string safeValue(value);
    std::replace_if(
        safeValue.begin(), safeValue.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');

    const auto span = FindSection(section);
    if (!span) {
        InsertLine(lines_.size(), "[" + std::string(section) + "]");
        InsertLine(lines_.size(), std::string(key) + "=" + safeValue);
        return;
    }
    if (const auto index = FindKeyLine(*span, key)) {
        // The blanks after "=" stay unless the value brings its own, so a repeated write changes nothing.
        std::string& text = lines_[*index].Text;
        const std::size_t keep = (!safeValue.empty() && IsBlank(safeValue.front()))
                                     ? text.find('=') + 1
                                     : AsKeyLine(text)->ValueStart;
        text.replace(keep, std::string::npos, safeValue);
        return;
    }
    std::size_t after = span->Header;
    for (std::size_t i = span->Header + 1; i < span->End; ++i) {
        if (AsKeyLine(lines_[i].Text))
            after = i;
    }
    InsertLine(after + 1, std::string(key) + "=" + safeValue);
}

bool IniDocument::IsValidSectionName(std::string_view section) {
    return !HasLineBreak(section) && Trim(section) == section;
}

bool IniDocument::IsValidKeyName(std::string_view key) {
    return IsValidSectionName(key) && key.find('=') == std::string_view::npos &&
           (key.empty() || key.front() != '[');
}
