// Start-up: the create handler that turns the stored layout into the user's calendar.

#include "about_text.h"
#include "main_form.h"
#include "schedule/duty_rotation.h"
#include "schedule/month_navigation.h"
#include "settings/settings_file.h"

#include <QDateEdit>
#include <QGraphicsOpacityEffect>
#include <QLineEdit>

namespace {

// The first entry whose text equals `text`, ASCII letters compared without case; -1 when none does.
int FindAssignment(const QComboBox* list, const std::string& text) {
    const QString wanted = QString::fromStdString(text);
    for (int index = 0; index < list->count(); ++index) {
        const QString item = list->itemText(index);
        if (item.size() != wanted.size())
            continue;
        bool same = true;
        for (qsizetype i = 0; same && i < item.size(); ++i) {
            const QChar a = item[i], b = wanted[i];
            same = a == b || (a.unicode() < 128 && b.unicode() < 128 && a.toLower() == b.toLower());
        }
        if (same)
            return index;
    }
    return -1;
}

} // namespace

void TMainForm::FormCreate() {
    state_.PlatformText = PlatformText();
    state_.AppFormatSettings = FormatSettingsFrom(locale_);
    LocateSettingsFile(state_, settingsBase_);
    const LoadedSettings loaded = LoadSettings(state_);
    swPaydays->setChecked(loaded.ShowPaydays);
    SetOuterSize(QSize(loaded.Width, loaded.Height));

    bPrev->SetRepeatClick(true);
    bNext->SetRepeatClick(true);
    const TDateTime today = clock_.Today();
    deDate->setDate(QDateOf(today));
    deDate->SetFirstDayOfWeek(Qt::Sunday);
    state_.MarkDate = today;

    const int assignment = FindAssignment(cbPlt, loaded.WorkAssign);
    cbPlt->setCurrentIndex(assignment < 0 ? 0 : assignment);
    SelectAssignment(state_, cbPlt->currentIndex());
    // Applying the saved size above ran the scaling at once, so the title takes the sizes of the
    // window as it now is.
    ApplyTitleRule();

    edAgency->setText(QString::fromStdString(state_.AgencyName));
    edAgencyExit();
    bWork->SetFontColor(state_.OnDutyColor);
    bOff->SetFontColor(state_.OffDutyColor);
    bMulti->SetFontColor(state_.RdoColor);
    bLdTr->SetFontColor(state_.LeadTrailColor);
    bBkGr->SetFontColor(claBlack);
    bSave->SetFontColor(claBlack);
    lblAbout->SetText(QString::fromStdString(AboutText() + state_.PlatformText));

    tabCtrl->SetCurrentIndex(0);
    state_.CurrentDate = clock_.Today();
    FillGridDates(state_, state_.CurrentDate);
    OpenDaysFile();
    RefreshAll(state_.CurrentDate);
}
