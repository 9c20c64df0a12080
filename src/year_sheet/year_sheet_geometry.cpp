#include "year_sheet/year_sheet_geometry.h"

#include <algorithm>

namespace {

// Shares of the page's short side.
constexpr qreal MarginShare = 0.045;
constexpr qreal GapShare = 0.03;
// Shares of the page's long side.
constexpr qreal TitleShare = 0.06;
constexpr qreal LegendShare = 0.035;

// A month box in day-row heights: its name, the weekday header, six weeks.
constexpr qreal NameRows = 1.3;
constexpr qreal WeekdayRows = 0.9;
constexpr int WeekRows = 6;
constexpr qreal BoxRows = NameRows + WeekdayRows + WeekRows;

// Within a day cell, shares of its height: the digits stand on the baseline, the payday underline
// lies in the band below it.
constexpr qreal NumberTop = 0.22;
constexpr qreal Baseline = 0.70;
constexpr qreal MarkTop = 0.74;
constexpr qreal MarkBottom = 0.88;
constexpr qreal NumberSize = 0.56;
constexpr qreal MarkThickness = 0.065;
constexpr qreal NarrowestNumber = 0.55;
// A mark's disc: its side and its distance from the cell's top and right edges, shares of the height.
constexpr qreal MarkSide = 0.32;
constexpr qreal MarkInset = 0.04;

} // namespace

YearSheetGeometry::YearSheetGeometry(const QRectF& page)
    : page_(page), columns_(page.width() > page.height() ? 4 : 3), rows_(12 / columns_) {
    const qreal shortSide = std::min(page.width(), page.height());
    const qreal longSide = std::max(page.width(), page.height());
    margin_ = MarginShare * shortSide;
    gap_ = GapShare * shortSide;
    const QRectF inner = page.adjusted(margin_, margin_, -margin_, -margin_);
    months_ = inner.adjusted(0, TitleShare * longSide, 0, -(LegendShare * longSide + gap_));
}

QRectF YearSheetGeometry::TitleRect() const {
    const QRectF inner = page_.adjusted(margin_, margin_, -margin_, -margin_);
    return QRectF(inner.left(), inner.top(), inner.width(), months_.top() - inner.top() - gap_ / 2);
}

QRectF YearSheetGeometry::LegendRect() const {
    const qreal bottom = page_.bottom() - margin_;
    const qreal top = months_.bottom() + gap_;
    return QRectF(months_.left(), top, months_.width(), bottom - top);
}

QRectF YearSheetGeometry::MonthRect(int month) const {
    const int column = (month - 1) % columns_;
    const int row = (month - 1) / columns_;
    const qreal width = (months_.width() - (columns_ - 1) * gap_) / columns_;
    const qreal height = (months_.height() - (rows_ - 1) * gap_) / rows_;
    return QRectF(months_.left() + column * (width + gap_), months_.top() + row * (height + gap_), width,
                  height);
}

QRectF YearSheetGeometry::MonthNameRect(int month) const {
    const QRectF box = MonthRect(month);
    return QRectF(box.left(), box.top(), box.width(), box.height() * NameRows / BoxRows);
}

QRectF YearSheetGeometry::WeekdayRect(int month, int weekday) const {
    const QRectF box = MonthRect(month);
    const qreal width = box.width() / 7;
    const qreal rowHeight = box.height() / BoxRows;
    return QRectF(box.left() + weekday * width, box.top() + NameRows * rowHeight, width,
                  WeekdayRows * rowHeight);
}

QRectF YearSheetGeometry::CellRect(int month, int index) const {
    const QRectF box = MonthRect(month);
    const qreal width = box.width() / 7;
    const qreal rowHeight = box.height() / BoxRows;
    const qreal top = box.top() + (NameRows + WeekdayRows) * rowHeight;
    return QRectF(box.left() + (index % 7) * width, top + (index / 7) * rowHeight, width, rowHeight);
}

qreal YearSheetGeometry::NumberBaseline(int month, int index) const {
    const QRectF cell = CellRect(month, index);
    return cell.top() + Baseline * cell.height();
}

qreal YearSheetGeometry::NumberPixelSize() const {
    const QRectF cell = CellRect(1, 0);
    // "28" in bold takes about 1.4 times the pixel size; it keeps some room in a narrow cell.
    return std::min(NumberSize * cell.height(), NarrowestNumber * cell.width());
}

QRectF YearSheetGeometry::NumberRect(int month, int index) const {
    const QRectF cell = CellRect(month, index);
    return QRectF(cell.left(), cell.top() + NumberTop * cell.height(), cell.width(),
                  (Baseline - NumberTop) * cell.height());
}

QRectF YearSheetGeometry::MarkRect(int month, int index) const {
    const QRectF cell = CellRect(month, index);
    const qreal side = MarkSide * cell.height();
    const qreal inset = MarkInset * cell.height();
    return QRectF(cell.right() - inset - side, cell.top() + inset, side, side);
}

QRectF YearSheetGeometry::PaydayMarkRect(int month, int index) const {
    const QRectF cell = CellRect(month, index);
    return QRectF(cell.left() + 0.1 * cell.width(), cell.top() + MarkTop * cell.height(), 0.8 * cell.width(),
                  (MarkBottom - MarkTop) * cell.height());
}

qreal YearSheetGeometry::PaydayMarkThickness() const {
    return MarkThickness * CellRect(1, 0).height();
}
