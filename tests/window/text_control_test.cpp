#include "window/controls/text_control.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

TEST(TextControl, CarriageReturnStartsANewLine) {
    TLabel label;
    label.SetText(QStringLiteral("9/22/2023\rGroup 3"));
    EXPECT_EQ(label.Text(), QStringLiteral("9/22/2023\rGroup 3"));
    EXPECT_EQ(label.DisplayText(), QStringLiteral("9/22/2023\nGroup 3"));
    label.SetText(QStringLiteral("a\r\nb"));
    EXPECT_EQ(label.DisplayText(), QStringLiteral("a\nb"));
}

TEST(TextControl, FontSizeIsLogicalPixelsWithItsFraction) {
    TTextElement text;
    text.SetFontSize(28.8);
    text.SetFontStyle(TFontStyle::Bold | TFontStyle::Underline);
    const QFont font = text.EffectiveFont();
    EXPECT_NEAR(font.pointSizeF() * text.logicalDpiY() / 72.0, 28.8, 1e-9);
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.underline());
    EXPECT_FALSE(font.italic());
    // The style is set as a whole: plain clears both.
    text.SetFontStyle({});
    EXPECT_FALSE(text.EffectiveFont().bold());
    EXPECT_FALSE(text.EffectiveFont().underline());
}

TEST(TextControl, SettersSignalOnlyRealChanges) {
    TTextElement text;
    QSignalSpy looks(&text, &TTextControl::lookChanged);
    text.SetTextColor(0xFF0000FF);
    text.SetTextColor(0xFF0000FF);
    text.SetWordWrap(false);
    text.SetWordWrap(false);
    EXPECT_EQ(looks.count(), 2);
}

TEST(TextControl, ATextElementShowsOnlyWhileItHasText) {
    QWidget parent;
    auto* element = new TTextElement(&parent);
    auto* label = new TLabel(&parent);
    parent.show();
    EXPECT_FALSE(element->isVisible());
    EXPECT_TRUE(label->isVisible());
    element->SetText(QStringLiteral("12"));
    EXPECT_TRUE(element->isVisible());
    element->SetText(QString());
    EXPECT_FALSE(element->isVisible());
    label->SetText(QString());
    EXPECT_TRUE(label->isVisible());
}
