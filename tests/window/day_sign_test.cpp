// The sign of a mark on a day cell, drawn on a filled cell and compared pixel by pixel with the same
// cell without it: outside its square nothing changes; inside, a disc or a ring of ink around the
// letter, and each letter draws a sign of its own.

#include "window/controls/day_sign.h"
#include "window/controls/rectangle.h"

#include <QImage>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr ArgbColor Black = 0xFF000000;
constexpr ArgbColor White = 0xFFFFFFFF;
constexpr ArgbColor Blue = 0xFF0000FF;
constexpr ArgbColor Goldenrod = 0xFFDAA520;

// Qt's antialiased edges and its pixel code differ from processor to processor: colors within this
// of each other count as one.
constexpr int Tolerance = 24;

bool Near(QRgb pixel, ArgbColor color) {
    const QColor a = QColor::fromRgba(pixel), b = ToQColor(color);
    return std::abs(a.red() - b.red()) <= Tolerance && std::abs(a.green() - b.green()) <= Tolerance &&
           std::abs(a.blue() - b.blue()) <= Tolerance;
}

// How far `pixel` lies from `fill` towards `ink`: 0 the fill, 1 the ink.
double ShareOfInk(QRgb pixel, ArgbColor fill, ArgbColor ink) {
    const QColor p = QColor::fromRgba(pixel), f = ToQColor(fill), i = ToQColor(ink);
    const auto distance = [](const QColor& a, const QColor& b) {
        return std::hypot(a.red() - b.red(), a.green() - b.green(), a.blue() - b.blue());
    };
    return 1 - distance(p, i) / distance(f, i);
}

// A day cell of 51 x 57 with its fill and, unless hidden, a sign.
struct SignedCell {
    SignedCell(ArgbColor fill, const QString& letter, bool ring, ArgbColor ink, ArgbColor letterColor) {
        cell.resize(51, 57);
        cell.SetFillColor(fill);
        cell.SetStrokeThickness(0);
        sign = new TDaySign(&cell);
        sign->setGeometry(cell.rect());
        sign->SetLetter(letter);
        sign->SetRing(ring);
        sign->SetInkColor(ink);
        sign->SetLetterColor(letterColor);
    }
    QImage Grab() { return cell.grab().toImage(); }

    TRectangle cell;
    TDaySign* sign;
};

struct SignCase {
    const char* name;
    ArgbColor fill;
    bool ring;
    ArgbColor ink;
    ArgbColor letterColor;
    friend void PrintTo(const SignCase& row, std::ostream* out) { *out << row.name; }
};

class DaySignTest : public testing::TestWithParam<SignCase> {};

TEST_P(DaySignTest, DrawsADiscOrARingOfInkInItsSquareAndNothingElse) {
    const SignCase& row = GetParam();
    SignedCell marked(row.fill, QStringLiteral("L"), row.ring, row.ink, row.letterColor);
    const QImage image = marked.Grab();
    const QRectF square = TDaySign::SignRect(QSizeF(51, 57), Qt::LeftToRight);
    EXPECT_GT(square.left(), 51 / 2.0) << "in the top right corner";
    EXPECT_LT(square.bottom(), 57 * 0.32) << "above the day number";
    const QRect touched = square.toAlignedRect();
    const QRgb fill = ToQColor(row.fill).rgba();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!touched.contains(x, y)) {
                ASSERT_EQ(image.pixel(x, y), fill) << x << "," << y;
            }
        }
    }
    const int middleY = qRound(square.center().y());
    // Left of the letter, inside the circle: ink in a disc, the fill inside a ring.
    const QPoint inside(qRound(square.left() + 0.25 * square.width()), middleY);
    EXPECT_TRUE(Near(image.pixel(inside), row.ring ? row.fill : row.ink)) << std::hex << image.pixel(inside);
    // On the circle's edge, a line of ink either way (its pixels part covered where the line is thin).
    double inkiest = 0;
    for (int x = touched.left(); x < qRound(square.left() + 0.2 * square.width()); ++x)
        inkiest = std::max(inkiest, ShareOfInk(image.pixel(x, middleY), row.fill, row.ink));
    EXPECT_GT(inkiest, 0.6);
    // The letter shows in its color.
    int letterPixels = 0;
    for (int y = touched.top(); y <= touched.bottom(); ++y) {
        for (int x = qRound(square.left() + 0.35 * square.width());
             x <= qRound(square.right() - 0.35 * square.width()); ++x)
            letterPixels += Near(image.pixel(x, y), row.letterColor) ? 1 : 0;
    }
    EXPECT_GE(letterPixels, 4);
}

INSTANTIATE_TEST_SUITE_P(Looks, DaySignTest,
                         testing::Values(SignCase{"DiscOnWhite", White, false, Black, White},
                                         SignCase{"RingOnWhite", White, true, Black, Black},
                                         SignCase{"DiscOnBlue", Blue, false, White, Black},
                                         SignCase{"RingOnBlue", Blue, true, White, White},
                                         SignCase{"DiscOnGoldenrod", Goldenrod, false, Black, White}),
                         [](const testing::TestParamInfo<SignCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(DaySign, EachLetterDrawsItsOwnSignAndNoLetterNothing) {
    SignedCell empty(White, QString(), false, Black, White);
    SignedCell hidden(White, QStringLiteral("L"), false, Black, White);
    hidden.sign->hide();
    EXPECT_EQ(empty.Grab(), hidden.Grab());
    std::vector<QImage> images;
    for (const char* letter : {"L", "S", "T", "E", "N"}) {
        SignedCell cell(White, QLatin1String(letter), false, Black, White);
        const QImage image = cell.Grab();
        EXPECT_NE(image, hidden.Grab()) << letter;
        for (const QImage& other : images)
            EXPECT_NE(image, other) << letter;
        images.push_back(image);
    }
}

TEST(DaySign, SitsInTheTrailingTopCornerOfAnyCell) {
    for (const QSizeF cell : {QSizeF(51, 57), QSizeF(25.7, 28.7), QSizeF(25.7, 75), QSizeF(68.6, 28.7)}) {
        const QRectF square = TDaySign::SignRect(cell, Qt::LeftToRight);
        EXPECT_TRUE(QRectF(QPointF(0, 0), cell).contains(square));
        EXPECT_DOUBLE_EQ(square.width(), square.height());
        EXPECT_NEAR(cell.width() - square.right(), square.top(), 1e-9)
            << "as far from the top as from the side";
        const QRectF mirrored = TDaySign::SignRect(cell, Qt::RightToLeft);
        EXPECT_DOUBLE_EQ(mirrored.left(), square.top());
        EXPECT_DOUBLE_EQ(mirrored.top(), square.top());
    }
    // Above the number in a cell of the usual proportions; beside it, and larger, in a wide low one.
    EXPECT_NEAR(TDaySign::SignRect(QSizeF(51, 57), Qt::LeftToRight).width(), 0.26 * 57, 1e-9);
    EXPECT_NEAR(TDaySign::SignRect(QSizeF(68.6, 28.7), Qt::LeftToRight).width(), 0.45 * 28.7, 1e-9);
}

} // namespace
