// Layout scaling: the calendar page's bars, grids and footer follow the window size, and the six
// font sizes follow the bars.

#include "controls/dock_layout.h"
#include "controls/grid_flow_layout.h"
#include "main_form.h"

#include <QDateEdit>
#include <QLayout>
#include <QScreen>
#include <algorithm>

namespace {

// The seven items of a row and the rows of a grid take 0.1 less than the grid, so the flow never
// wraps early through rounding.
constexpr qreal GridSlack = 0.1;
constexpr int Columns = 7;
constexpr int DayRows = 6;

} // namespace

void TMainForm::FormResize() {
    // The whole window, frame included; already whole pixels.
    const int h = frameGeometry().height();
    // Lay the window out for its current size before any size is read back.
    layout()->setGeometry(rect());

    // Each layout takes all of its new sizes at once and is arranged once for them.
    TDockLayout::Of(tabCalendar)
        ->SetExtents({{tbCalendar, h / 16.0},
                      {loMonthName, h / 10.0},
                      {loDaysOfWeek, h / 16.0},
                      {loFooter, h / 12.0}});

    const QSizeF headerSize = ExactSizeOf(gloDOW);
    TGridFlowLayout::Of(gloDOW)->SetItemSize((headerSize.width() - GridSlack) / Columns,
                                             headerSize.height() - GridSlack);

    const QSizeF daysSize = ExactSizeOf(gloCal);
    TGridFlowLayout::Of(gloCal)->SetItemSize((daysSize.width() - GridSlack) / Columns,
                                             (daysSize.height() - GridSlack) / DayRows);

    const qreal footerWidth = ExactSizeOf(loFooter).width();
    TDockLayout::Of(rectFooter)
        ->SetExtents({{bToday, footerWidth * 2 / 7 - 4}, {deDate, footerWidth * 2 / 7 - 4}});

    ComputeFontSizes();
    // A resize does not change CurrentDate, so the month grid is not refilled.
    if (created_) {
        RefreshAll(state_.CurrentDate);
    }
}

void TMainForm::ComputeFontSizes() {
    state_.TitleFontSize = static_cast<float>(0.4 * DockExtent(tbCalendar));
    state_.TitleFontSizeSmall = static_cast<float>(0.32 * DockExtent(tbCalendar));
    state_.MonthFontSize = static_cast<float>(0.48 * DockExtent(loMonthName));
    state_.WeekdayFontSize = static_cast<float>(0.32 * TGridFlowLayout::Of(gloDOW)->ItemHeight());
    state_.DayFontSize = static_cast<float>(0.48 * TGridFlowLayout::Of(gloCal)->ItemHeight());
    state_.StatusFontSize = static_cast<float>(0.25 * DockExtent(loFooter));
}

bool TMainForm::UpdateSizeLimits() {
    const QSize extra = frameGeometry().size() - size();
    if (extra == frameExtra_) {
        return false;
    }
    frameExtra_ = extra;
    setMinimumSize(MinimumOuterSize - extra);
    setMaximumSize(MaximumOuterSize - extra);
    if (pendingOuterSize_ && FrameKnown()) {
        const QSize wanted = *pendingOuterSize_;
        pendingOuterSize_.reset();
        ApplyOuterSize(wanted);
    }
    return true;
}

QSize TMainForm::FitOuterSize(QSize wanted, QSize available) {
    return wanted.boundedTo(available).expandedTo(MinimumOuterSize);
}

void TMainForm::SetOuterSize(QSize outer) {
    // The size the window would take on a screen large enough for it.
    const QSize wanted = outer.expandedTo(MinimumOuterSize).boundedTo(MaximumOuterSize);
    if (!FrameKnown())
        pendingOuterSize_ = wanted;
    ApplyOuterSize(wanted);
}

void TMainForm::ApplyOuterSize(QSize wanted) {
    // The available area is in the same device-independent units as the window, at any scale.
    const QRect area = screen()->availableGeometry();
    const QSize given = FitOuterSize(wanted, area.size());
    if (given != wanted)
        screenCut_ = ScreenCut{wanted, given};
    else
        screenCut_.reset();
    // One resize for both: the width and the height set one after the other would scale and repaint
    // the window twice for a single change.
    resize(given - QSize(std::max(frameExtra_.width(), 0), std::max(frameExtra_.height(), 0)));
    // Qt sends a visible window's resize event at once, a hidden one's when it shows.
    if (!isVisible())
        FormResize();
    // The system chose the place for a window of another size; a frame that now reaches past the
    // screen's edge comes back within it. Where the system places windows itself (Wayland), this asks
    // for nothing it would grant.
    const QRect frame = frameGeometry();
    if (!area.contains(frame)) {
        const QPoint inside(
            std::clamp(frame.left(), area.left(), std::max(area.left(), area.right() + 1 - frame.width())),
            std::clamp(frame.top(), area.top(), std::max(area.top(), area.bottom() + 1 - frame.height())));
        if (inside != frame.topLeft())
            move(inside);
    }
}

QSize TMainForm::OuterSizeToSave() const {
    const QSize now = frameGeometry().size();
    if (screenCut_ && screenCut_->Given == now)
        return screenCut_->Wanted;
    return now;
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    UpdateSizeLimits();
    FormResize();
}

void TMainForm::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    // The window manager reports the frame late; it arrives with a move. The scaling reads the whole
    // window's height, which then changed without a resize of the client area.
    if (UpdateSizeLimits() && isVisible()) {
        FormResize();
    }
}

void TMainForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    UpdateSizeLimits();
}
