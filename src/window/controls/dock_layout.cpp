#include "dock_layout.h"

#include <QWidget>
#include <algorithm>

TDockLayout::TDockLayout(QWidget* parent) : TEntryLayout(parent) {}

void TDockLayout::AddDocked(QWidget* child, TDock dock, qreal extent, const QMarginsF& margins,
                            qreal storedTop) {
    addChildWidget(child);
    Entry entry;
    entry.item = new QWidgetItem(child);
    entry.dock = dock;
    entry.extent = extent;
    entry.margins = margins;
    entry.storedTop = storedTop;
    entries_.push_back(entry);
    invalidate();
}

void TDockLayout::AddPlaced(QWidget* child, const QRectF& stored, bool keepCentre) {
    addChildWidget(child);
    Entry entry;
    entry.item = new QWidgetItem(child);
    entry.stored = stored;
    entry.keepCentre = keepCentre;
    entries_.push_back(entry);
    invalidate();
}

void TDockLayout::SetDesignSize(const QSizeF& size) {
    designSize_ = size;
    Rearrange();
}

TDock TDockLayout::DockOf(const QWidget* child) const {
    const Entry* entry = Find(child);
    return entry != nullptr ? entry->dock : TDock::None;
}

qreal TDockLayout::Extent(const QWidget* child) const {
    const Entry* entry = Find(child);
    return entry != nullptr ? entry->extent : 0;
}

void TDockLayout::SetExtent(const QWidget* child, qreal extent) {
    Entry* entry = Find(child);
    if (entry != nullptr && entry->extent != extent) {
        entry->extent = extent;
        Rearrange();
    }
}

void TDockLayout::SetExtents(std::initializer_list<std::pair<const QWidget*, qreal>> extents) {
    bool changed = false;
    for (const auto& [child, extent] : extents) {
        Entry* entry = Find(child);
        if (entry != nullptr && entry->extent != extent) {
            entry->extent = extent;
            changed = true;
        }
    }
    if (changed) {
        Rearrange();
    }
}

QMarginsF TDockLayout::Margins(const QWidget* child) const {
    const Entry* entry = Find(child);
    return entry != nullptr ? entry->margins : QMarginsF();
}

void TDockLayout::SetMargins(const QWidget* child, const QMarginsF& margins) {
    Entry* entry = Find(child);
    if (entry != nullptr && entry->margins != margins) {
        entry->margins = margins;
        Rearrange();
    }
}

QRectF TDockLayout::ExactGeometry(const QWidget* child) const {
    const Entry* entry = Find(child);
    return entry != nullptr ? entry->exact : QRectF();
}

TDockLayout* TDockLayout::Of(const QWidget* parent) {
    return parent != nullptr ? dynamic_cast<TDockLayout*>(parent->layout()) : nullptr;
}

void TDockLayout::addItem(QLayoutItem* item) {
    Entry entry;
    entry.item = item;
    if (QWidget* widget = item->widget()) {
        entry.stored = QRectF(widget->geometry());
    }
    entries_.push_back(entry);
    invalidate();
}

QSize TDockLayout::sizeHint() const {
    return designSize_.isValid() ? designSize_.toSize() : ExactSize().toSize();
}

void TDockLayout::Arrange(const QRectF& area) {
    QRectF band = area;

    std::vector<Entry*> mostTop;
    for (Entry& entry : entries_) {
        if (entry.dock == TDock::MostTop) {
            mostTop.push_back(&entry);
        }
    }
    std::stable_sort(mostTop.begin(), mostTop.end(),
                     [](const Entry* a, const Entry* b) { return a->storedTop < b->storedTop; });
    auto stackTop = [&](Entry& entry) {
        const QMarginsF& m = entry.margins;
        Place(entry, QRectF(band.left() + m.left(), band.top() + m.top(), band.width() - m.left() - m.right(),
                            entry.extent));
        band.setTop(band.top() + m.top() + entry.extent + m.bottom());
    };
    for (Entry* entry : mostTop) {
        stackTop(*entry);
    }
    for (Entry& entry : entries_) {
        if (entry.dock == TDock::Top) {
            stackTop(entry);
        }
    }
    for (Entry& entry : entries_) {
        if (entry.dock == TDock::Bottom) {
            const QMarginsF& m = entry.margins;
            Place(entry, QRectF(band.left() + m.left(), band.bottom() - m.bottom() - entry.extent,
                                band.width() - m.left() - m.right(), entry.extent));
            band.setBottom(band.bottom() - m.top() - entry.extent - m.bottom());
        }
    }
    for (Entry& entry : entries_) {
        const QMarginsF& m = entry.margins;
        if (entry.dock == TDock::Left) {
            Place(entry, QRectF(band.left() + m.left(), band.top() + m.top(), entry.extent,
                                band.height() - m.top() - m.bottom()));
            band.setLeft(band.left() + m.left() + entry.extent + m.right());
        } else if (entry.dock == TDock::Right) {
            Place(entry, QRectF(band.right() - m.right() - entry.extent, band.top() + m.top(), entry.extent,
                                band.height() - m.top() - m.bottom()));
            band.setRight(band.right() - m.left() - entry.extent - m.right());
        }
    }
    for (Entry& entry : entries_) {
        switch (entry.dock) {
        case TDock::Client:
            Place(entry, band.marginsRemoved(entry.margins));
            break;
        case TDock::Contents:
            Place(entry, area.marginsRemoved(entry.margins));
            break;
        case TDock::None:
            if (entry.keepCentre && designSize_.width() > 0 && designSize_.height() > 0) {
                const QPointF fraction(entry.stored.center().x() / designSize_.width(),
                                       entry.stored.center().y() / designSize_.height());
                QRectF moved(QPointF(), entry.stored.size());
                moved.moveCenter(QPointF(area.left() + fraction.x() * area.width(),
                                         area.top() + fraction.y() * area.height()));
                Place(entry, moved);
            } else {
                Place(entry, entry.stored.translated(area.topLeft()));
            }
            break;
        default:
            break;
        }
    }
}

TDockLayout::Entry* TDockLayout::Find(const QWidget* child) {
    auto found = std::find_if(entries_.begin(), entries_.end(),
                              [child](const Entry& entry) { return entry.item->widget() == child; });
    return found != entries_.end() ? &*found : nullptr;
}

const TDockLayout::Entry* TDockLayout::Find(const QWidget* child) const {
    return const_cast<TDockLayout*>(this)->Find(child);
}

void TDockLayout::Place(Entry& entry, const QRectF& rect) {
    entry.exact = QRectF(rect.topLeft(), QSizeF(std::max(0.0, rect.width()), std::max(0.0, rect.height())));
    if (QWidget* widget = entry.item->widget()) {
        PlaceWidget(widget, entry.exact);
    } else {
        entry.item->setGeometry(entry.exact.toRect());
    }
}

void SetDockExtent(const QWidget* child, qreal extent) {
    if (TDockLayout* layout = TDockLayout::Of(child->parentWidget())) {
        layout->SetExtent(child, extent);
    }
}

qreal DockExtent(const QWidget* child) {
    const TDockLayout* layout = TDockLayout::Of(child->parentWidget());
    return layout != nullptr ? layout->Extent(child) : 0;
}

void SetDockMargins(const QWidget* child, const QMarginsF& margins) {
    if (TDockLayout* layout = TDockLayout::Of(child->parentWidget())) {
        layout->SetMargins(child, margins);
    }
}

QMarginsF DockMargins(const QWidget* child) {
    const TDockLayout* layout = TDockLayout::Of(child->parentWidget());
    return layout != nullptr ? layout->Margins(child) : QMarginsF();
}
