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
#include <sstream>
#include <string>

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

struct FitCase {
    const char* name;
    QSize wanted;
    QSize available;
    QSize fitted;
};

void PrintTo(const FitCase& row, std::ostream* out) {
    *out << row.name;
}

class FitOuterSizeTest : public testing::TestWithParam<FitCase> {};

TEST_P(FitOuterSizeTest, CutsToTheScreenButNeverBelowTheMinimum) {
    const FitCase& row = GetParam();
    EXPECT_EQ(TMainForm::FitOuterSize(row.wanted, row.available), row.fitted);
}

// 683 x 512 is a 1024 x 768 screen at display scale 1.5.
INSTANTIATE_TEST_SUITE_P(Screens, FitOuterSizeTest,
                         testing::Values(FitCase{"Fits", {360, 567}, {800, 800}, {360, 567}},
                                         FitCase{"ExactlyFits", {480, 640}, {480, 640}, {480, 640}},
                                         FitCase{"TooTall", {360, 567}, {683, 512}, {360, 512}},
                                         FitCase{"TooWideAndTall", {480, 640}, {400, 600}, {400, 600}},
                                         FitCase{"MinimumHeightWins", {480, 640}, {400, 300}, {400, 320}},
                                         FitCase{"MinimumWins", {360, 567}, {100, 200}, {180, 320}}),
                         [](const testing::TestParamInfo<FitCase>& info) {
                             return std::string(info.param.name);
                         });

// On a screen too small for the largest window: the ScreenFit tests of tests/window/CMakeLists.txt
// run these on offscreen screens of 1024 x 768 at display scale 1.5 and of 400 x 300.
class ScreenFitTest : public WindowTest {
protected:
    void SaveNow() const {
        form->tabCtrl->SetCurrentIndex(1);
        ClickAt(form->bSave, form->bSave->rect().center());
    }

    // The saved "Width" and "Height", as "width x height".
    std::string SavedSize() const {
        std::istringstream lines(SettingsText());
        std::string line, width, height;
        while (std::getline(lines, line)) {
            if (line.rfind("Width=", 0) == 0)
                width = line.substr(6);
            else if (line.rfind("Height=", 0) == 0)
                height = line.substr(7);
        }
        return width + " x " + height;
    }

    // The window as large as `wanted` allows on its screen: the whole frame on the screen, or, where
    // even the smallest window does not fit, the smallest window with its top left corner in the
    // screen's.
    void ExpectOnTheScreen(QSize wanted) const {
        const QRect area = form->screen()->availableGeometry();
        const QRect frame = form->frameGeometry();
        const QSize room = area.size().expandedTo(TMainForm::MinimumOuterSize);
        EXPECT_LE(frame.width(), room.width());
        EXPECT_LE(frame.height(), room.height());
        EXPECT_EQ(frame.size(), TMainForm::FitOuterSize(wanted, area.size()));
        if (frame.width() <= area.width() && frame.height() <= area.height()) {
            EXPECT_TRUE(area.contains(frame))
                << "frame " << frame.x() << "," << frame.y() << " " << frame.width() << "x" << frame.height();
        } else {
            EXPECT_EQ(frame.topLeft(), area.topLeft());
        }
    }
};

TEST_F(ScreenFitTest, TheSavedSizeIsCutToTheScreenAndSaveKeepsIt) {
    const QRect area = form->screen()->availableGeometry();
    if (area.width() >= TMainForm::MaximumOuterSize.width() &&
        area.height() >= TMainForm::MaximumOuterSize.height())
        GTEST_SKIP() << "this screen holds the largest window; the ScreenFit tests use smaller ones";

    ReopenWith("[Config]\nWidth=480\nHeight=640\n");
    ExpectOnTheScreen(QSize(480, 640));
    // The scaling follows the size the window took.
    EXPECT_EQ(DockExtent(form->tbCalendar), form->frameGeometry().height() / 16.0);
    SaveNow();
    EXPECT_EQ(SavedSize(), "480 x 640") << "a smaller screen never changes the saved size";

    // A size the user gives the window is saved as it is.
    const QSize chosen(300, 400);
    form->resize(chosen - (form->frameGeometry().size() - form->size()));
    ASSERT_EQ(form->frameGeometry().size(), chosen);
    SaveNow();
    EXPECT_EQ(SavedSize(), "300 x 400");

    // The size reset is cut the same way, and saved as the size it asks for.
    form->tabCtrl->SetCurrentIndex(1);
    ClickAt(form->sbReset, form->sbReset->rect().center());
    ExpectOnTheScreen(QSize(360, 567));
    EXPECT_EQ(SavedSize(), "360 x 567");
    SaveNow();
    EXPECT_EQ(SavedSize(), "360 x 567");
}
