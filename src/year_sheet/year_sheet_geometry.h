#pragma once
// Where the parts of the year sheet lie on a page: margins, the title band, twelve month boxes (three
// columns by four rows on a portrait page, four by three on a landscape one), the legend band, and in
// each month box its name, the weekday header and the 42 day cells of the calendar page's grid.
// Every length is a share of the page, so the same sheet comes out at any size and resolution.

#include <QRectF>

class YearSheetGeometry {
public:
    // `page`: the whole page in the painter's device units.
    explicit YearSheetGeometry(const QRectF& page);

    QRectF Page() const { return page_; }
    int Columns() const { return columns_; }

    // Agency, assignment and year.
    QRectF TitleRect() const;
    // The color key below the months.
    QRectF LegendRect() const;

    // month in [1, 12]: its whole box, name band included.
    QRectF MonthRect(int month) const;
    QRectF MonthNameRect(int month) const;
    // weekday in [0, 6], Sunday first.
    QRectF WeekdayRect(int month, int weekday) const;
    // index in [0, 41]: row by row, cell 0 the Sunday on or before the 1st.
    QRectF CellRect(int month, int index) const;

    // Where the day number of a cell is written: baseline, pixel size and the box its digits fill.
    qreal NumberBaseline(int month, int index) const;
    qreal NumberPixelSize() const;
    QRectF NumberRect(int month, int index) const;
    // The square in the cell's top right corner that holds a mark's disc.
    QRectF MarkRect(int month, int index) const;
    // The band under the digits that holds a payday's underline and nothing else.
    QRectF PaydayMarkRect(int month, int index) const;
    qreal PaydayMarkThickness() const;

private:
    QRectF page_;
    QRectF months_; // the area the twelve boxes share
    int columns_;
    int rows_;
    qreal gap_;
    qreal margin_;
};
