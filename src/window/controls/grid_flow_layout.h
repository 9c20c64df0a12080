#pragma once
// TGridFlowLayout: equal slots of item width x item height (floating-point units), filled row by
// row from the top left, in child order, with no inner border. After each slot at x, the next one
// starts a new row when x + 2 x item width exceeds the area's width, else it follows at
// x + item width. So a width of (w - 0.1) / 7 fits exactly seven slots in a row of width w. A child
// is shifted by its left and top margins and shrunk by all four. Hidden children are placed too.

#include "exact_layout.h"

#include <QMarginsF>
#include <vector>

// What the grid-flow layout keeps for one child.
struct TFlowEntry {
    QLayoutItem* item = nullptr;
    QMarginsF margins;
    QRectF exact;
};

class TGridFlowLayout final : public TEntryLayout<TFlowEntry> {
public:
    TGridFlowLayout(QWidget* parent, qreal itemWidth, qreal itemHeight);

    void AddFlowed(QWidget* child, const QMarginsF& margins = {});

    qreal ItemWidth() const { return itemWidth_; }
    qreal ItemHeight() const { return itemHeight_; }
    void SetItemWidth(qreal width);
    void SetItemHeight(qreal height);
    // Both, arranged once.
    void SetItemSize(qreal width, qreal height);
    // The slot given to the child at the last arrangement, before rounding.
    QRectF ExactGeometry(const QWidget* child) const;

    // The grid-flow layout of `parent`, or null.
    static TGridFlowLayout* Of(const QWidget* parent);

    void addItem(QLayoutItem* item) override;
    QSize sizeHint() const override;

protected:
    void Arrange(const QRectF& area) override;

private:
    using Entry = TFlowEntry;
    qreal itemWidth_;
    qreal itemHeight_;
};
