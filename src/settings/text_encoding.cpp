#include "text_encoding.h"

#include <array>
#include <cstdint>
#include <utility>

namespace {

constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view Utf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view Utf16BigEndianMark = "\xFE\xFF";
constexpr char32_t ReplacementCharacter = 0xFFFD;

// Code points of the bytes 0x80 to 0x9F; the rest of the upper half is Latin-1.
constexpr std::array<char16_t, 32> Windows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The length of the sequence starting at `i` (1 to 4) and its code point; nullopt when it is not a
// whole, shortest-form sequence of a scalar value. `cut` tells whether it failed only by running
// past the end.
struct Utf8Sequence {
    std::size_t Length;
    char32_t CodePoint;
};
std::optional<Utf8Sequence> NextUtf8(std::string_view bytes, std::size_t i, bool* cut = nullptr) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    std::size_t length;
    char32_t c;
    char32_t minimum;
    if (lead < 0x80)
        return Utf8Sequence{1, lead};
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, c = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, c = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, c = lead & 0x07, minimum = 0x10000;
    } else {
        return std::nullopt;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if (i + k >= bytes.size()) {
            if (cut)
                *cut = true;
            return std::nullopt;
        }
        const auto next = static_cast<unsigned char>(bytes[i + k]);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        c = (c << 6) | (next & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return std::nullopt;
    return Utf8Sequence{length, c};
}

DecodedText DecodeUtf16(std::string_view bytes, TextEncoding encoding) {
    DecodedText decoded{encoding, {}, bytes.size() % 2 == 0};
    const bool little = encoding == TextEncoding::Utf16LittleEndian;
    const auto unitAt = [&](std::size_t i) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char16_t>(little ? first | (second << 8) : (first << 8) | second);
    };
    const std::size_t units = bytes.size() / 2;
    for (std::size_t u = 1; u < units; ++u) { // unit 0 is the byte order mark
        const char16_t unit = unitAt(2 * u);
        if (unit >= 0xD800 && unit <= 0xDBFF && u + 1 < units) {
            const char16_t low = unitAt(2 * (u + 1));
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(decoded.Text, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (low - 0xDC00));
                ++u;
                continue;
            }
        }
        if (unit >= 0xD800 && unit <= 0xDFFF) {
            AppendUtf8(decoded.Text, ReplacementCharacter);
            decoded.Writable = false;
            continue;
        }
        AppendUtf8(decoded.Text, unit);
    }
    return decoded;
}

void AppendUtf16(std::string& out, char16_t unit, bool little) {
    const auto high = static_cast<char>(unit >> 8);
    const auto low = static_cast<char>(unit & 0xFF);
    out += little ? low : high;
    out += little ? high : low;
}

std::optional<std::string> EncodeUtf16(std::string_view text, bool little) {
    std::string out;
    out.reserve(2 * text.size() + 2);
    AppendUtf16(out, 0xFEFF, little);
    for (std::size_t i = 0; i < text.size();) {
        const auto sequence = NextUtf8(text, i);
        if (!sequence)
            return std::nullopt;
        const char32_t c = sequence->CodePoint;
        if (c >= 0x10000) {
            AppendUtf16(out, static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)), little);
            AppendUtf16(out, static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)), little);
        } else {
            AppendUtf16(out, static_cast<char16_t>(c), little);
        }
        i += sequence->Length;
    }
    return out;
}

std::optional<unsigned char> Windows1252Byte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<unsigned char>(c);
    for (std::size_t i = 0; i < Windows1252High.size(); ++i) {
        if (Windows1252High[i] == c)
            return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

std::optional<std::string> EncodeWindows1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto sequence = NextUtf8(text, i);
        if (!sequence)
            return std::nullopt;
        const auto byte = Windows1252Byte(sequence->CodePoint);
        if (!byte)
            return std::nullopt;
        out += static_cast<char>(*byte);
        i += sequence->Length;
    }
    return out;
}

} // namespace

bool IsValidUtf8(std::string_view bytes, bool allowCutEnd) {
    for (std::size_t i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        bool cut = false;
        const auto sequence = NextUtf8(bytes, i, &cut);
        if (!sequence)
            return allowCutEnd && cut;
        i += sequence->Length;
    }
    return true;
}

std::string ReplaceInvalidUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        if (const auto sequence = NextUtf8(bytes, i)) {
            out.append(bytes.substr(i, sequence->Length));
            i += sequence->Length;
        } else {
            AppendUtf8(out, ReplacementCharacter);
            ++i;
            // The continuation bytes of the broken sequence go with it.
            while (i < bytes.size() && (static_cast<unsigned char>(bytes[i]) & 0xC0) == 0x80)
                ++i;
        }
    }
    return out;
}

DecodedText DecodeText(std::string bytes) {
    if (bytes.substr(0, Utf16LittleEndianMark.size()) == Utf16LittleEndianMark)
        return DecodeUtf16(bytes, TextEncoding::Utf16LittleEndian);
    if (bytes.substr(0, Utf16BigEndianMark.size()) == Utf16BigEndianMark)
        return DecodeUtf16(bytes, TextEncoding::Utf16BigEndian);
    // A byte order mark settles it: what follows is UTF-8, however damaged.
    if (bytes.substr(0, Utf8ByteOrderMark.size()) == Utf8ByteOrderMark || IsValidUtf8(bytes, true))
        return {TextEncoding::Utf8, std::move(bytes), true};
    DecodedText decoded{TextEncoding::Windows1252, {}, true};
    decoded.Text.reserve(bytes.size() + bytes.size() / 8);
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        AppendUtf8(decoded.Text, value >= 0x80 && value < 0xA0 ? Windows1252High[value - 0x80] : value);
    }
    return decoded;
}

std::optional<std::string> EncodeText(std::string_view text, TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Utf8:
        return std::string(text);
    case TextEncoding::Utf16LittleEndian:
        return EncodeUtf16(text, true);
    case TextEncoding::Utf16BigEndian:
        return EncodeUtf16(text, false);
    case TextEncoding::Windows1252:
        return EncodeWindows1252(text);
    }
    return std::nullopt;
}
