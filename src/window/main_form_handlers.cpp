// The window's handlers: navigation input, the settings page, Save and Reset, the about page.

#include "about_text.h"
#include "controls/combo_box.h"
#include "controls/tag.h"
#include "main_form.h"
#include "schedule/duty_rotation.h"
#include "schedule/month_navigation.h"
#include "settings/color_roles.h"
#include "settings/settings_file.h"

#include <QDateEdit>
#include <QDesktopServices>
#include <QGraphicsOpacityEffect>
#include <QKeyEvent>
#include <QLineEdit>
#include <QUrl>
#include <algorithm>

namespace {

// Windows virtual-key codes of the navigation keys.
enum VirtualKey : int {
    VK_PRIOR = 33,
    VK_NEXT = 34,
    VK_END = 35,
    VK_HOME = 36,
    VK_LEFT = 37,
    VK_UP = 38,
    VK_RIGHT = 39,
    VK_DOWN = 40,
};

int VirtualKeyOf(int qtKey) {
    switch (qtKey) {
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    default:
        // Qt names a printable key by its character, and '!' to '(' share the navigation keys' codes.
        return qtKey >= VK_PRIOR && qtKey <= VK_DOWN ? int(Qt::Key_unknown) : qtKey;
    }
}

} // namespace

void TMainForm::Refresh() {
    if (!created_)
        return;
    FillGridDates(state_, state_.CurrentDate);
    RefreshAll(state_.CurrentDate);
}

void TMainForm::keyPressEvent(QKeyEvent* event) {
    int key = VirtualKeyOf(event->key());
    FormKeyDown(key);
    // Keys that are not the handler's own come after it: the handler sees every key as before.
    if (IsDayMenuKey(*event) && DayMenuReachable()) {
        PopupDayMenu(std::nullopt);
        key = 0;
    }
    if (key == 0)
        event->accept();
    else
        event->ignore();
}

void TMainForm::FormKeyDown(int& key) {
    switch (key) {
    case VK_PRIOR:
        StepMonths(state_, -1);
        MarkCurrentDate(state_);
        key = 0;
        break;
    case VK_NEXT:
        StepMonths(state_, +1);
        MarkCurrentDate(state_);
        key = 0;
        break;
    case VK_END:
        GoToMark(state_);
        key = 0;
        break;
    case VK_HOME:
        GoToToday(state_, clock_);
        key = 0;
        break;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
        static constexpr int steps[] = {-1, -7, +1, +7};
        StepDays(state_, steps[key - VK_LEFT]);
        MarkCurrentDate(state_);
        key = 0;
        break;
    }
    default:
        break;
    }
    Refresh();
}

void TMainForm::bPrevClick() {
    StepMonths(state_, -1);
    Refresh();
}

void TMainForm::bNextClick() {
    StepMonths(state_, +1);
    Refresh();
}

void TMainForm::bTodayClick() {
    GoToToday(state_, clock_);
    Refresh();
}

void TMainForm::gR00Click() {
    const std::optional<int> index = TagOf(sender());
    if (!index || !SelectGridCell(state_, *index))
        return;
    RefreshAll(state_.CurrentDate);
}

void TMainForm::deDateClosePicker() {
    if (!PickDate(state_, SerialOf(deDate->date()), clock_))
        deDate->setDate(QDateOf(state_.CurrentDate));
    MarkCurrentDate(state_);
    Refresh();
    // Disabling the edit takes the focus from it, but Qt hands it on to the next control in the tab
    // chain; the window takes it instead, so that the next keys reach FormKeyDown and nothing else.
    deDate->setEnabled(false);
    deDate->setEnabled(true);
    setFocus(Qt::OtherFocusReason);
}

void TMainForm::bWorkClick() {
    EnsureColorSwatches();
    ccbColor->setVisible(true);
    const std::optional<int> tag = TagOf(sender());
    SetTag(ccbColor, tag);
    if (const ColorRole* role = tag ? ColorRoleForTag(*tag) : nullptr) {
        const TAlphaColor color = state_.*(role->Member);
        const auto named = std::find_if(NamedColors.begin(), NamedColors.end(),
                                        [color](const NamedColor& entry) { return entry.Value == color; });
        // A color without a name (edited by hand into the file) selects nothing, so that closing the
        // list without a choice keeps it instead of taking whatever the list showed last.
        ccbColor->setCurrentIndex(named == NamedColors.end() ? -1
                                                             : static_cast<int>(named - NamedColors.begin()));
    }
    ccbColor->showPopup();
}

void TMainForm::ccbColorClosePopup() {
    const int entry = ccbColor->currentIndex();
    const TAlphaColor color = entry < 0 ? claNull : NamedColors[std::size_t(entry)].Value;
    const std::optional<int> tag = TagOf(ccbColor);
    const ColorRole* role = tag ? ColorRoleForTag(*tag) : nullptr;
    if (color != claNull && role) {
        state_.*(role->Member) = color;
        if (role->Member == &SettingsState::BackgroundColor) {
            const TAlphaColor contrast = ContrastColor(color);
            bBkGr->SetFontColor(claBlack);
            bSave->SetFontColor(claBlack);
            for (TLabel* label :
                 {lblToolbar0, lblToolbar1, lblToolbar2, lblToolbar3, lblPlatoon, lblPaydays, lblAgency})
                label->SetTextColor(contrast);
            // The glyphs on the new fill follow the labels of their pages; the month arrows follow the
            // month name at the next refresh.
            for (TSpeedButton* glyph : {sbBack1, sbBack2, sbBack3, sbReset})
                glyph->SetFontColor(contrast);
            QPalette palette = edAgency->palette();
            palette.setColor(QPalette::Text, Qt::black);
            edAgency->setPalette(palette);
            PaintCalendar();
        } else {
            RoleButtonForTag(*tag)->SetFontColor(color);
        }
    }
    ccbColor->setVisible(false);
}

void TMainForm::cbPltClosePopup() {
    if (cbPlt->currentIndex() < 0)
        cbPlt->setCurrentIndex(0);
    SelectAssignment(state_, cbPlt->currentIndex());
    ApplyTitleRule();
}

void TMainForm::edAgencyEnter() {
    agencyOpacity_->setOpacity(1);
    QFont font = edAgency->font();
    font.setBold(true);
    edAgency->setFont(font);
}

void TMainForm::edAgencyExit() {
    agencyOpacity_->setOpacity(0.5);
    QFont font = edAgency->font();
    font.setBold(false);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    edAgency->setFont(font);
}

void TMainForm::sbBack1Click() {
    tabCtrl->SetCurrentIndex(0);
}

void TMainForm::tabCtrlChange() {
    // The control that had the focus lies on the page just left. Qt would keep it there or hand it
    // to the next control in the tab chain, the date edit perhaps, which takes the arrow keys.
    setFocus(Qt::OtherFocusReason);
    ApplyTitleRule();
    Refresh();
}

void TMainForm::bSaveClick() {
    SettingsPageValues page;
    page.AgencyEditText = edAgency->text().toStdString();
    page.WorkAssign = cbPlt->currentText().toStdString();
    page.ShowPaydays = swPaydays->isChecked();
    const QSize outer = OuterSizeToSave();
    page.Width = outer.width();
    page.Height = outer.height();
    SaveSettings(state_, page);
    Refresh();
    tabCtrl->SetCurrentIndex(0);
}

void TMainForm::sbResetClick() {
    ResetWindowSize(state_);
    SetOuterSize(QSize(DefaultWindowWidth, DefaultWindowHeight));
}

void TMainForm::sbEmailClick() {
    QDesktopServices::openUrl(QUrl(QString::fromStdString(SupportRequestAddress())));
}

void TMainForm::sbTolmereClick() {
    QDesktopServices::openUrl(QUrl(QString::fromStdString(WebPageAddress())));
}
