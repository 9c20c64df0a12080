#pragma once
// The character encodings a settings file may come in, and the conversions to and from the UTF-8
// text the INI reader works on. A file keeps its encoding when it is written back:
//   - UTF-8 (with or without a byte order mark; an incomplete sequence at the very end, as a cut-off
//     file has, still counts): the bytes are the text, untouched.
//   - UTF-16, little or big endian, recognised by its byte order mark only: converted to UTF-8 and
//     back, byte for byte for every well-formed file. A malformed one (an unpaired surrogate, an odd
//     byte count) reads with U+FFFD in place of the bad units and cannot be written back.
//   - Windows-1252 (the ANSI code page of Western European Windows), assumed for any other file that
//     is not valid UTF-8. Its five unassigned bytes map to U+0081, U+008D, U+008F, U+0090 and U+009D,
//     so every byte string converts to UTF-8 and back unchanged.

#include <optional>
#include <string>
#include <string_view>

enum class TextEncoding { Utf8, Utf16LittleEndian, Utf16BigEndian, Windows1252 };

struct DecodedText {
    TextEncoding Encoding = TextEncoding::Utf8;
    std::string Text;     // UTF-8; a UTF-16 byte order mark is left out, a UTF-8 one kept
    bool Writable = true; // false when encoding Text again would not give the same bytes back
};

DecodedText DecodeText(std::string bytes);

// `text` (UTF-8) in `encoding`, with the byte order mark for UTF-16. Nullopt when a character has no
// form in that encoding (Windows-1252) or `text` is not valid UTF-8 (both UTF-16 forms).
std::optional<std::string> EncodeText(std::string_view text, TextEncoding encoding);

// `bytes` with every sequence that is not valid UTF-8 replaced by U+FFFD.
std::string ReplaceInvalidUtf8(std::string_view bytes);

// Valid UTF-8 throughout, except that the last sequence may be cut short when `allowCutEnd` is set.
bool IsValidUtf8(std::string_view bytes, bool allowCutEnd = false);
