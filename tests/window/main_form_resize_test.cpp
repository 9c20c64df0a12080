#include "schedule/date_serial.h"
#include "window/controls/dock_layout.h"
#include "window/controls/grid_flow_layout.h"
#include "window/main_form.h"
#include "window_fixture.h"

#include <QDateEdit>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

class MainFormResizeTest : public WindowTest {
protected:
    // Resizes the whole window, frame included.
    void ResizeOuter(QSize outer) { form->resize(outer - (form->frameGeometry().size() - form->size())); }
};

// Cells (or labels) whose geometry puts cell n in row n / 7 and column n % 7 of its grid.
template <class Cells> void ExpectSevenColumns(const Cells& cells, int rows, const QWidget* grid) {
    ASSERT_EQ(static_cast<int>(cells.size()), 7 * rows);
    for (int n = 0; n < 7 * rows; ++n) {
        const QRect cell = cells[static_cast<std::size_t>(n)]->geometry();
        const QRect rowStart = cells[static_cast<std::size_t>(n / 7 * 7)]->geometry();
        const QRect columnTop = cells[static_cast<std::size_t>(n % 7)]->geometry();
        EXPECT_EQ(cell.top(), rowStart.top()) << n;
        EXPECT_EQ(cell.left(), columnTop.left()) << n;
        if (n % 7 > 0) {
            EXPECT_GT(cell.left(), cells[static_cast<std::size_t>(n - 1)]->geometry().left()) << n;
        }
        if (n >= 7) {
            EXPECT_GT(cell.top(), cells[static_cast<std::size_t>(n - 7)]->geometry().top()) << n;
        }
        EXPECT_TRUE(grid->rect().contains(cell)) << n;
    }
}

} // namespace

TEST_F(MainFormResizeTest, A600HighWindowScalesBarsAndFonts) {
    ResizeOuter(QSize(330, 600));
    ASSERT_EQ(form->frameGeometry().height(), 600);
    EXPECT_EQ(DockExtent(form->tbCalendar), 37.5);
    EXPECT_EQ(DockExtent(form->loMonthName), 60);
    EXPECT_EQ(DockExtent(form->loDaysOfWeek), 37.5);
    EXPECT_EQ(DockExtent(form->loFooter), 50);

    const TGlobalState& state = form->State();
    EXPECT_FLOAT_EQ(state.TitleFontSize, 15.0f);
    EXPECT_FLOAT_EQ(state.TitleFontSizeSmall, 12.0f);
    EXPECT_FLOAT_EQ(state.MonthFontSize, 28.8f);
    EXPECT_FLOAT_EQ(state.StatusFontSize, 12.5f);
    // The weekday grid is the 37.5 bar; the day grid gets what the tab strip and the bars leave.
    const int client = form->height();
    EXPECT_FLOAT_EQ(state.WeekdayFontSize, 0.32f * 37.4f);
    EXPECT_FLOAT_EQ(state.DayFontSize, static_cast<float>(0.48 * (client - 49 - 185 - 0.1) / 6));
    EXPECT_DOUBLE_EQ(TGridFlowLayout::Of(form->gloCal)->ItemWidth(), (form->width() - 0.1) / 7);
    EXPECT_DOUBLE_EQ(TGridFlowLayout::Of(form->gloDOW)->ItemHeight(), 37.5 - 0.1);
}

TEST_F(MainFormResizeTest, TodayAndDateEditShareTwoSeventhsOfTheFooter) {
    for (int outerWidth : {180, 330, 480}) {
        ResizeOuter(QSize(outerWidth, 567));
        const int width = form->width();
        const qreal expected = width * 2.0 / 7 - 4;
        EXPECT_DOUBLE_EQ(DockExtent(form->bToday), expected);
        EXPECT_DOUBLE_EQ(DockExtent(form->deDate), expected);
        // Their margins stay: 2 around Today, 4 around the date edit.
        EXPECT_EQ(form->bToday->geometry().left(), 2);
        EXPECT_EQ(form->deDate->geometry().right(), width - 4 - 1);
    }
}

TEST_F(MainFormResizeTest, SevenColumnsAndSixRowsAtTheSizeLimits) {
    form->tabCtrl->SetCurrentIndex(0);
    const QSize limits[] = {{180, 320}, {480, 320}, {180, 640}, {480, 640}};
    for (QSize size : limits) {
        SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height());
        ResizeOuter(size);
        ASSERT_EQ(form->frameGeometry().size(), size);
        ExpectSevenColumns(form->gR, 6, form->gloCal);
        ExpectSevenColumns(form->lblDOW, 1, form->gloDOW);
    }
}

TEST_F(MainFormResizeTest, OuterSizeStaysWithinTheLimits) {
    ResizeOuter(QSize(100, 100));
    EXPECT_EQ(form->frameGeometry().size(), QSize(180, 320));
    ResizeOuter(QSize(1000, 1000));
    EXPECT_EQ(form->frameGeometry().size(), QSize(480, 640));
}

TEST_F(MainFormResizeTest, HiddenPagesFollowTheSize) {
    // While another page is shown, the calendar's grid still follows the window.
    form->tabCtrl->SetCurrentIndex(3);
    ASSERT_FALSE(form->tabCalendar->isVisible());
    form->resize(400, 500);
    EXPECT_EQ(form->tabCalendar->size(), QSize(400, 451));
    EXPECT_DOUBLE_EQ(TGridFlowLayout::Of(form->gloCal)->ItemWidth(), (400 - 0.1) / 7);
    EXPECT_DOUBLE_EQ(DockExtent(form->tbCalendar), form->frameGeometry().height() / 16.0);
    ExpectSevenColumns(form->gR, 6, form->gloCal);
}

TEST_F(MainFormResizeTest, TabCaptionsAndTheDateAreShownWholeAtEveryWidth) {
    const QFont themeFont = form->tabCtrl->TabBar()->font();
    for (int outerWidth : {180, 330, 480}) {
        SCOPED_TRACE(testing::Message() << outerWidth << " wide");
        ResizeOuter(QSize(outerWidth, 320));
        ASSERT_EQ(form->frameGeometry().width(), outerWidth);
        QTabBar* strip = form->tabCtrl->TabBar();
        const QFont captionFont = form->tabCtrl->CaptionFont();
        const QFontMetricsF captionMetrics(captionFont);
        for (int index = 0; index < form->tabCtrl->Count(); ++index) {
            const QRect caption = form->tabCtrl->CaptionRect(index);
            EXPECT_TRUE(strip->tabRect(index).contains(caption)) << index;
            EXPECT_LE(captionMetrics.size(Qt::TextShowMnemonic, strip->tabText(index)).width(),
                      caption.width())
                << index;
            EXPECT_GE(captionMetrics.height(), 0.6 * QFontMetricsF(themeFont).height()) << "still readable";
        }

        // The date edit's own field shows the whole date, beside the drop-down button.
        QLineEdit* field = form->deDate->findChild<QLineEdit*>();
        ASSERT_NE(field, nullptr);
        const qreal textWidth = QFontMetricsF(field->font()).horizontalAdvance(field->text());
        EXPECT_EQ(field->text(), QStringLiteral("09/22/23"));
        EXPECT_LE(textWidth, field->contentsRect().width() - 2 * 2) << "QLineEdit keeps 2 free at each side";
        EXPECT_TRUE(form->deDate->rect().contains(field->geometry()));
        QStyleOptionComboBox option;
        option.initFrom(form->deDate);
        option.editable = true;
        const QRect arrow = form->deDate->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                                  QStyle::SC_ComboBoxArrow, form->deDate);
        EXPECT_LE(field->geometry().right(), arrow.left());
        EXPECT_GE(arrow.width(), TDateEdit::CompactArrowWidth);
    }
    // Where there is room, the theme's sizes stay.
    EXPECT_EQ(form->tabCtrl->CaptionFont(), themeFont);
    EXPECT_FALSE(form->deDate->Compact());
    EXPECT_EQ(form->deDate->findChild<QLineEdit*>()->font(), form->deDate->font());
}
