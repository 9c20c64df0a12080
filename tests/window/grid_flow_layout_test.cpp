#include "window/controls/grid_flow_layout.h"

#include <QWidget>
#include <gtest/gtest.h>
#include <vector>

namespace {

struct FlowGrid {
    FlowGrid(QSize size, qreal itemWidth, qreal itemHeight, int children) {
        grid.resize(size);
        layout = new TGridFlowLayout(&grid, itemWidth, itemHeight);
        for (int i = 0; i < children; ++i) {
            cells.push_back(new QWidget(&grid));
            layout->AddFlowed(cells.back());
        }
    }
    void Lay() { layout->setGeometry(QRect(QPoint(), grid.size())); }
    QPointF SlotOf(int index) const {
        return layout->ExactGeometry(cells[static_cast<std::size_t>(index)]).topLeft();
    }

    QWidget grid;
    TGridFlowLayout* layout;
    std::vector<QWidget*> cells;
};

} // namespace

TEST(GridFlowLayout, StoredItemWidthFitsSixPerRow) {
    FlowGrid flow(QSize(330, 320), 54, 54, 42);
    flow.Lay();
    EXPECT_EQ(flow.SlotOf(5), QPointF(270, 0));
    EXPECT_EQ(flow.SlotOf(6), QPointF(0, 54));
    EXPECT_EQ(flow.cells[6]->geometry(), QRect(0, 54, 54, 54));
}

TEST(GridFlowLayout, SevenPerRowWithTheScaledItemWidth) {
    for (int width : {180, 330, 480}) {
        SCOPED_TRACE(width);
        FlowGrid flow(QSize(width, 300), (width - 0.1) / 7, (300 - 0.1) / 6, 42);
        flow.Lay();
        for (int index = 0; index < 42; ++index) {
            const QPointF slot = flow.SlotOf(index);
            EXPECT_NEAR(slot.x(), (index % 7) * flow.layout->ItemWidth(), 1e-9) << index;
            EXPECT_NEAR(slot.y(), (index / 7) * flow.layout->ItemHeight(), 1e-9) << index;
        }
        // The last cell ends inside the grid.
        EXPECT_LE(flow.cells[41]->geometry().right(), width - 1);
        EXPECT_LE(flow.cells[41]->geometry().bottom(), 299);
    }
}

TEST(GridFlowLayout, PlacesHiddenChildrenAndAppliesMargins) {
    FlowGrid flow(QSize(100, 100), 50, 50, 0);
    auto* hidden = new QWidget(&flow.grid);
    hidden->hide();
    flow.layout->AddFlowed(hidden);
    auto* inset = new QWidget(&flow.grid);
    flow.layout->AddFlowed(inset, QMarginsF(2, 3, 4, 5));
    flow.Lay();
    EXPECT_EQ(hidden->geometry(), QRect(0, 0, 50, 50));
    EXPECT_EQ(inset->geometry(), QRect(52, 3, 44, 42));

    flow.layout->SetItemWidth(100);
    EXPECT_EQ(inset->geometry(), QRect(2, 53, 94, 42));
    flow.layout->SetItemSize(50, 25);
    EXPECT_EQ(hidden->geometry(), QRect(0, 0, 50, 25));
    EXPECT_EQ(inset->geometry(), QRect(52, 3, 44, 17));
}
