#pragma once
// Base of the window's two layouts. Sizes on the calendar page are fractions of the window height
// (37.5, 60, ...), so a layout arranges its children in floating-point coordinates and rounds only
// when it sets a widget's geometry, edge by edge so neighbours stay flush. A child that has an exact
// layout of its own is told its exact size and laid out at once, also while it is hidden: a size
// read back right after a change is current on every page.

#include <QLayout>
#include <QRectF>
#include <vector>

class TExactLayout : public QLayout {
public:
    explicit TExactLayout(QWidget* parent);

    void setGeometry(const QRect& rect) final;
    void invalidate() override;
    Qt::Orientations expandingDirections() const override { return Qt::Horizontal | Qt::Vertical; }
    // The window's size limits are set on the window itself; layouts never impose a minimum.
    QSize minimumSize() const override { return {0, 0}; }

    // The floating-point size of the area arranged last.
    QSizeF ExactSize() const { return exactSize_; }
    bool HasArranged() const { return arranged_.isValid(); }

protected:
    // Places every child inside `area` (the layout's rectangle in exact units).
    virtual void Arrange(const QRectF& area) = 0;
    // Arranges again with the current geometry, at once.
    void Rearrange();
    // Gives `widget` the rectangle `exact` rounded edge by edge and lays out its exact layout.
    static void PlaceWidget(QWidget* widget, const QRectF& exact);

private:
    // The rectangle arranged last. QLayout forgets its geometry whenever it is invalidated, which
    // Qt does at will; re-arranging after a size change needs the rectangle all the same.
    QRect arranged_;
    QSizeF exactSize_;
    // Something the arrangement depends on changed since the last one (Qt invalidates a layout when a
    // child is added, shown or hidden).
    bool stale_ = true;
    QSizeF sizeFromParent_{-1, -1};
};

// An exact layout over a list of entries, each holding its layout item (`item`) and what the layout
// keeps for it. The layout owns its items.
template <class Entry> class TEntryLayout : public TExactLayout {
public:
    using TExactLayout::TExactLayout;
    ~TEntryLayout() override {
        for (Entry& entry : entries_) {
            delete entry.item;
        }
    }

    QLayoutItem* itemAt(int index) const override {
        return index >= 0 && index < count() ? entries_[static_cast<std::size_t>(index)].item : nullptr;
    }
    QLayoutItem* takeAt(int index) override {
        if (index < 0 || index >= count()) {
            return nullptr;
        }
        QLayoutItem* item = entries_[static_cast<std::size_t>(index)].item;
        entries_.erase(entries_.begin() + index);
        invalidate();
        return item;
    }
    int count() const override { return static_cast<int>(entries_.size()); }

protected:
    std::vector<Entry> entries_;
};

// The exact size of a widget: that of its exact layout when it has one, else its integer size.
QSizeF ExactSizeOf(const QWidget* widget);
