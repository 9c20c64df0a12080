// The sheet's parts on pages of every shape: inside the margins, apart from each other, in reading order.

#include "year_sheet/year_sheet_geometry.h"

#include <QPageSize>
#include <gtest/gtest.h>

namespace {

struct PageCase {
    const char* name;
    QSizeF size;
    int columns;
    friend void PrintTo(const PageCase& row, std::ostream* out) { *out << row.name; }
};

class YearSheetLayout : public testing::TestWithParam<PageCase> {};

TEST_P(YearSheetLayout, KeepsEveryPartOnThePageAndApart) {
    const PageCase& c = GetParam();
    const QRectF page(QPointF(0, 0), c.size);
    const YearSheetGeometry geometry(page);
    EXPECT_EQ(geometry.Columns(), c.columns);
    const qreal margin = 0.04 * std::min(c.size.width(), c.size.height());
    const QRectF printable = page.adjusted(margin, margin, -margin, -margin);
    EXPECT_TRUE(printable.contains(geometry.TitleRect()));
    EXPECT_TRUE(printable.contains(geometry.LegendRect()));
    for (int month = 1; month <= 12; ++month) {
        SCOPED_TRACE(month);
        const QRectF box = geometry.MonthRect(month);
        EXPECT_TRUE(printable.contains(box));
        // The parts share the box's edges, up to rounding.
        const qreal e = 1e-9 * page.height();
        const QRectF room = box.adjusted(-e, -e, e, e);
        EXPECT_LT(geometry.TitleRect().bottom(), box.top());
        EXPECT_LT(box.bottom(), geometry.LegendRect().top());
        for (int other = month + 1; other <= 12; ++other)
            EXPECT_FALSE(box.intersects(geometry.MonthRect(other))) << other;
        if (month > 1) {
            // Row by row: the next month lies to the right, or starts a lower row at the left.
            const QRectF previous = geometry.MonthRect(month - 1);
            if ((month - 1) % c.columns == 0)
                EXPECT_GT(box.top(), previous.bottom());
            else
                EXPECT_GT(box.left(), previous.right());
        }
        EXPECT_TRUE(room.contains(geometry.MonthNameRect(month)));
        for (int weekday = 0; weekday < 7; ++weekday)
            EXPECT_TRUE(room.contains(geometry.WeekdayRect(month, weekday)));
        EXPECT_TRUE(room.contains(geometry.CellRect(month, 0)));
        EXPECT_TRUE(room.contains(geometry.CellRect(month, 41)));
        EXPECT_LE(geometry.MonthNameRect(month).bottom(), geometry.WeekdayRect(month, 0).top() + e);
        EXPECT_LE(geometry.WeekdayRect(month, 6).bottom(), geometry.CellRect(month, 6).top() + e);
    }
    // The digits and the underline band sit inside their cell, one above the other.
    const QRectF cell = geometry.CellRect(5, 17);
    const QRectF digits = geometry.NumberRect(5, 17);
    const QRectF band = geometry.PaydayMarkRect(5, 17);
    EXPECT_TRUE(cell.contains(digits));
    EXPECT_TRUE(cell.contains(band));
    EXPECT_LE(digits.bottom(), band.top());
    EXPECT_DOUBLE_EQ(geometry.NumberBaseline(5, 17), digits.bottom());
    EXPECT_GT(band.height(), geometry.PaydayMarkThickness());
    // A mark's sign sits in the cell's top corner, above the underline band.
    const QRectF sign = geometry.MarkRect(5, 17);
    EXPECT_TRUE(cell.contains(sign));
    EXPECT_LT(sign.bottom(), band.top());
    EXPECT_DOUBLE_EQ(sign.width(), sign.height());
    EXPECT_GT(sign.left(), cell.center().x());
    // Two bold digits fit a cell's width.
    EXPECT_LT(1.4 * geometry.NumberPixelSize(), 0.8 * cell.width());
}

INSTANTIATE_TEST_SUITE_P(
    Pages, YearSheetLayout,
    testing::Values(PageCase{"A4", QPageSize(QPageSize::A4).size(QPageSize::Point), 3},
                    PageCase{"Letter", QPageSize(QPageSize::Letter).size(QPageSize::Point), 3},
                    PageCase{"A4Landscape", QPageSize(QPageSize::A4).size(QPageSize::Point).transposed(), 4},
                    PageCase{"PngOfA4", QSizeF(1414, 2000), 3}),
    [](const testing::TestParamInfo<PageCase>& info) { return info.param.name; });

} // namespace
