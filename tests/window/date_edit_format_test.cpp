#include "window/date_edit_format.h"

#include <gtest/gtest.h>

struct DateEditFormatCase {
    const char* name;
    QLocale locale;
    const char* expected;
};

void PrintTo(const DateEditFormatCase& row, std::ostream* out) {
    *out << row.name;
}

class DateEditFormatTest : public testing::TestWithParam<DateEditFormatCase> {};

TEST_P(DateEditFormatTest, MonthDayYearWithTheLocaleSeparator) {
    EXPECT_EQ(DateEditDisplayFormat(GetParam().locale), QLatin1String(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Locales, DateEditFormatTest,
    testing::Values(DateEditFormatCase{"UnitedStates", QLocale(QLocale::English, QLocale::UnitedStates),
                                       "MM/dd/yy"},
                    DateEditFormatCase{"Germany", QLocale(QLocale::German, QLocale::Germany), "MM.dd.yy"},
                    DateEditFormatCase{"Sweden", QLocale(QLocale::Swedish, QLocale::Sweden), "MM-dd-yy"},
                    DateEditFormatCase{"CLocaleBlanks", QLocale::c(), "MM/dd/yy"}),
    [](const testing::TestParamInfo<DateEditFormatCase>& info) { return std::string(info.param.name); });
