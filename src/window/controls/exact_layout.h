#pragma once
// Base of the window's two layouts. Sizes on the calendar page are fractions of the window height
// (37.5, 60, ...), so a layout arranges its children in floating-point coordinates and rounds only
// when it sets a widget's geometry, edge by edge so neighbours stay flush. A child that has an exact
// layout of its own is told its exact size and laid out at once, also while it is hidden: a size
// read back right after a change is current on every page.

#include <QLayout>
#include <QRectF>

class TExactLayout : public QLayout {
public:
    explicit TExactLayout(QWidget* parent);

    void setGeometry(const QRect& rect) final;
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
    QSizeF sizeFromParent_{-1, -1};
};

// The exact size of a widget: that of its exact layout when it has one, else its integer size.
QSizeF ExactSizeOf(const QWidget* widget);
