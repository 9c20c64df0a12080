// The tab strip's captions: drawn whole at every width, never elided, with the mnemonic letter
// underlined. Ink is found by comparing the strip with one whose captions are empty, so both sides
// go through the same drawing code.

#include "window/controls/tab_control.h"

#include <QFontMetricsF>
#include <QImage>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A shown tab control of `width` with the four captions.
std::unique_ptr<TTabControl> Strip(int width, const QStringList& captions) {
    auto control = std::make_unique<TTabControl>();
    for (const QString& caption : captions)
        control->AddPage(new QWidget, caption);
    control->resize(width, 120);
    control->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(control.get()));
    return control;
}

QImage Picture(const TTabControl& control) {
    return control.TabBar()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The bounding box of the pixels where `a` and `b` differ within `area`.
QRect DifferenceIn(const QImage& a, const QImage& b, const QRect& area) {
    QRect box;
    const QRect inside = area & a.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y))
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

const QStringList Captions{"&Calendar", "&Settings", "&Help", "&About"};
const QStringList Plain{"Calendar", "Settings", "Help", "About"};
const QStringList Empty{"", "", "", ""};

} // namespace

class TabCaptionTest : public testing::TestWithParam<int> {};

TEST_P(TabCaptionTest, EachCaptionIsDrawnWholeInsideItsTabWithItsLetterUnderlined) {
    const int width = GetParam();
    const auto captioned = Strip(width, Captions);
    const auto plain = Strip(width, Plain);
    const auto empty = Strip(width, Empty);
    ASSERT_EQ(captioned->TabBar()->size(), empty->TabBar()->size());
    const QImage withCaptions = Picture(*captioned);
    const QImage withPlain = Picture(*plain);
    const QImage without = Picture(*empty);
    const QFontMetricsF metrics(captioned->CaptionFont());
    const qreal devicePixelRatio = withCaptions.devicePixelRatio();
    ASSERT_EQ(devicePixelRatio, 1.0) << "the pixel checks read the strip at scale 1";

    for (int index = 0; index < 4; ++index) {
        SCOPED_TRACE(Plain[index].toStdString());
        const QRect tab = captioned->TabBar()->tabRect(index);
        const QRect caption = captioned->CaptionRect(index);
        const qreal textWidth = metrics.size(Qt::TextShowMnemonic, Captions[index]).width();
        EXPECT_TRUE(tab.contains(caption));
        EXPECT_LE(textWidth, caption.width());

        // Within its tab the caption's ink is as wide as the whole text: an elided, clipped or
        // overflowing caption leaves less of it there, a neighbour reaching in more.
        const QRect ink = DifferenceIn(withCaptions, without, tab);
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_NEAR(ink.width(), textWidth, 3);

        // The ampersand is not drawn: it only adds the underline beneath the first letter.
        const QRect underline = DifferenceIn(withCaptions, withPlain, tab);
        ASSERT_FALSE(underline.isEmpty()) << "no mnemonic underline";
        const qreal firstLetter = metrics.horizontalAdvance(Plain[index].left(1));
        EXPECT_LE(underline.left(), ink.left() + 1);
        EXPECT_LE(underline.right(), ink.left() + firstLetter + 1);
        EXPECT_GE(underline.top(), ink.top() + ink.height() / 2);
    }
}

INSTANTIATE_TEST_SUITE_P(Widths, TabCaptionTest, testing::Values(180, 330, 480),
                         [](const testing::TestParamInfo<int>& info) {
                             return "Width" + std::to_string(info.param);
                         });

TEST(TabControl, CaptionsKeepTheStripFontWhereTheyFitAndShrinkOnlyWhereNot) {
    const auto wide = Strip(480, Captions);
    EXPECT_EQ(wide->CaptionFont(), wide->TabBar()->font());
    const auto narrow = Strip(180, Captions);
    const QFont small = narrow->CaptionFont();
    EXPECT_LT(QFontInfo(small).pixelSize(), QFontInfo(narrow->TabBar()->font()).pixelSize());
    // Shrunk to the widest caption, not further: a fifth larger would no longer fit.
    QFont larger = small;
    if (small.pointSizeF() > 0)
        larger.setPointSizeF(small.pointSizeF() * 1.2);
    else
        larger.setPixelSize(small.pixelSize() * 6 / 5);
    const qreal widest =
        QFontMetricsF(larger).size(Qt::TextShowMnemonic, QStringLiteral("&Settings")).width();
    EXPECT_GT(widest, narrow->CaptionRect(1).width());
}
