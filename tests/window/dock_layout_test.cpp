#include "window/controls/dock_layout.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace {

// A parent widget of a given size with a dock layout, laid out at once.
struct DockedParent {
    explicit DockedParent(QSize size) {
        parent.resize(size);
        layout = new TDockLayout(&parent);
    }
    QWidget* Add(TDock dock, qreal extent = 0, const QMarginsF& margins = {}, qreal storedTop = 0) {
        auto* child = new QWidget(&parent);
        layout->AddDocked(child, dock, extent, margins, storedTop);
        return child;
    }
    void Lay() { layout->setGeometry(QRect(QPoint(), parent.size())); }

    QWidget parent;
    TDockLayout* layout;
};

} // namespace

TEST(DockLayout, StacksTheCalendarPageBars) {
    DockedParent page(QSize(330, 518));
    // Child order of the page: two most-top bars, the client area, the footer, the weekday bar.
    QWidget* toolbar = page.Add(TDock::MostTop, 48, {}, 0);
    QWidget* monthBar = page.Add(TDock::MostTop, 48, {}, 48);
    QWidget* calendar = page.Add(TDock::Client);
    QWidget* footer = page.Add(TDock::Bottom, 45);
    QWidget* weekdays = page.Add(TDock::Top, 57);
    page.Lay();
    EXPECT_EQ(toolbar->geometry(), QRect(0, 0, 330, 48));
    EXPECT_EQ(monthBar->geometry(), QRect(0, 48, 330, 48));
    EXPECT_EQ(weekdays->geometry(), QRect(0, 96, 330, 57));
    EXPECT_EQ(calendar->geometry(), QRect(0, 153, 330, 320));
    EXPECT_EQ(footer->geometry(), QRect(0, 473, 330, 45));
}

TEST(DockLayout, MostTopBarsStackByStoredTopNotChildOrder) {
    DockedParent page(QSize(100, 200));
    QWidget* lower = page.Add(TDock::MostTop, 30, {}, 48);
    QWidget* upper = page.Add(TDock::MostTop, 20, {}, 0);
    page.Lay();
    EXPECT_EQ(upper->geometry(), QRect(0, 0, 100, 20));
    EXPECT_EQ(lower->geometry(), QRect(0, 20, 100, 30));
}

TEST(DockLayout, MarginsAndContents) {
    DockedParent bar(QSize(330, 48));
    QWidget* label = bar.Add(TDock::Contents);
    QWidget* left = bar.Add(TDock::Left, 48, QMarginsF(6, 6, 0, 6));
    QWidget* right = bar.Add(TDock::Right, 48, QMarginsF(0, 6, 6, 6));
    QWidget* middle = bar.Add(TDock::Client);
    bar.Lay();
    // The contents child covers the whole bar whatever its siblings take.
    EXPECT_EQ(label->geometry(), QRect(0, 0, 330, 48));
    EXPECT_EQ(left->geometry(), QRect(6, 6, 48, 36));
    EXPECT_EQ(right->geometry(), QRect(276, 6, 48, 36));
    EXPECT_EQ(middle->geometry(), QRect(54, 0, 222, 48));

    bar.layout->SetMargins(middle, QMarginsF(0, 0, 4, 2));
    EXPECT_EQ(middle->geometry(), QRect(54, 0, 218, 46));
}

TEST(DockLayout, KeepsFractionalExtentsAndHandsThemDown) {
    DockedParent page(QSize(330, 551));
    QWidget* toolbar = page.Add(TDock::MostTop, 48);
    QWidget* monthBar = page.Add(TDock::MostTop, 48, {}, 48);
    auto* inner = new TDockLayout(monthBar);
    auto* monthRect = new QWidget(monthBar);
    inner->AddDocked(monthRect, TDock::Client);
    page.Lay();

    page.layout->SetExtent(toolbar, 37.5);
    page.layout->SetExtent(monthBar, 60);
    EXPECT_EQ(page.layout->Extent(toolbar), 37.5);
    EXPECT_EQ(page.layout->ExactGeometry(monthBar), QRectF(0, 37.5, 330, 60));
    // Edges are rounded one by one, so neighbours stay flush.
    EXPECT_EQ(toolbar->geometry(), QRect(0, 0, 330, 38));
    EXPECT_EQ(monthBar->geometry(), QRect(0, 38, 330, 60));

    page.layout->SetExtent(toolbar, 37.4);
    page.layout->SetExtent(monthBar, 60.4);
    EXPECT_EQ(ExactSizeOf(monthRect->parentWidget()), QSizeF(330, 60.4));
    EXPECT_EQ(inner->ExactGeometry(monthRect), QRectF(0, 0, 330, 60.4));

    // Both at once come to the same.
    page.layout->SetExtents({{toolbar, 37.5}, {monthBar, 60}});
    EXPECT_EQ(page.layout->ExactGeometry(monthBar), QRectF(0, 37.5, 330, 60));
    EXPECT_EQ(toolbar->geometry(), QRect(0, 0, 330, 38));
    EXPECT_EQ(inner->ExactGeometry(monthRect), QRectF(0, 0, 330, 60));
}

TEST(DockLayout, UnanchoredChildKeepsItsCentreFraction) {
    DockedParent about(QSize(330, 470));
    about.layout->SetDesignSize(QSizeF(330, 470));
    auto* button = new QWidget(&about.parent);
    about.layout->AddPlaced(button, QRectF(19.84, 14, 113, 42), true);
    auto* anchored = new QWidget(&about.parent);
    about.layout->AddPlaced(anchored, QRectF(16, 111, 65, 41));

    about.parent.resize(200, 300);
    about.Lay();
    const QRectF moved = about.layout->ExactGeometry(button);
    EXPECT_EQ(moved.size(), QSizeF(113, 42));
    EXPECT_NEAR(moved.center().x(), 76.34 / 330 * 200, 1e-9);
    EXPECT_NEAR(moved.center().y(), 35.0 / 470 * 300, 1e-9);
    EXPECT_EQ(anchored->geometry(), QRect(16, 111, 65, 41));
}

// Laid out again for the same rectangle, a layout arranges only when something changed since: here a
// child added after the first arrangement.
TEST(DockLayout, ArrangesAChildAddedSinceTheLastArrangement) {
    DockedParent bar(QSize(200, 48));
    QWidget* first = bar.Add(TDock::Left, 40);
    bar.Lay();
    QWidget* second = bar.Add(TDock::Left, 30);
    bar.Lay();
    EXPECT_EQ(first->geometry(), QRect(0, 0, 40, 48));
    EXPECT_EQ(second->geometry(), QRect(40, 0, 30, 48));
}
