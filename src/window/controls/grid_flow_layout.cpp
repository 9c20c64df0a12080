#include "grid_flow_layout.h"

#include <QWidget>
#include <algorithm>

TGridFlowLayout::TGridFlowLayout(QWidget* parent, qreal itemWidth, qreal itemHeight)
    : TEntryLayout(parent), itemWidth_(itemWidth), itemHeight_(itemHeight) {}

void TGridFlowLayout::AddFlowed(QWidget* child, const QMarginsF& margins) {
    addChildWidget(child);
    entries_.push_back(Entry{new QWidgetItem(child), margins, {}});
    invalidate();
}

void TGridFlowLayout::SetItemWidth(qreal width) {
    if (itemWidth_ != width) {
        itemWidth_ = width;
        Rearrange();
    }
}

void TGridFlowLayout::SetItemHeight(qreal height) {
    if (itemHeight_ != height) {
        itemHeight_ = height;
        Rearrange();
    }
}

void TGridFlowLayout::SetItemSize(qreal width, qreal height) {
    if (itemWidth_ != width || itemHeight_ != height) {
        itemWidth_ = width;
        itemHeight_ = height;
        Rearrange();
    }
}

QRectF TGridFlowLayout::ExactGeometry(const QWidget* child) const {
    auto found = std::find_if(entries_.begin(), entries_.end(),
                              [child](const Entry& entry) { return entry.item->widget() == child; });
    return found != entries_.end() ? found->exact : QRectF();
}

TGridFlowLayout* TGridFlowLayout::Of(const QWidget* parent) {
    return parent != nullptr ? dynamic_cast<TGridFlowLayout*>(parent->layout()) : nullptr;
}

void TGridFlowLayout::addItem(QLayoutItem* item) {
    entries_.push_back(Entry{item, {}, {}});
    invalidate();
}

QSize TGridFlowLayout::sizeHint() const {
    return ExactSize().toSize();
}

void TGridFlowLayout::Arrange(const QRectF& area) {
    qreal x = 0;
    qreal y = 0;
    for (Entry& entry : entries_) {
        const QMarginsF& m = entry.margins;
        const QRectF slot(area.left() + x + m.left(), area.top() + y + m.top(),
                          std::max(0.0, itemWidth_ - m.left() - m.right()),
                          std::max(0.0, itemHeight_ - m.top() - m.bottom()));
        entry.exact = slot;
        if (QWidget* widget = entry.item->widget()) {
            PlaceWidget(widget, slot);
        } else {
            entry.item->setGeometry(slot.toRect());
        }
        if (x + 2 * itemWidth_ > area.width()) {
            x = 0;
            y += itemHeight_;
        } else {
            x += itemWidth_;
        }
    }
}
