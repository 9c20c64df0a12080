#include "window/about_text.h"

#include <gtest/gtest.h>

TEST(AboutText, SixLinesEachEndedByACarriageReturn) {
    EXPECT_EQ(AboutText(),
              "Varnok for Tolmere Fire v4.0.1\r\rCopyright \u00A9 2026 Orvane\rAll rights reserved.\r\r"
              "www.orvane.example\r");
}

TEST(AboutText, PlatformLineNamesThisBuild) {
    // The tests run on a Linux build; a Windows build names itself "Windows 32-bit version".
    EXPECT_EQ(PlatformText(), "Linux " + std::to_string(sizeof(void*) * 8) + "-bit version");
}

TEST(AboutText, ShellAddresses) {
    EXPECT_EQ(SupportRequestAddress(), "mailto:support@orvane.example?subject=Support%20Request%20(Tolmere)");
    EXPECT_EQ(WebPageAddress(), "http://www.orvane.example/tolmere/index.html");
}
