#include "integer_text.h"

#include <limits>

namespace {

struct ParsedInteger {
    bool negative = false;
    bool hexadecimal = false;
    std::uint64_t magnitude = 0;
};

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads the common syntax; the magnitude is limited to maxDecimal (for decimal numbers) or
// maxPattern (for hexadecimal ones).
std::optional<ParsedInteger> Parse(std::string_view text, std::uint64_t maxDecimal,
                                   std::uint64_t maxPattern) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    ParsedInteger result;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        result.negative = text[i] == '-';
        ++i;
    }
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        result.hexadecimal = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        result.hexadecimal = true;
        i += 2;
    }
    if (i == text.size())
        return std::nullopt;
    const std::uint64_t base = result.hexadecimal ? 16 : 10;
    const std::uint64_t limit = result.hexadecimal ? maxPattern : maxDecimal;
    for (; i < text.size(); ++i) {
        const int digit = HexDigitValue(text[i]);
        if (digit < 0 || static_cast<std::uint64_t>(digit) >= base)
            return std::nullopt;
        if (result.magnitude > (limit - static_cast<std::uint64_t>(digit)) / base)
            return std::nullopt;
        result.magnitude = result.magnitude * base + static_cast<std::uint64_t>(digit);
    }
    return result;
}

} // namespace

std::optional<std::int64_t> ParseInteger64(std::string_view text) {
    constexpr std::uint64_t maxPositive = std::numeric_limits<std::int64_t>::max();
    const auto parsed = Parse(text, maxPositive + 1, std::numeric_limits<std::uint64_t>::max());
    if (!parsed)
        return std::nullopt;
    if (!parsed->hexadecimal && !parsed->negative && parsed->magnitude > maxPositive)
        return std::nullopt;
    const std::uint64_t pattern = parsed->negative ? 0 - parsed->magnitude : parsed->magnitude;
    return static_cast<std::int64_t>(pattern);
}

std::optional<std::int32_t> ParseInteger32(std::string_view text) {
    constexpr std::uint64_t maxPositive = std::numeric_limits<std::int32_t>::max();
    const auto parsed = Parse(text, maxPositive + 1, std::numeric_limits<std::uint32_t>::max());
    if (!parsed)
        return std::nullopt;
    if (!parsed->hexadecimal && !parsed->negative && parsed->magnitude > maxPositive)
        return std::nullopt;
    const auto magnitude = static_cast<std::uint32_t>(parsed->magnitude);
    const std::uint32_t pattern = parsed->negative ? 0u - magnitude : magnitude;
    return static_cast<std::int32_t>(pattern);
}
