#pragma once
// Whole-number text forms shared by the color texts and the settings file: optional leading blanks
// (spaces), an optional "+" or "-", then either decimal digits or hexadecimal digits (either case)
// after one of the prefixes "$", "x", "X", "0x", "0X". Nothing may follow the digits. A sign before a
// hexadecimal number negates the bit pattern.

#include <cstdint>
#include <optional>
#include <string_view>

// Decimal values must fit in a signed 64-bit integer; hexadecimal values in 64 bits, taken as the
// 64-bit pattern. Any other text, the empty text included, gives no value.
std::optional<std::int64_t> ParseInteger64(std::string_view text);

// Decimal values must lie in [-2147483648, 2147483647]; hexadecimal values up to FFFFFFFF are taken
// as the 32-bit pattern, so $FFFFFFFF is -1. Any other text gives no value.
std::optional<std::int32_t> ParseInteger32(std::string_view text);
