#include "exact_layout.h"

#include <QWidget>
#include <cmath>

TExactLayout::TExactLayout(QWidget* parent) : QLayout(parent) {
    setContentsMargins(0, 0, 0, 0);
    setSpacing(0);
    setSizeConstraint(QLayout::SetNoConstraint);
}

void TExactLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    QSizeF size(rect.size());
    // The parent's exact size rounds to this rectangle unless the parent layout was bypassed.
    if (sizeFromParent_.width() >= 0 && std::abs(sizeFromParent_.width() - rect.width()) < 1.0 &&
        std::abs(sizeFromParent_.height() - rect.height()) < 1.0) {
        size = sizeFromParent_;
    }
    // Qt lays a widget out on each of its resize events, also the one that a hidden widget gets when
    // it shows; with nothing changed since, every child is where it belongs already.
    if (!stale_ && rect == arranged_ && size == exactSize_) {
        return;
    }
    arranged_ = rect;
    exactSize_ = size;
    stale_ = false;
    Arrange(QRectF(QPointF(rect.topLeft()), size));
}

void TExactLayout::invalidate() {
    stale_ = true;
    QLayout::invalidate();
}

void TExactLayout::Rearrange() {
    stale_ = true;
    if (arranged_.isValid()) {
        setGeometry(arranged_);
    }
}

void TExactLayout::PlaceWidget(QWidget* widget, const QRectF& exact) {
    const int left = qRound(exact.left());
    const int top = qRound(exact.top());
    const int width = std::max(0, qRound(exact.right()) - left);
    const int height = std::max(0, qRound(exact.bottom()) - top);
    const QSizeF exactSize(std::max(0.0, exact.width()), std::max(0.0, exact.height()));

    auto* own = dynamic_cast<TExactLayout*>(widget->layout());
    if (own != nullptr) {
        own->sizeFromParent_ = exactSize;
    }
    widget->setGeometry(left, top, width, height);
    // A visible widget's resize has laid it out already; a hidden one, or one whose whole-pixel size
    // did not change, has not.
    if (own != nullptr && (own->arranged_ != widget->rect() || own->exactSize_ != exactSize)) {
        own->setGeometry(widget->rect());
    }
}

QSizeF ExactSizeOf(const QWidget* widget) {
    if (const auto* own = dynamic_cast<const TExactLayout*>(widget->layout())) {
        if (own->HasArranged()) {
            return own->ExactSize();
        }
    }
    return QSizeF(widget->size());
}
