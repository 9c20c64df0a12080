#pragma once
// TGridFlowLayout: equal slots of item width x item height (floating-point units), filled row by
// row from the top left, in child order, with no inner border. After each slot at x, the next one
// starts a new row when x + 2 x item width exceeds the area's width, else it follows at
// x + item width. So a width of (w - 0.1) / 7 fits exactly seven slots in a row of width w. A child
// is shifted by its left and top margins and shrunk by all four. Hidden children are placed too.

#include "exact_layout.h"

#include <QMarginsF>
#include <vector>

class TGridFlowLayout final : public TExactLayout {
public:
    TGridFlowLayout(QWidget* parent, qreal itemWidth, qreal itemHeight);
    ~TGridFlowLayout() override;

    void AddFlowed(QWidget* child, const QMarginsF& margins = {});

    qreal ItemWidth() const { return itemWidth_; }
    qreal ItemHeight() const { return itemHeight_; }
    void SetItemWidth(qreal width);
    void SetItemHeight(qreal height);
    // The slot given to the child at the last arrangement, before rounding.
    QRectF ExactGeometry(const QWidget* child) const;

    // The grid-flow layout of `parent`, or null.
    static TGridFlowLayout* Of(const QWidget* parent);

    void addItem(QLayoutItem* item) override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    int count() const override;
    QSize sizeHint() const override;

protected:
    void Arrange(const QRectF& area) override;

private:
    struct Entry {
        QLayoutItem* item = nullptr;
        QMarginsF margins;
        QRectF exact;
    };
    std::vector<Entry> entries_;
    qreal itemWidth_;
    qreal itemHeight_;
};
