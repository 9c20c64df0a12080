#include "window/format_settings.h"

#include <gtest/gtest.h>

TEST(FormatSettings, UnitedStatesEnglish) {
    const TFormatSettings format = FormatSettingsFrom(QLocale(QLocale::English, QLocale::UnitedStates));
    const TDateTime day = DateSerial(2023, 9, 22);
    EXPECT_EQ(FormatShortDate(format, day), QStringLiteral("9/22/2023"));
    EXPECT_EQ(MonthTitle(format, day, 2023), QStringLiteral("September"));
    EXPECT_EQ(MonthTitle(format, day, 2024), QStringLiteral("Sep 2023"));
    EXPECT_EQ(MonthTitle(format, DateSerial(2025, 9, 1), 2023), QStringLiteral("Sep 2025"));
    const char* const days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    for (std::size_t i = 0; i < 7; ++i)
        EXPECT_EQ(format.ShortDayNames[i], QString::fromLatin1(days[i]));
}

TEST(FormatSettings, GermanUsesItsOwnNamesAndSeparator) {
    const TFormatSettings format = FormatSettingsFrom(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(FormatShortDate(format, DateSerial(2023, 9, 22)), QStringLiteral("22.09.2023"));
    EXPECT_EQ(MonthTitle(format, DateSerial(2023, 3, 1), 2023), QStringLiteral("März"));
    EXPECT_EQ(format.ShortDayNames[0], QStringLiteral("So."));
}
