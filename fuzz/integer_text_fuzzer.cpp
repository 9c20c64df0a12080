// The whole-number syntax against a reference built on std::from_chars: both must agree on every text,
// and a value read must read back from its decimal form.

#include "settings/integer_text.h"

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace {

struct Reference {
    bool negative = false;
    bool hexadecimal = false;
    std::uint64_t magnitude = 0;
};

std::optional<Reference> ReferenceParse(std::string_view text) {
    text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
    Reference result;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        result.negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.starts_with("0x") || text.starts_with("0X")) {
        result.hexadecimal = true;
        text.remove_prefix(2);
    } else if (!text.empty() && (text.front() == '$' || text.front() == 'x' || text.front() == 'X')) {
        result.hexadecimal = true;
        text.remove_prefix(1);
    }
    // from_chars would take a sign of its own; the syntax allows only one.
    if (text.empty() || text.front() == '-' || text.front() == '+')
        return std::nullopt;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), result.magnitude,
                                              result.hexadecimal ? 16 : 10);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return result;
}

std::optional<std::int64_t> Reference64(std::string_view text) {
    const auto parsed = ReferenceParse(text);
    if (!parsed)
        return std::nullopt;
    constexpr std::uint64_t maxPositive = std::numeric_limits<std::int64_t>::max();
    if (!parsed->hexadecimal && parsed->magnitude > maxPositive + (parsed->negative ? 1 : 0))
        return std::nullopt;
    return static_cast<std::int64_t>(parsed->negative ? 0 - parsed->magnitude : parsed->magnitude);
}

std::optional<std::int32_t> Reference32(std::string_view text) {
    const auto parsed = ReferenceParse(text);
    if (!parsed)
        return std::nullopt;
    constexpr std::uint64_t maxPositive = std::numeric_limits<std::int32_t>::max();
    const std::uint64_t limit = parsed->hexadecimal ? std::numeric_limits<std::uint32_t>::max()
                                                    : maxPositive + (parsed->negative ? 1 : 0);
    if (parsed->magnitude > limit)
        return std::nullopt;
    const auto magnitude = static_cast<std::uint32_t>(parsed->magnitude);
    return static_cast<std::int32_t>(parsed->negative ? 0u - magnitude : magnitude);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto value32 = ParseInteger32(text);
    const auto value64 = ParseInteger64(text);
    if (value32 != Reference32(text) || value64 != Reference64(text))
        std::abort();
    if (value32 && ParseInteger32(std::to_string(*value32)) != value32)
        std::abort();
    if (value64 && ParseInteger64(std::to_string(*value64)) != value64)
        std::abort();
    return 0;
}
