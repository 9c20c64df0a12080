// The day menu's two dialogs, driven by keys without running them modally: what each takes, what it
// refuses, and what it gives back.

#include "window/day_dialogs.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

bool OkEnabled(const QDialogButtonBox* buttons) {
    return buttons->button(QDialogButtonBox::Ok)->isEnabled();
}

TEST(NoteDialog, TakesUpTo200CharactersAndEnterAcceptsWhileShiftEnterBreaksTheLine) {
    TNoteDialog dialog(nullptr, QStringLiteral("Friday, September 22, 2023"), QStringLiteral("court"));
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.Note(), QStringLiteral("court"));
    QTest::keyClick(dialog.Editor(), Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(dialog.Editor(), QStringLiteral("room 3"));
    EXPECT_EQ(dialog.Note(), QStringLiteral("court\nroom 3"));
    EXPECT_TRUE(OkEnabled(dialog.Buttons()));
    EXPECT_TRUE(dialog.Count()->text().startsWith(QStringLiteral("12 of 200 characters")));

    // 200 characters, counted as a person counts them (one for an emoji, not two UTF-16 units).
    dialog.Editor()->setPlainText(QString(198, QLatin1Char('x')) + QStringLiteral("🚒🚒"));
    EXPECT_TRUE(OkEnabled(dialog.Buttons()));
    dialog.Editor()->setPlainText(QString(201, QLatin1Char('x')));
    EXPECT_FALSE(OkEnabled(dialog.Buttons()));
    EXPECT_EQ(dialog.Count()->text(), QStringLiteral("The note has 201 characters, more than 200"));
    // Enter does not take a note that is too long.
    QSignalSpy accepted(&dialog, &QDialog::accepted);
    QTest::keyClick(dialog.Editor(), Qt::Key_Return);
    EXPECT_EQ(accepted.size(), 0);
    EXPECT_TRUE(dialog.isVisible());

    dialog.Editor()->setPlainText(QStringLiteral("a\x01") + QStringLiteral("b"));
    EXPECT_FALSE(OkEnabled(dialog.Buttons()));
    dialog.Editor()->setPlainText(QStringLiteral("swap with Dana"));
    QTest::keyClick(dialog.Editor(), Qt::Key_Enter);
    EXPECT_EQ(accepted.size(), 1);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Note(), QStringLiteral("swap with Dana"));
}

TEST(HoursDialog, TakesHoursAbove0AndBelow48OrNone) {
    THoursDialog dialog(nullptr, QStringLiteral("Monday, September 25, 2023"), 12.0);
    EXPECT_EQ(dialog.Editor()->text(), QStringLiteral("12"));
    EXPECT_EQ(dialog.Hours(), std::optional<std::optional<double>>(12.0));
    const struct {
        const char* text;
        std::optional<std::optional<double>> hours; // nothing: not taken
    } rows[] = {
        {"7.5", std::optional<double>(7.5)},
        {"7,5", std::optional<double>(7.5)},
        {" 24 ", std::optional<double>(24.0)},
        {"47.9", std::optional<double>(47.9)},
        {"", std::optional<std::optional<double>>(std::in_place, std::nullopt)},
        {"48", std::nullopt},
        {"0", std::nullopt},
        {"-3", std::nullopt},
        {"12h", std::nullopt},
    };
    for (const auto& row : rows) {
        dialog.Editor()->setText(QLatin1String(row.text));
        EXPECT_EQ(dialog.Hours(), row.hours) << row.text;
        EXPECT_EQ(OkEnabled(dialog.Buttons()), row.hours.has_value()) << row.text;
    }
    THoursDialog none(nullptr, QStringLiteral("Monday, September 25, 2023"), std::nullopt);
    EXPECT_EQ(none.Editor()->text(), QString());
    EXPECT_EQ(none.Editor()->placeholderText(), QStringLiteral("none"));
}

} // namespace
