// The pictures of the Help and About pages in the running window: where they are drawn, in what
// proportions and how opaque. Each picture is rendered alone onto a transparent image and its visible
// pixels are compared with its file's, mapped by a fit worked out here.

#include "window/controls/dock_layout.h"
#include "window/controls/picture.h"
#include "window/main_form.h"
#include "window_fixture.h"

#include <QImage>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr int HelpPage = 2;
constexpr int AboutPage = 3;

// The smallest rectangle holding every pixel that is not fully transparent.
QRect VisibleBounds(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) == 0)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

int MaxAlpha(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    int alpha = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            alpha = std::max(alpha, qAlpha(line[x]));
    }
    return alpha;
}

// The picture as drawn, without anything behind it.
QImage RenderAlone(QWidget* picture) {
    QImage image(picture->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    picture->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

// The visible part of `file` when the whole file is fitted into `area` with its proportions kept and
// centred, in exact units.
QRectF ExpectedVisibleArea(const QImage& file, QSize area) {
    const qreal scale = std::min(qreal(area.width()) / file.width(), qreal(area.height()) / file.height());
    const QPointF origin((area.width() - file.width() * scale) / 2,
                         (area.height() - file.height() * scale) / 2);
    const QRect visible = VisibleBounds(file);
    return QRectF(origin + QPointF(visible.left(), visible.top()) * scale,
                  QSizeF(visible.width(), visible.height()) * scale);
}

// Smooth scaling lets an edge pixel bleed into its neighbour and Qt's bilinear filter rounds by
// processor, so each edge of the drawn picture may lie up to 2 pixels from the exact one.
constexpr qreal EdgeTolerance = 2;

void ExpectDrawnAt(const QRect& drawn, const QRectF& expected) {
    ASSERT_FALSE(drawn.isNull()) << "nothing drawn";
    EXPECT_NEAR(drawn.left(), expected.left(), EdgeTolerance);
    EXPECT_NEAR(drawn.top(), expected.top(), EdgeTolerance);
    EXPECT_NEAR(drawn.right() + 1, expected.right(), EdgeTolerance);
    EXPECT_NEAR(drawn.bottom() + 1, expected.bottom(), EdgeTolerance);
}

QImage FileDrawnBy(const TPicture* picture) {
    const QImage file(TPicture::ScaledFile(picture->Source(), picture->devicePixelRatioF()));
    EXPECT_FALSE(file.isNull()) << picture->objectName().toStdString();
    return file;
}

class PagePicturesTest : public WindowTest {
protected:
    void ResizeOuter(QSize outer) {
        form->resize(outer - (form->frameGeometry().size() - form->size()));
        ASSERT_EQ(form->frameGeometry().size(), outer);
    }
};

} // namespace

// Two window sizes: in a narrow window the help picture is limited by its width, in the first size by
// its height, so both the proportions and the centring across and down are seen.
TEST_F(PagePicturesTest, HelpPictureFitsWithinItsMarginsKeepingItsProportions) {
    form->tabCtrl->SetCurrentIndex(HelpPage);
    auto* help = Find<TPicture>(QStringLiteral("ImgHelp"));
    auto* page = Find(QStringLiteral("rectHelp"));
    ASSERT_TRUE(help && page);
    const QImage file = FileDrawnBy(help);
    ASSERT_FALSE(file.isNull());
    const struct {
        QSize outer;
        bool widthLimited;
    } sizes[] = {{{180, 640}, true}, {{360, 567}, false}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(testing::Message() << size.outer.width() << "x" << size.outer.height());
        ResizeOuter(size.outer);
        QTest::qWait(0);
        ASSERT_TRUE(help->isVisible());

        // Margins of 10 on every side of the page below its tool bar.
        ASSERT_EQ(help->parentWidget(), page);
        const TDockLayout* layout = TDockLayout::Of(page);
        ASSERT_NE(layout, nullptr);
        const QSizeF room = layout->ExactSize();
        const QRectF exact = layout->ExactGeometry(help);
        EXPECT_DOUBLE_EQ(exact.left(), 10);
        EXPECT_DOUBLE_EQ(exact.top(), 10);
        EXPECT_DOUBLE_EQ(exact.width(), room.width() - 20);
        EXPECT_DOUBLE_EQ(exact.height(), room.height() - 20);

        const QSize area = help->size();
        const qreal across = qreal(area.width()) / file.width();
        const qreal down = qreal(area.height()) / file.height();
        EXPECT_EQ(across < down, size.widthLimited) << across << " " << down;
        ExpectDrawnAt(VisibleBounds(RenderAlone(help)), ExpectedVisibleArea(file, area));
    }
}

TEST_F(PagePicturesTest, AboutWatermarkIsTheSextantFittedAtOneTenthOpacityUnderTheText) {
    form->tabCtrl->SetCurrentIndex(AboutPage);
    QTest::qWait(0);
    auto* mark = Find<TPicture>(QStringLiteral("imgSextant"));
    auto* page = Find(QStringLiteral("rectAbout"));
    auto* text = Find(QStringLiteral("loAbout"));
    ASSERT_TRUE(mark && page && text);
    ASSERT_TRUE(mark->isVisible());
    EXPECT_DOUBLE_EQ(mark->Opacity(), 0.1);
    // Children are drawn in order: the text and its buttons come after the watermark.
    ASSERT_EQ(mark->parentWidget(), page);
    const QObjectList& layers = page->children();
    EXPECT_LT(layers.indexOf(mark), layers.indexOf(text));
    EXPECT_EQ(mark->size(), page->size()) << "the watermark fills the page";

    const QImage file = FileDrawnBy(mark);
    ASSERT_FALSE(file.isNull());
    const QImage drawn = RenderAlone(mark);
    ExpectDrawnAt(VisibleBounds(drawn), ExpectedVisibleArea(file, mark->size()));
    // Qt keeps opacity in steps of 1/256 and blends with its own rounding: one tenth of the file's
    // most opaque pixel, give or take 2.
    EXPECT_NEAR(MaxAlpha(drawn), 0.1 * MaxAlpha(file), 2);
}
