// What the window tells assistive technology: names for the controls that show no words of their
// own, and for each day cell the full date and its duty, renewed with every refresh.

#include "controls/accessible_controls.h"
#include "main_form.h"
#include "schedule/duty_rotation.h"
#include "schedule/payday.h"

#include <QDateEdit>
#include <QLineEdit>

namespace {

// The legend cells 40 and 41 keep names of their own.
constexpr std::size_t DescribedCells = 40;

bool DaySelected(const ScheduleState& state, std::size_t cell) {
    return state.GridDates[cell] == state.CurrentDate;
}

QString DutyInWords(char code) {
    switch (code) {
    case DutyOn:
        return QStringLiteral("on duty");
    case DutyOff:
        return QStringLiteral("off duty");
    case DutyRdo:
        return QStringLiteral("regular day off");
    default:
        return QStringLiteral("no schedule");
    }
}

} // namespace

void TMainForm::ApplyAccessibleNames() {
    InstallAccessibleControls();
    bPrev->setAccessibleName(QStringLiteral("Previous month"));
    bNext->setAccessibleName(QStringLiteral("Next month"));
    deDate->setAccessibleName(QStringLiteral("Go to date"));
    lblMonthName->setAccessibleDescription(QStringLiteral("Shown month"));
    lblStatus->setAccessibleDescription(QStringLiteral("Selected day and assignment"));
    lblToolbar0->setAccessibleDescription(QStringLiteral("Calendar title"));
    gloCal->setAccessibleName(QStringLiteral("Days of the month"));
    for (TSpeedButton* back : {sbBack1, sbBack2, sbBack3})
        back->setAccessibleName(QStringLiteral("Back to the calendar"));
    cbPlt->setAccessibleName(QStringLiteral("Assignment"));
    swPaydays->setAccessibleName(QStringLiteral("Show paydays"));
    edAgency->setAccessibleName(QStringLiteral("Agency name"));
    ccbColor->setAccessibleName(QStringLiteral("Color"));
    sbReset->setAccessibleName(QStringLiteral("Reset the window size"));
    const struct {
        TButton* button;
        const char* name;
    } roles[] = {{bWork, "Color of days on duty"},
                 {bOff, "Color of days off duty"},
                 {bMulti, "Color of regular days off"},
                 {bLdTr, "Color of days of the neighbouring months"},
                 {bBkGr, "Background color"}};
    for (const auto& role : roles)
        role.button->setAccessibleDescription(QString::fromLatin1(role.name));
    ImgHelp->setAccessibleName(QStringLiteral("Help: the settings page and what each of its controls does"));
    gR[40]->setAccessibleName(QStringLiteral("Legend: Wrk, the color of days on duty"));
    gR[41]->setAccessibleName(QStringLiteral("Legend: Off, the color of days off duty"));
}

void TMainForm::DescribeCells() {
    const std::optional<ScheduleState> before = described_;
    const bool paydaysBefore = describedPaydays_;
    described_ = static_cast<const ScheduleState&>(state_);
    describedPaydays_ = swPaydays->isChecked();
    const bool everyName =
        !before || before->BaseDate != described_->BaseDate || paydaysBefore != describedPaydays_;
    for (std::size_t cell = 0; cell < DescribedCells; ++cell) {
        const bool renamed = everyName || before->GridDates[cell] != described_->GridDates[cell];
        const bool wasSelected = before && DaySelected(*before, cell);
        NotifyDayCellChanged(gR[cell], renamed, wasSelected != DaySelected(*described_, cell));
    }
    DescribeCellMarks();
}

void TMainForm::DescribeCellMarks() {
    if (!described_)
        return;
    for (std::size_t cell = 0; cell < DescribedCells; ++cell) {
        QString mark = MarkWords(*described_, described_->GridDates[cell], true);
        if (mark != cellMarks_[cell]) {
            cellMarks_[cell] = std::move(mark);
            NotifyDayCellChanged(gR[cell], true, false);
        }
    }
}

QString TMainForm::DayCellName(int cell) const {
    if (!described_ || cell < 0 || cell >= int(DescribedCells))
        return {};
    const TDateTime date = described_->GridDates[std::size_t(cell)];
    QString name = state_.AppFormatSettings.Locale.toString(QDateOf(date), QLocale::LongFormat) +
                   QStringLiteral(", ") + DutyInWords(DutyCodeOf(*described_, date));
    if (describedPaydays_ && IsPayday(date))
        name += QStringLiteral(", payday");
    if (const QString& mark = cellMarks_[std::size_t(cell)]; !mark.isEmpty())
        name += QStringLiteral(", ") + mark;
    return name;
}

bool TMainForm::DayCellSelected(int cell) const {
    return described_ && cell >= 0 && cell < int(DescribedCells) &&
           DaySelected(*described_, std::size_t(cell));
}
