#pragma once
// TRectangle: a plain rectangle with a fill color and a border (stroke color and thickness in
// logical pixels, 0 = no border). Until painted it is white with a black border 1 wide.
// It emits clicked() for a left-button press and release both inside it; a rectangle that must let
// clicks pass sets Qt::WA_TransparentForMouseEvents.

#include "argb_color.h"
#include "tag.h"

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

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    ArgbColor fillColor_ = 0xFFFFFFFF;
    ArgbColor strokeColor_ = 0xFF000000;
    qreal strokeThickness_ = 1;
    bool pressed_ = false;
};
