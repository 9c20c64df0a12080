#pragma once
// An INI file held as its raw lines, so that every line the program does not change is written back
// byte for byte. A line is a section header ("[name]", the name running to the last "]" and trimmed),
// a key line (split at the first "="; key and value trimmed of blanks and tabs) or anything else,
// which is kept as it is; there is no comment syntax. Section and key names match ignoring ASCII
// case, and the first matching section and the first matching key in it win. LF, CRLF and CR line
// ends are read; a UTF-8 byte order mark is skipped when reading and kept when writing.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class IniDocument {
public:
    // Any bytes parse; Serialize() of an untouched document gives them back unchanged. A document
    // without line ends takes newLine for the lines it adds.
    static IniDocument Parse(std::string_view bytes, std::string_view newLine = "\n");

    std::string Serialize() const;

    // The value of the key, without its outer blanks and one pair of enclosing double or single
    // quotes; nullopt when the section or the key does not exist.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;

    // Sets the value, keeping the key's own spelling and everything before the old value. A new key
    // goes after the last key line of its section (right after the header when it has none), a new
    // section at the end of the document. Carriage returns and line feeds in the value become blanks.
    // Throws std::invalid_argument for a name that could not be read back (see IsValidSectionName,
    // IsValidKeyName).
    void Set(std::string_view section, std::string_view key, std::string_view value);

    // No line break and no outer blank or tab.
    static bool IsValidSectionName(std::string_view section);
    // As a section name, and no "=" and no leading "[".
    static bool IsValidKeyName(std::string_view key);

private:
    struct Line {
        std::string Text;
        std::string Ending; // "\n", "\r\n", "\r", or empty for a last line without one
    };

    // [first, end) line indexes of the first section with this name, the header at first.
    struct SectionSpan {
        std::size_t Header;
        std::size_t End;
    };
    std::optional<SectionSpan> FindSection(std::string_view section) const;
    std::optional<std::size_t> FindKeyLine(const SectionSpan& span, std::string_view key) const;
    void InsertLine(std::size_t position, std::string text);

    bool hasByteOrderMark_ = false;
    std::string newLine_ = "\n";
    std::vector<Line> lines_;
};
