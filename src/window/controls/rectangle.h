#pragma once
// TRectangle: a plain rectangle with a fill color and a border (stroke color and thickness in
// logical pixels, 0 = no border). Until painted it is white with a black border 1 wide.
// It emits clicked() for a left-button press and release both inside it; a rectangle that must let
// clicks pass sets Qt::WA_TransparentForMouseEvents. While something listens to contextPopup(), it
// emits it for a context menu asked with the mouse (a right click) and for a press held on a touch
// screen, which then gives no click; otherwise the request passes on to its parent.

#include "argb_color.h"
#include "tag.h"

#include <QBasicTimer>
#include <QPointF>
#include <QWidget>

class TRectangle : public QWidget, public TTagged {
    Q_OBJECT
    Q_PROPERTY(quint32 fillColor READ FillColor WRITE SetFillColor NOTIFY lookChanged)
    Q_PROPERTY(quint32 strokeColor READ StrokeColor WRITE SetStrokeColor NOTIFY lookChanged)
    Q_PROPERTY(qreal strokeThickness READ StrokeThickness WRITE SetStrokeThickness NOTIFY lookChanged)

public:
    explicit TRectangle(QWidget* parent = nullptr);

    ArgbColor FillColor() const { return fillColor_; }
    void SetFillColor(ArgbColor color);
    ArgbColor StrokeColor() const { return strokeColor_; }
    void SetStrokeColor(ArgbColor color);
    qreal StrokeThickness() const { return strokeThickness_; }
    void SetStrokeThickness(qreal thickness);

signals:
    void lookChanged();
    void clicked();
    // `globalPosition` is where the menu belongs: the pointer, or where the finger is held.
    void contextPopup(QPoint globalPosition);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    bool HasContextPopup() const;

    ArgbColor fillColor_ = 0xFFFFFFFF;
    ArgbColor strokeColor_ = 0xFF000000;
    qreal strokeThickness_ = 1;
    bool pressed_ = false;
    // A touch press waits this long to become a hold.
    QBasicTimer holdTimer_;
    QPointF holdPosition_;
};
