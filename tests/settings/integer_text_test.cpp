#include "settings/integer_text.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

struct Integer32Case {
    const char* Name;
    friend void PrintTo(const Integer32Case& row, std::ostream* out) { *out << row.Name; }
    std::string_view Text;
    std::optional<std::int32_t> Value;
};

class ParseInteger32Test : public testing::TestWithParam<Integer32Case> {};

TEST_P(ParseInteger32Test, ReadsTheWholeText) {
    EXPECT_EQ(ParseInteger32(GetParam().Text), GetParam().Value);
}

INSTANTIATE_TEST_SUITE_P(
    Syntax, ParseInteger32Test,
    testing::Values(
        Integer32Case{"Decimal", "500", 500}, Integer32Case{"ZeroX", "0x1F4", 500},
        Integer32Case{"ZeroUpperX", "0X1f4", 500}, Integer32Case{"Dollar", "$1F4", 500},
        Integer32Case{"LowerX", "x1F4", 500}, Integer32Case{"UpperX", "X1F4", 500},
        Integer32Case{"LeadingBlanks", "   42", 42}, Integer32Case{"Plus", "+42", 42},
        Integer32Case{"Minus", "-42", -42}, Integer32Case{"LeadingZeros", "000000000007", 7},
        Integer32Case{"NegativeHex", "-$10", -16}, Integer32Case{"Max", "2147483647", 2147483647},
        Integer32Case{"Min", "-2147483648", INT32_MIN}, Integer32Case{"PastMax", "2147483648", std::nullopt},
        Integer32Case{"PastMin", "-2147483649", std::nullopt},
        Integer32Case{"HexAllOnesIsMinusOne", "$FFFFFFFF", -1},
        Integer32Case{"HexSignBit", "$80000000", INT32_MIN},
        Integer32Case{"HexPast32Bits", "$100000000", std::nullopt},
        Integer32Case{"HexLeadingZeros", "$000000000001", 1}, Integer32Case{"Empty", "", std::nullopt},
        Integer32Case{"BlanksOnly", "   ", std::nullopt}, Integer32Case{"SignOnly", "-", std::nullopt},
        Integer32Case{"PrefixOnly", "$", std::nullopt}, Integer32Case{"ZeroXOnly", "0x", std::nullopt},
        Integer32Case{"Zero", "0", 0}, Integer32Case{"Unit", "500px", std::nullopt},
        Integer32Case{"TrailingBlank", "500 ", std::nullopt},
        Integer32Case{"BlankAfterSign", "- 5", std::nullopt}, Integer32Case{"TwoSigns", "+-5", std::nullopt},
        Integer32Case{"HexDigitInDecimal", "1F4", std::nullopt}, Integer32Case{"Word", "true", std::nullopt},
        Integer32Case{"Tab", "\t5", std::nullopt}, Integer32Case{"DecimalPoint", "5.0", std::nullopt}),
    [](const testing::TestParamInfo<Integer32Case>& info) { return std::string(info.param.Name); });

TEST(ParseInteger64, EdgesOfTheSixtyFourBitRange) {
    EXPECT_EQ(ParseInteger64("9223372036854775807"), INT64_MAX);
    EXPECT_EQ(ParseInteger64("-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(ParseInteger64("9223372036854775808"), std::nullopt);
    EXPECT_EQ(ParseInteger64("-9223372036854775809"), std::nullopt);
    EXPECT_EQ(ParseInteger64("$FFFFFFFFFFFFFFFF"), -1);
    EXPECT_EQ(ParseInteger64("$10000000000000000"), std::nullopt);
    EXPECT_EQ(ParseInteger64("4294967295"), 4294967295);
    EXPECT_EQ(ParseInteger64(" -0x10"), -16);
    EXPECT_EQ(ParseInteger64("12 "), std::nullopt);
}

} // namespace
