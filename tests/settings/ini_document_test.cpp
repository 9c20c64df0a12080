#include "settings/ini_document.h"

#include <gtest/gtest.h>
#include <optional>
#include <stdexcept>

namespace {

struct ReadCase {
    const char* Name;
    friend void PrintTo(const ReadCase& row, std::ostream* out) { *out << row.Name; }
    std::string_view File;
    std::string_view Section;
    std::string_view Key;
    std::optional<std::string> Value;
};

class IniDocumentReadTest : public testing::TestWithParam<ReadCase> {};

TEST_P(IniDocumentReadTest, FindsTheValue) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(IniDocument::Parse(c.File).Find(c.Section, c.Key), c.Value);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, IniDocumentReadTest,
    testing::Values(
        ReadCase{"Plain", "[Config]\nWidth=500\n", "Config", "Width", "500"},
        ReadCase{"SectionAndKeyIgnoreCase", "[CONFIG]\nwidth=500\n", "config", "WIDTH", "500"},
        ReadCase{"MissingSection", "[Other]\nWidth=500\n", "Config", "Width", std::nullopt},
        ReadCase{"MissingKey", "[Config]\nHeight=500\n", "Config", "Width", std::nullopt},
        ReadCase{"EmptyValueIsEmpty", "[Config]\nAgency=\n", "Config", "Agency", ""},
        ReadCase{"BlanksAroundKeyAndValue", "[Config]\n  Agency \t=  A B  \n", "Config", "Agency", "A B"},
        ReadCase{"SplitAtFirstEquals", "[Config]\nAgency=a=b\n", "Config", "Agency", "a=b"},
        ReadCase{"DoubleQuotesDropped", "[Config]\nAgency=\" A \"\n", "Config", "Agency", " A "},
        ReadCase{"SingleQuotesDropped", "[Config]\nAgency='A'\n", "Config", "Agency", "A"},
        ReadCase{"UnmatchedQuotesKept", "[Config]\nAgency=\"A'\n", "Config", "Agency", "\"A'"},
        ReadCase{"LoneQuoteKept", "[Config]\nAgency=\"\n", "Config", "Agency", "\""},
        ReadCase{"OnlyOnePairDropped", "[Config]\nAgency=\"\"A\"\"\n", "Config", "Agency", "\"A\""},
        ReadCase{"HeaderRunsToLastBracket", "[ Con]fig ] tail\nKey=1\n", "Con]fig", "Key", "1"},
        ReadCase{"HeaderWithoutBracketIsNoHeader", "[Config\nKey=1\n", "Config", "Key", std::nullopt},
        ReadCase{"IndentedHeader", "  [Config]\nKey=1\n", "Config", "Key", "1"},
        ReadCase{"SemicolonIsPartOfTheKey", "[Config]\n;Key=1\n", "Config", ";Key", "1"},
        ReadCase{"SemicolonDoesNotHideTheKey", "[Config]\n;Key=1\nKey=2\n", "Config", "Key", "2"},
        ReadCase{"FirstKeyWins", "[Config]\nKey=1\nKEY=2\n", "Config", "Key", "1"},
        ReadCase{"FirstSectionWins", "[Config]\nOther=1\n[config]\nKey=2\n", "Config", "Key", std::nullopt},
        ReadCase{"KeysBeforeAnySectionIgnored", "Key=1\n[Config]\n", "Config", "Key", std::nullopt},
        ReadCase{"KeyInOtherSectionIgnored", "[Config]\n[Colors]\nKey=1\n", "Config", "Key", std::nullopt},
        ReadCase{"ByteOrderMarkSkipped", "\xEF\xBB\xBF[Config]\nKey=1\n", "Config", "Key", "1"},
        ReadCase{"CrLf", "[Config]\r\nKey=1\r\n", "Config", "Key", "1"},
        ReadCase{"Cr", "[Config]\rKey=1\rOther=2", "Config", "Other", "2"},
        ReadCase{"NoFinalLineEnd", "[Config]\nKey=1", "Config", "Key", "1"},
        ReadCase{"Utf8Value", "[Config]\nAgency=Пожарная часть 消防局\n", "Config", "Agency",
                 "Пожарная часть 消防局"}),
    [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.Name); });

struct WriteCase {
    const char* Name;
    friend void PrintTo(const WriteCase& row, std::ostream* out) { *out << row.Name; }
    std::string_view Before;
    std::string_view Section;
    std::string_view Key;
    std::string_view Value;
    std::string_view After;
};

class IniDocumentWriteTest : public testing::TestWithParam<WriteCase> {};

TEST_P(IniDocumentWriteTest, ChangesOnlyWhatItMust) {
    const WriteCase& c = GetParam();
    IniDocument document = IniDocument::Parse(c.Before);
    document.Set(c.Section, c.Key, c.Value);
    EXPECT_EQ(document.Serialize(), c.After);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, IniDocumentWriteTest,
    testing::Values(
        WriteCase{"NewFile", "", "Config", "Width", "360", "[Config]\nWidth=360\n"},
        WriteCase{"RewriteKeepsKeySpellingAndLayout", "[config]\n  WIDTH = 1 \n", "Config", "Width", "360",
                  "[config]\n  WIDTH = 360\n"},
        WriteCase{"RewriteWithLeadingBlanksReplacesTheOldOnes", "[Config]\nA = 1\n", "Config", "A", "  x",
                  "[Config]\nA =  x\n"},
        WriteCase{"RewriteFirstOfTwoKeys", "[Config]\nWidth=1\nWidth=2\n", "Config", "Width", "3",
                  "[Config]\nWidth=3\nWidth=2\n"},
        WriteCase{"RewriteInFirstOfTwoSections", "[Config]\nA=1\n[Config]\nWidth=2\n", "Config", "Width", "3",
                  "[Config]\nA=1\nWidth=3\n[Config]\nWidth=2\n"},
        WriteCase{"NewKeyAfterLastKeyLine", "[Config]\nA=1\n\nnote\n[Colors]\nB=2\n", "Config", "Width", "3",
                  "[Config]\nA=1\nWidth=3\n\nnote\n[Colors]\nB=2\n"},
        WriteCase{"NewKeyRightAfterBareHeader", "[Config]\n\nnote\n", "Config", "Width", "3",
                  "[Config]\nWidth=3\n\nnote\n"},
        WriteCase{"NewSectionAtEndWithoutBlankLine", "; hand note\n[Config]\nA=1\n", "Colors", "BkGr",
                  "White", "; hand note\n[Config]\nA=1\n[Colors]\nBkGr=White\n"},
        WriteCase{"UnterminatedLastLineGetsALineEnd", "[Config]\nA=1", "Config", "B", "2",
                  "[Config]\nA=1\nB=2\n"},
        WriteCase{"UnterminatedLastLineBeforeNewSection", "[Config]\nA=1", "Colors", "B", "2",
                  "[Config]\nA=1\n[Colors]\nB=2\n"},
        WriteCase{"CrLfStyleKept", "[Config]\r\nA=1\r\n", "Config", "B", "2", "[Config]\r\nA=1\r\nB=2\r\n"},
        WriteCase{"CrStyleKept", "[Config]\rA=1\r", "Colors", "B", "2", "[Config]\rA=1\r[Colors]\rB=2\r"},
        WriteCase{"MixedLineEndsNeverJoin", "[Config]\rA=1\r\n\nB", "Config", "C", "2",
                  "[Config]\rA=1\r\nC=2\r\n\nB"},
        WriteCase{"MixedLineEndsCrBeforeEmptyLine", "[Config]\r\nA=1\r\r\n", "Config", "C", "2",
                  "[Config]\r\nA=1\rC=2\r\r\n"},
        WriteCase{"ByteOrderMarkKept", "\xEF\xBB\xBF[Config]\nA=1\n", "Config", "A", "2",
                  "\xEF\xBB\xBF[Config]\nA=2\n"},
        WriteCase{"LineBreaksInValueBecomeBlanks", "[Config]\nA=1\n", "Config", "Agency",
                  "Line 1\r\n[Evil]\nX=1", "[Config]\nA=1\nAgency=Line 1  [Evil] X=1\n"},
        WriteCase{"UnknownLinesKeptByteForByte", "garbage \t\n[Config]\n;c=1\n  odd line\nA=1\n", "Config",
                  "A", "2", "garbage \t\n[Config]\n;c=1\n  odd line\nA=2\n"},
        WriteCase{"EmptyValue", "[Config]\nA=1\n", "Config", "A", "", "[Config]\nA=\n"}),
    [](const testing::TestParamInfo<WriteCase>& info) { return std::string(info.param.Name); });

TEST(IniDocument, UntouchedDocumentSerializesToTheSameBytes) {
    for (const std::string_view bytes : {std::string_view(""), std::string_view("\xEF\xBB\xBF"),
                                         std::string_view("\n\n\r\r\n"), std::string_view("[a]\r\nb=c\nd\re"),
                                         std::string_view("x=\"y\"  \t"), std::string_view("\0[\0]\0", 6)})
        EXPECT_EQ(IniDocument::Parse(bytes).Serialize(), bytes);
}

TEST(IniDocument, AWrittenValueReadsBackAsTheReadRulesGiveIt) {
    IniDocument document = IniDocument::Parse("[Config]\nAgency=old\n");
    document.Set("Config", "Agency", "  'quoted'  ");
    EXPECT_EQ(document.Find("Config", "Agency"), "quoted");
    document.Set("Config", "Agency", "\nEngine 7\r");
    EXPECT_EQ(document.Find("Config", "Agency"), "Engine 7");
}

TEST(IniDocument, RepeatingAWriteChangesNothing) {
    for (const std::string_view value : {"x", "  x  ", "\nx", "", " "}) {
        IniDocument document = IniDocument::Parse("[Config]\nA = 1\n");
        document.Set("Config", "A", value);
        const std::string once = document.Serialize();
        document.Set("Config", "A", value);
        EXPECT_EQ(document.Serialize(), once) << "value '" << value << "'";
    }
}

TEST(IniDocument, RejectsNamesThatCouldNotBeReadBack) {
    IniDocument document;
    EXPECT_THROW(document.Set("Con\nfig", "Key", "v"), std::invalid_argument);
    EXPECT_THROW(document.Set(" Config", "Key", "v"), std::invalid_argument);
    EXPECT_THROW(document.Set("Config", "a=b", "v"), std::invalid_argument);
    EXPECT_THROW(document.Set("Config", "[Key]", "v"), std::invalid_argument);
    EXPECT_THROW(document.Set("Config", "Key\t", "v"), std::invalid_argument);
    EXPECT_EQ(document.Serialize(), "");
}

} // namespace
