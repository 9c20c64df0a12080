#pragma once
// TDockLayout: places the children of one widget by docking, in floating-point units.
//
// - MostTop children stack down from the top edge, the smaller stored top first; then Top children
//   below them, in child order; Bottom children stack up from the bottom edge; Left and Right
//   children line the sides of the band that remains; each Client child fills what is left.
// - A Contents child covers the whole area whatever the siblings take.
// - Every docked child keeps its margins free around itself. Its extent is its own height (MostTop,
//   Top, Bottom) or width (Left, Right); the margins come on top of it, so a child docked left with
//   margins 6, 6, 0, 6 in a bar 48 high is 36 high and starts 6 from the left edge.
// - A placed (undocked) child keeps its stored rectangle; an unanchored one keeps its size and moves
//   so that its centre stays at the same fraction of the area as in the design size.
// The layout is redone at once whenever an extent or margin changes.

#include "exact_layout.h"

#include <QMarginsF>
#include <initializer_list>
#include <utility>
#include <vector>

enum class TDock { None, MostTop, Top, Bottom, Left, Right, Client, Contents };

// What the dock layout keeps for one child.
struct TDockEntry {
    QLayoutItem* item = nullptr;
    TDock dock = TDock::None;
    qreal extent = 0;
    QMarginsF margins;
    qreal storedTop = 0;
    QRectF stored;
    bool keepCentre = false;
    QRectF exact;
};

class TDockLayout final : public TEntryLayout<TDockEntry> {
public:
    explicit TDockLayout(QWidget* parent);

    // `extent` is the child's height or width (ignored for Client and Contents); `storedTop` orders
    // MostTop children.
    void AddDocked(QWidget* child, TDock dock, qreal extent = 0, const QMarginsF& margins = {},
                   qreal storedTop = 0);
    // An undocked child at `stored`; with keepCentre it has no anchors (see above).
    void AddPlaced(QWidget* child, const QRectF& stored, bool keepCentre = false);
    // The area size that the stored rectangles of unanchored children refer to.
    void SetDesignSize(const QSizeF& size);

    TDock DockOf(const QWidget* child) const;
    qreal Extent(const QWidget* child) const;
    void SetExtent(const QWidget* child, qreal extent);
    // Several children's extents, arranged once.
    void SetExtents(std::initializer_list<std::pair<const QWidget*, qreal>> extents);
    QMarginsF Margins(const QWidget* child) const;
    void SetMargins(const QWidget* child, const QMarginsF& margins);
    // The rectangle given to the child at the last arrangement, before rounding.
    QRectF ExactGeometry(const QWidget* child) const;

    // The dock layout of `parent`, or null.
    static TDockLayout* Of(const QWidget* parent);

    void addItem(QLayoutItem* item) override;
    QSize sizeHint() const override;

protected:
    void Arrange(const QRectF& area) override;

private:
    using Entry = TDockEntry;
    Entry* Find(const QWidget* child);
    const Entry* Find(const QWidget* child) const;
    void Place(Entry& entry, const QRectF& rect);

    QSizeF designSize_;
};

// Shorthands over the dock layout of the child's parent; they do nothing (or return 0) for a child
// that is not docked.
void SetDockExtent(const QWidget* child, qreal extent);
qreal DockExtent(const QWidget* child);
void SetDockMargins(const QWidget* child, const QMarginsF& margins);
QMarginsF DockMargins(const QWidget* child);
