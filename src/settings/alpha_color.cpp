#include "alpha_color.h"

#include "integer_text.h"

#include <algorithm>
#include <optional>

namespace {

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

std::optional<TAlphaColor> FindName(std::string_view candidate) {
    for (const NamedColor& entry : NamedColors) {
        if (EqualIgnoringAsciiCase(entry.Name, candidate))
            return entry.Value;
    }
    return std::nullopt;
}

// A miss is retried once with an "a" after the second character, which turns "clRed" into "claRed".
std::optional<TAlphaColor> LookUp(const std::string& candidate) {
    if (auto found = FindName(candidate))
        return found;
    if (candidate.size() <= 3)
        return std::nullopt;
    std::string retry = candidate;
    retry.insert(2, 1, 'a');
    return FindName(retry);
}

// The 26 values that take white text; chosen by hand, not by brightness.
constexpr std::array<TAlphaColor, 26> WhiteTextColors{
    0xFF000000, 0xFF000080, 0xFF006400, 0xFF008000, 0xFF191970, 0xFF696969, 0xFF800000,
    0xFF800080, 0xFF00008B, 0xFF0000CD, 0xFF0000FF, 0xFF228B22, 0xFF2F4F4F, 0xFF483D8B,
    0xFF4B0082, 0xFF556B2F, 0xFF8B0000, 0xFF8B008B, 0xFF8B4513, 0xFF9400D3, 0xFFA0522D,
    0xFFA52A2A, 0xFFB22222, 0xFFC71585, 0xFFDC143C, 0xFFFF0000,
};

} // namespace

ColorConversionError::ColorConversionError(const std::string& workingText)
    : std::runtime_error("'" + workingText + "' is not a valid integer value") {}

std::string ColorToText(TAlphaColor color) {
    for (const NamedColor& entry : NamedColors) {
        if (entry.Value == color)
            return std::string(entry.Name.substr(NamedColorPrefix.size()));
    }
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text = "#";
    for (int shift = 28; shift >= 0; shift -= 4)
        text += digits[(color >> shift) & 0xF];
    return text;
}

TAlphaColor ColorFromText(std::string_view text) {
    std::string working(text);
    if (!working.empty() && (working.front() == '#' || working.front() == 'x'))
        working.front() = '$';
    if (auto found = LookUp(std::string(NamedColorPrefix) + working))
        return *found;
    if (auto found = LookUp(working))
        return *found;
    if (auto number = ParseInteger64(working))
        return static_cast<TAlphaColor>(static_cast<std::uint64_t>(*number));
    throw ColorConversionError(working);
}

TAlphaColor ContrastColor(TAlphaColor color) {
    const bool dark =
        std::find(WhiteTextColors.begin(), WhiteTextColors.end(), color) != WhiteTextColors.end();
    return dark ? claWhite : claBlack;
}
