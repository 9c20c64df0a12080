#include "window/controls/picture.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void WritePng(const QString& path, QSize size) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(path));
}

} // namespace

TEST(Picture, ChoosesTheNearestScaleThatExists) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString base = dir.filePath(QStringLiteral("help"));
    WritePng(base + ".png", QSize(2, 3));
    WritePng(base + "@2x.png", QSize(4, 6));

    EXPECT_EQ(TPicture::ScaledFile(base, 1.0), base + ".png");
    EXPECT_EQ(TPicture::ScaledFile(base, 1.25), base + ".png");
    EXPECT_EQ(TPicture::ScaledFile(base, 1.5), base + "@2x.png");
    EXPECT_EQ(TPicture::ScaledFile(base, 2.0), base + "@2x.png");
    // No scale-3 file: the nearest one there is.
    EXPECT_EQ(TPicture::ScaledFile(base, 3.0), base + "@2x.png");

    WritePng(base + "@3x.png", QSize(6, 9));
    EXPECT_EQ(TPicture::ScaledFile(base, 3.0), base + "@3x.png");
    EXPECT_EQ(TPicture::ScaledFile(dir.filePath(QStringLiteral("missing")), 1.0), QString());
}

TEST(Picture, FitsWithProportionsKeptAndCentred) {
    // The help picture in its stored area: enlarged 1.0465 times, centred across.
    const QRectF help = TPicture::FittedRect(QSizeF(294, 430), QRectF(10, 10, 310, 450));
    EXPECT_NEAR(help.width(), 294.0 * 450 / 430, 1e-9);
    EXPECT_EQ(help.height(), 450);
    EXPECT_NEAR(help.center().x(), 165, 1e-9);
    // The watermark: 1.32 times, centred vertically.
    const QRectF mark = TPicture::FittedRect(QSizeF(250, 212), QRectF(0, 0, 330, 470));
    EXPECT_EQ(mark.width(), 330);
    EXPECT_NEAR(mark.height(), 279.84, 1e-9);
    EXPECT_NEAR(mark.center().y(), 235, 1e-9);
}

TEST(Picture, DrawsAtItsOpacity) {
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("mark"));
    WritePng(base + ".png", QSize(10, 10));
    TPicture picture;
    picture.SetSource(base);
    picture.resize(10, 10);
    picture.SetOpacity(0.5);
    const QImage drawn = picture.grab().toImage();
    const QColor centre = drawn.pixelColor(5, 5);
    // Half-transparent red over the widget's own background.
    EXPECT_GT(centre.red(), centre.green());
    EXPECT_LT(centre.red(), 255);
}

// The program's own pictures: each display scale finds its file at its pixel size.
TEST(Picture, ProgramPicturesAtEachScale) {
    const struct {
        const char* base;
        qreal scale;
        const char* file;
        QSize pixels;
    } cases[] = {
        {":/pictures/help", 1, ":/pictures/help.png", {294, 430}},
        {":/pictures/help", 2, ":/pictures/help@2x.png", {588, 860}},
        {":/pictures/help", 3, ":/pictures/help@3x.png", {882, 1290}},
        {":/pictures/sextant", 1, ":/pictures/sextant.png", {250, 212}},
        {":/pictures/sextant", 2, ":/pictures/sextant@2x.png", {500, 424}},
        {":/pictures/sextant", 3, ":/pictures/sextant@2x.png", {500, 424}},
    };
    for (const auto& c : cases) {
        const QString file = TPicture::ScaledFile(QString::fromLatin1(c.base), c.scale);
        EXPECT_EQ(file, QString::fromLatin1(c.file)) << c.base << " at " << c.scale;
        EXPECT_EQ(QImage(file).size(), c.pixels) << c.file;
    }
}
