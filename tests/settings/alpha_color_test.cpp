#include "settings/alpha_color.h"

#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>
#include <optional>
#include <sstream>
#include <vector>

namespace {

// The names in table order, as the program's color picker lists them.
constexpr std::string_view TableOrder =
    "Aliceblue Antiquewhite Aqua Aquamarine Azure Beige Bisque Black Blanchedalmond Blue Blueviolet Brown "
    "Burlywood Cadetblue Chartreuse Chocolate Coral Cornflowerblue Cornsilk Crimson Cyan Darkblue Darkcyan "
    "Darkgoldenrod Darkgray Darkgreen Darkgrey Darkkhaki Darkmagenta Darkolivegreen Darkorange Darkorchid "
    "Darkred Darksalmon Darkseagreen Darkslateblue Darkslategray Darkslategrey Darkturquoise Darkviolet "
    "Deeppink Deepskyblue Dimgray Dimgrey Dodgerblue Firebrick Floralwhite Forestgreen Fuchsia Gainsboro "
    "Ghostwhite Gold Goldenrod Gray Green Greenyellow Grey Honeydew Hotpink Indianred Indigo Ivory Khaki "
    "Lavender Lavenderblush Lawngreen Lemonchiffon Lightblue Lightcoral Lightcyan Lightgoldenrodyellow "
    "Lightgray Lightgreen Lightgrey Lightpink Lightsalmon Lightseagreen Lightskyblue Lightslategray "
    "Lightslategrey Lightsteelblue Lightyellow Lime Limegreen Linen Magenta Maroon Mediumaquamarine "
    "Mediumblue Mediumorchid Mediumpurple Mediumseagreen Mediumslateblue Mediumspringgreen Mediumturquoise "
    "Mediumvioletred Midnightblue Mintcream Mistyrose Moccasin Navajowhite Navy Oldlace Olive Olivedrab "
    "Orange Orangered Orchid Palegoldenrod Palegreen Paleturquoise Palevioletred Papayawhip Peachpuff Peru "
    "Pink Plum Powderblue Purple Red Rosybrown Royalblue Saddlebrown Salmon Sandybrown Seagreen Seashell "
    "Sienna Silver Skyblue Slateblue Slategray Slategrey Snow Springgreen Steelblue Tan Teal Thistle Tomato "
    "Turquoise Violet Wheat White Whitesmoke Yellow Yellowgreen Null";

TEST(NamedColors, HoldsTheNamesInTableOrderWithThePrefix) {
    std::istringstream words{std::string(TableOrder)};
    std::vector<std::string> expected;
    for (std::string word; words >> word;)
        expected.push_back("cla" + word);
    ASSERT_EQ(expected.size(), NamedColorCount);
    for (std::size_t i = 0; i < NamedColors.size(); ++i)
        EXPECT_EQ(NamedColors[i].Name, expected[i]) << "entry " << i;
}

TEST(NamedColors, NullIsLastAndTheOnlyTransparentEntry) {
    EXPECT_EQ(NamedColors.back().Value, claNull);
    for (std::size_t i = 0; i + 1 < NamedColors.size(); ++i)
        EXPECT_EQ(NamedColors[i].Value >> 24, 0xFFu) << NamedColors[i].Name;
}

TEST(NamedColors, ConstantsMatchTheirEntries) {
    const std::pair<TAlphaColor, std::string_view> constants[] = {
        {claBlack, "claBlack"},     {claBlue, "claBlue"},           {claDarkgray, "claDarkgray"},
        {claDimgray, "claDimgray"}, {claGoldenrod, "claGoldenrod"}, {claNavy, "claNavy"},
        {claSilver, "claSilver"},   {claSlategray, "claSlategray"}, {claWhite, "claWhite"},
        {claNull, "claNull"},
    };
    for (const auto& [value, name] : constants) {
        const auto entry = std::find_if(NamedColors.begin(), NamedColors.end(),
                                        [&](const NamedColor& color) { return color.Name == name; });
        ASSERT_NE(entry, NamedColors.end()) << name;
        EXPECT_EQ(entry->Value, value) << name;
    }
}

struct ColorTextCase {
    const char* Name;
    friend void PrintTo(const ColorTextCase& row, std::ostream* out) { *out << row.Name; }
    std::string_view Text;
    TAlphaColor Value;
    std::string_view WrittenBack;
};

class ColorFromTextTest : public testing::TestWithParam<ColorTextCase> {};

TEST_P(ColorFromTextTest, ReadsTheValueAndWritesTheFirstName) {
    const ColorTextCase& c = GetParam();
    EXPECT_EQ(ColorFromText(c.Text), c.Value);
    EXPECT_EQ(ColorToText(c.Value), c.WrittenBack);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ColorFromTextTest,
    testing::Values(
        ColorTextCase{"Blue", "Blue", 0xFF0000FF, "Blue"},
        ColorTextCase{"LowerCase", "blue", 0xFF0000FF, "Blue"},
        ColorTextCase{"UpperCase", "BLUE", 0xFF0000FF, "Blue"},
        ColorTextCase{"WithPrefix", "claBlue", 0xFF0000FF, "Blue"},
        ColorTextCase{"ShortPrefix", "clBlue", 0xFF0000FF, "Blue"},
        ColorTextCase{"ShortPrefixRed", "clRed", 0xFFFF0000, "Red"},
        ColorTextCase{"CamelDarkGray", "DarkGray", 0xFFA9A9A9, "Darkgray"},
        ColorTextCase{"CamelGoldenRod", "GoldenRod", 0xFFDAA520, "Goldenrod"},
        ColorTextCase{"CyanIsAqua", "Cyan", 0xFF00FFFF, "Aqua"},
        ColorTextCase{"MagentaIsFuchsia", "Magenta", 0xFFFF00FF, "Fuchsia"},
        ColorTextCase{"GreyIsGray", "Grey", 0xFF808080, "Gray"},
        ColorTextCase{"DarkgreyIsDarkgray", "darkgrey", 0xFFA9A9A9, "Darkgray"},
        ColorTextCase{"DarkslategreyIsDarkslategray", "Darkslategrey", 0xFF2F4F4F, "Darkslategray"},
        ColorTextCase{"DimgreyIsDimgray", "Dimgrey", 0xFF696969, "Dimgray"},
        ColorTextCase{"LightgreyIsLightgray", "Lightgrey", 0xFFD3D3D3, "Lightgray"},
        ColorTextCase{"LightslategreyIsLightslategray", "Lightslategrey", 0xFF778899, "Lightslategray"},
        ColorTextCase{"SlategreyIsSlategray", "Slategrey", 0xFF708090, "Slategray"},
        ColorTextCase{"Null", "Null", 0x00000000, "Null"},
        ColorTextCase{"HashEightDigits", "#FF0000FF", 0xFF0000FF, "Blue"},
        ColorTextCase{"HashUnnamed", "#FF123456", 0xFF123456, "#FF123456"},
        ColorTextCase{"HashLowerCaseDigits", "#ff123456", 0xFF123456, "#FF123456"},
        ColorTextCase{"HashSixDigitsIsTransparent", "#0000FF", 0x000000FF, "#000000FF"},
        ColorTextCase{"HashTransparentKeepsLeadingZeros", "#00123456", 0x00123456, "#00123456"},
        ColorTextCase{"Dollar", "$FF0000FF", 0xFF0000FF, "Blue"},
        ColorTextCase{"LowerX", "xFF0000FF", 0xFF0000FF, "Blue"},
        ColorTextCase{"UpperX", "XFF0000FF", 0xFF0000FF, "Blue"},
        ColorTextCase{"ZeroX", "0xFF0000FF", 0xFF0000FF, "Blue"},
        ColorTextCase{"ZeroUpperX", "0XFF0000FF", 0xFF0000FF, "Blue"},
        ColorTextCase{"Decimal", "4278190335", 0xFF0000FF, "Blue"},
        ColorTextCase{"DecimalLeadingBlanks", "  255", 0x000000FF, "#000000FF"},
        ColorTextCase{"NegativeDecimalKeepsLow32Bits", "-1", 0xFFFFFFFF, "White"},
        ColorTextCase{"SixtyFourBitHexKeepsLow32Bits", "$123456789ABCDEF0", 0x9ABCDEF0, "#9ABCDEF0"},
        ColorTextCase{"LargestDecimal", "9223372036854775807", 0xFFFFFFFF, "White"}),
    [](const testing::TestParamInfo<ColorTextCase>& info) { return std::string(info.param.Name); });

struct BadColorCase {
    const char* Name;
    friend void PrintTo(const BadColorCase& row, std::ostream* out) { *out << row.Name; }
    std::string_view Text;
    std::string_view Message;
};

class ColorFromTextErrorTest : public testing::TestWithParam<BadColorCase> {};

TEST_P(ColorFromTextErrorTest, RaisesTheConversionErrorWithTheWorkingText) {
    const BadColorCase& c = GetParam();
    try {
        ColorFromText(c.Text);
        FAIL() << "no error for '" << c.Text << "'";
    } catch (const ColorConversionError& error) {
        EXPECT_EQ(std::string(error.what()), c.Message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ColorFromTextErrorTest,
    testing::Values(BadColorCase{"Empty", "", "'' is not a valid integer value"},
                    BadColorCase{"LeadingBlank", " Blue", "' Blue' is not a valid integer value"},
                    BadColorCase{"TrailingBlank", "Blue ", "'Blue ' is not a valid integer value"},
                    BadColorCase{"InnerBlank", "Dark Gray", "'Dark Gray' is not a valid integer value"},
                    BadColorCase{"HashNotHex", "#GG0000", "'$GG0000' is not a valid integer value"},
                    BadColorCase{"HashAlone", "#", "'$' is not a valid integer value"},
                    BadColorCase{"LowerXWord", "xyz", "'$yz' is not a valid integer value"},
                    BadColorCase{"TrailingText", "255px", "'255px' is not a valid integer value"},
                    BadColorCase{"DecimalPast64Bits", "9223372036854775808",
                                 "'9223372036854775808' is not a valid integer value"},
                    BadColorCase{"HexPast64Bits", "$10000000000000000",
                                 "'$10000000000000000' is not a valid integer value"},
                    BadColorCase{"ShortUnknown", "cl", "'cl' is not a valid integer value"},
                    BadColorCase{"Word", "true", "'true' is not a valid integer value"}),
    [](const testing::TestParamInfo<BadColorCase>& info) { return std::string(info.param.Name); });

TEST(ColorToText, EveryNamedValueReadsBackToItself) {
    for (const NamedColor& entry : NamedColors) {
        const std::string text = ColorToText(entry.Value);
        EXPECT_EQ(ColorFromText(text), entry.Value) << text;
    }
}

TEST(ColorToText, UnnamedValuesRoundTripThroughTheHashForm) {
    for (const TAlphaColor value : {0xFF123456u, 0x80FF0000u, 0x00000001u, 0xFEFFFFFFu, 0x12345678u}) {
        const std::string text = ColorToText(value);
        ASSERT_EQ(text.size(), 9u);
        EXPECT_EQ(text.front(), '#');
        EXPECT_EQ(ColorFromText(text), value) << text;
    }
}

constexpr TAlphaColor WhiteTextValues[] = {
    0xFF000000, 0xFF000080, 0xFF006400, 0xFF008000, 0xFF191970, 0xFF696969, 0xFF800000,
    0xFF800080, 0xFF00008B, 0xFF0000CD, 0xFF0000FF, 0xFF228B22, 0xFF2F4F4F, 0xFF483D8B,
    0xFF4B0082, 0xFF556B2F, 0xFF8B0000, 0xFF8B008B, 0xFF8B4513, 0xFF9400D3, 0xFFA0522D,
    0xFFA52A2A, 0xFFB22222, 0xFFC71585, 0xFFDC143C, 0xFFFF0000,
};

TEST(ContrastColor, WhiteExactlyForTheFixedList) {
    for (const NamedColor& entry : NamedColors) {
        const bool listed = std::find(std::begin(WhiteTextValues), std::end(WhiteTextValues), entry.Value) !=
                            std::end(WhiteTextValues);
        EXPECT_EQ(ContrastColor(entry.Value), listed ? claWhite : claBlack) << entry.Name;
    }
}

TEST(ContrastColor, NotDerivedFromBrightnessOrIgnoringAlpha) {
    EXPECT_EQ(ContrastColor(0xFF696969), claWhite); // Dimgray
    EXPECT_EQ(ContrastColor(0xFFDC143C), claWhite); // Crimson
    EXPECT_EQ(ContrastColor(0xFF008080), claBlack); // Teal
    EXPECT_EQ(ContrastColor(0xFF008B8B), claBlack); // Darkcyan
    EXPECT_EQ(ContrastColor(0xFF808000), claBlack); // Olive
    EXPECT_EQ(ContrastColor(0xFF808080), claBlack); // Gray
    EXPECT_EQ(ContrastColor(0x80FF0000), claBlack); // Red at half alpha
    EXPECT_EQ(ContrastColor(0x00000000), claBlack); // Null
    EXPECT_EQ(ContrastColor(0xFF010101), claBlack); // near black, not listed
}

} // namespace
