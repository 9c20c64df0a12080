#pragma once
// The settings store: holds only the file's path; every operation reads or rewrites the whole file by
// itself. Reads never fail (a missing or unreadable file, section or key gives the default). Writes
// create the file, the section and the key as needed (the folder must exist), replace the file
// atomically, skip a write that would not change the file, and raise SettingsWriteError on failure,
// leaving the old file as it was. Texts are UTF-8; the file may be UTF-8, UTF-16 or Windows-1252
// and keeps its encoding when written (see text_encoding.h), except that a Windows-1252 file becomes
// UTF-8 when a value needs a character the code page lacks. A malformed UTF-16 file is never written.

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

// what() is "Unable to write to <full path>".
class SettingsWriteError : public std::runtime_error {
public:
    explicit SettingsWriteError(const std::filesystem::path& file);
};

class IniStore {
public:
    // Longest value ReadString returns, in characters (UTF-8 sequences are not split).
    static constexpr std::size_t MaxValueLength = 2047;

    explicit IniStore(std::filesystem::path file);

    const std::filesystem::path& FileName() const { return file_; }

    // The value without outer blanks and one pair of enclosing quotes, cut at MaxValueLength; an
    // existing empty value is the empty text.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultText) const;
    // Whole-number syntax of ParseInteger32 after a leading "0x" or "0X"; any other text gives the
    // default.
    std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t defaultValue) const;
    // True when the integer read (default 1 or 0) is not 0.
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

    // Line breaks inside the text are written as blanks.
    void WriteString(std::string_view section, std::string_view key, std::string_view text);
    void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
    void WriteBool(std::string_view section, std::string_view key, bool value);

private:
    std::filesystem::path file_;
};
