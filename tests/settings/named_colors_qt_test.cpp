#include "settings/alpha_color.h"

#include <QColor>
#include <QStringList>
#include <gtest/gtest.h>
#include <set>

namespace {

QString KeywordOf(const NamedColor& entry) {
    return QString::fromUtf8(entry.Name.substr(NamedColorPrefix.size())).toLower();
}

TEST(NamedColorsAgainstQt, EveryKeywordHasQtsValueOpaque) {
    for (std::size_t i = 0; i + 1 < NamedColors.size(); ++i) {
        const QString keyword = KeywordOf(NamedColors[i]);
        const QColor qtColor = QColor::fromString(keyword);
        ASSERT_TRUE(qtColor.isValid()) << keyword.toStdString();
        EXPECT_EQ(NamedColors[i].Value, static_cast<TAlphaColor>(qtColor.rgba())) << keyword.toStdString();
        EXPECT_EQ(NamedColors[i].Value >> 24, 0xFFu) << keyword.toStdString();
    }
}

// Qt lists the SVG keywords plus "transparent"; ours are the same 147 keywords plus "Null".
TEST(NamedColorsAgainstQt, KeywordSetIsQtsWithoutTransparent) {
    std::set<QString> qtKeywords;
    for (const QString& name : QColor::colorNames())
        qtKeywords.insert(name.toLower());
    qtKeywords.erase(QStringLiteral("transparent"));

    std::set<QString> ours;
    for (std::size_t i = 0; i + 1 < NamedColors.size(); ++i)
        ours.insert(KeywordOf(NamedColors[i]));
    EXPECT_EQ(ours.size(), 147u);
    EXPECT_EQ(ours, qtKeywords);
}

} // namespace
