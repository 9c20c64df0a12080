#include "ini_store.h"

#include "atomic_file.h"
#include "ini_document.h"
#include "integer_text.h"
#include "text_encoding.h"

#include <optional>

namespace {

#ifdef _WIN32
constexpr std::string_view PlatformNewLine = "\r\n";
#else
constexpr std::string_view PlatformNewLine = "\n";
#endif

std::string PathText(const std::filesystem::path& file) {
    const std::u8string text = file.u8string();
    return std::string(text.begin(), text.end());
}

// Counts characters as UTF-8 lead bytes, so a cut never splits a sequence.
std::string CutToCharacters(std::string text, std::size_t maxCharacters) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) == 0x80)
            continue;
        if (characters == maxCharacters) {
            text.resize(i);
            break;
        }
        ++characters;
    }
    return text;
}

} // namespace

SettingsWriteError::SettingsWriteError(const std::filesystem::path& file)
    : std::runtime_error("Unable to write to " + PathText(file)) {}

IniStore::IniStore(std::filesystem::path file) : file_(std::move(file)) {}

std::string IniStore::ReadString(std::string_view section, std::string_view key,
                                 std::string_view defaultText) const {
    FileContents contents = ReadWholeFile(file_);
    if (contents.State != FileContents::Status::Read)
        return std::string(defaultText);
    const auto value =
        IniDocument::Parse(DecodeText(std::move(contents.Bytes)).Text, PlatformNewLine).Find(section, key);
    return value ? CutToCharacters(*value, MaxValueLength) : std::string(defaultText);
}

std::int32_t IniStore::ReadInteger(std::string_view section, std::string_view key,
                                   std::int32_t defaultValue) const {
    // ParseInteger32 reads the "0x" prefix itself.
    return ParseInteger32(ReadString(section, key, "")).value_or(defaultValue);
}

bool IniStore::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniStore::WriteString(std::string_view section, std::string_view key, std::string_view text) {
    const FileContents old = ReadWholeFile(file_);
    // Anything but a readable or absent file must not be replaced by a file built from nothing.
    if (old.State == FileContents::Status::Failed)
        throw SettingsWriteError(file_);
    const DecodedText decoded = DecodeText(old.Bytes);
    // A malformed UTF-16 file would not come back as it was; it stays untouched.
    if (!decoded.Writable)
        throw SettingsWriteError(file_);
    IniDocument document = IniDocument::Parse(decoded.Text, PlatformNewLine);
    document.Set(section, key, text);
    std::string newText = document.Serialize();
    // A file cut in the middle of its last character still reads as UTF-8; a line written after it
    // would make it read as Windows-1252 from then on, every accented character garbled. The broken
    // character, lost already, becomes U+FFFD instead.
    if (decoded.Encoding == TextEncoding::Utf8 && !newText.starts_with("\xEF\xBB\xBF") &&
        !IsValidUtf8(newText, true))
        newText = ReplaceInvalidUtf8(newText);
    std::optional<std::string> encoded = EncodeText(newText, decoded.Encoding);
    // A file that stays in Windows-1252 must still read as Windows-1252: bytes that happen to form
    // valid UTF-8 would be read back as other characters.
    if (encoded && decoded.Encoding == TextEncoding::Windows1252 && IsValidUtf8(*encoded, true) &&
        *encoded != newText)
        encoded.reset();
    if (!encoded) {
        // A value with a character that Windows-1252 lacks turns the whole file into UTF-8, every
        // other line keeping its characters; UTF-16 can only fail on a value that is not UTF-8.
        if (decoded.Encoding != TextEncoding::Windows1252)
            throw SettingsWriteError(file_);
        encoded = newText;
    }
    const std::string& bytes = *encoded;
    if (old.State == FileContents::Status::Read && bytes == old.Bytes)
        return;
    if (!ReplaceFileAtomically(file_, bytes))
        throw SettingsWriteError(file_);
}

void IniStore::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void IniStore::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}
