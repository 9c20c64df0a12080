#pragma once
// Colors: the 32-bit ARGB type, the table of the 148 named colors, the conversions between a color
// and its text and the contrast rule for text drawn on a colored surface.

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

// Alpha in bits 31-24, then red, green, blue (bits 7-0). Always compared in all 32 bits.
using TAlphaColor = std::uint32_t;

// Values the program uses by name.
inline constexpr TAlphaColor claBlack = 0xFF000000;
inline constexpr TAlphaColor claBlue = 0xFF0000FF;
inline constexpr TAlphaColor claDarkgray = 0xFFA9A9A9;
inline constexpr TAlphaColor claDimgray = 0xFF696969;
inline constexpr TAlphaColor claGoldenrod = 0xFFDAA520;
inline constexpr TAlphaColor claNavy = 0xFF000080;
inline constexpr TAlphaColor claSilver = 0xFFC0C0C0;
inline constexpr TAlphaColor claSlategray = 0xFF708090;
inline constexpr TAlphaColor claWhite = 0xFFFFFFFF;
inline constexpr TAlphaColor claNull = 0x00000000;

struct NamedColor {
    TAlphaColor Value;
    std::string_view Name; // with the "cla" prefix: "claAliceblue", "claDarkgray", "claNull"
};

inline constexpr std::size_t NamedColorCount = 148;
inline constexpr std::string_view NamedColorPrefix = "cla";

// Entries 0-146: the 147 SVG 1.1 color keywords in alphabetical order, opaque; entry 147: "claNull"
// (0x00000000). Lookups depend on this order: of two names for one value the first is written.
extern const std::array<NamedColor, NamedColorCount> NamedColors;

// Raised by ColorFromText; what() is "'<working text>' is not a valid integer value".
class ColorConversionError : public std::runtime_error {
public:
    explicit ColorConversionError(const std::string& workingText);
};

// The name of the first table entry with this value, without the prefix ("Darkgray", "Null"), or
// "#" and 8 upper-case hex digits, alpha first ("#FF123456"). Never fails.
std::string ColorToText(TAlphaColor color);

// The color a text names: a table name with or without "cla" (ASCII case ignored, "cl" accepted for
// "cla"), or a whole number ("#", "$", "x", "0x" hexadecimal or decimal; the low 32 bits are kept).
// Nothing is trimmed. Throws ColorConversionError for any other text, the empty text included.
TAlphaColor ColorFromText(std::string_view text);

// White for the 26 dark opaque colors of a fixed list, black for every other value.
TAlphaColor ContrastColor(TAlphaColor color);
