// The member's own days in the window: the days file read for the shown grid and watched for other
// programs' changes, the signs on the day cells, and the day menu that marks a day.
//
// The file is read once at start-up, and then whenever it changes on disk; the marks of a grid are
// read from the text already in memory as the grid is first shown, so no navigation touches the file.

#include "calendar/mark_sign.h"
#include "controls/day_sign.h"
#include "controls/dock_layout.h"
#include "controls/tag.h"
#include "main_form.h"
#include "schedule/duty_rotation.h"
#include "schedule/month_navigation.h"

#include <QActionGroup>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFileSystemWatcher>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <stdexcept>

namespace {

// Cells 40 and 41 are the legend; every other cell shows a day.
constexpr std::size_t DayCells = 40;
// Cells from this index on never hold a day of the shown month.
constexpr int FirstInertCell = 37;
// A program writing the file raises several notices (its temporary file, the rename, the lock file);
// they are read as one.
constexpr int ReloadDelayMs = 50;

std::filesystem::path Utf8Path(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

QString Capitalized(const std::string& text) {
    QString capital = QString::fromStdString(text);
    if (!capital.isEmpty())
        capital[0] = capital[0].toUpper();
    return capital;
}

QString FolderOf(const std::filesystem::path& file) {
    const std::filesystem::path folder = file.parent_path();
    return QString::fromStdU16String(folder.u16string());
}

} // namespace

void TMainForm::OpenDaysFile() {
    days_ = std::make_unique<DaysStore>(DaysFileBeside(Utf8Path(state_.IniFileName)));
    days_->Load(GridRange());
    daysReload_ = new QTimer(this);
    daysReload_->setSingleShot(true);
    daysReload_->setInterval(ReloadDelayMs);
    connect(daysReload_, &QTimer::timeout, this, &TMainForm::ReloadDays);
    // The file is replaced whole on every change, a new file each time, so the folder is watched for
    // the replacement and the file itself for a program that writes it in place.
    daysWatcher_ = new QFileSystemWatcher(this);
    daysWatcher_->addPath(FolderOf(days_->File()));
    WatchDaysFile();
    const auto changed = [this] { daysReload_->start(); };
    connect(daysWatcher_, &QFileSystemWatcher::directoryChanged, this, changed);
    connect(daysWatcher_, &QFileSystemWatcher::fileChanged, this, changed);
    TellDaysProblem();
}

void TMainForm::WatchDaysFile() {
    const QString file = QString::fromStdU16String(days_->File().u16string());
    if (!daysWatcher_->files().contains(file))
        daysWatcher_->addPath(file);
}

void TMainForm::ReloadDays() {
    const DayMarks before = days_->Marks();
    days_->Load(GridRange());
    WatchDaysFile();
    if (created_ && days_->Marks() != before)
        PaintDayMarks();
    TellDaysProblem();
}

void TMainForm::ShowGridDays() {
    if (days_ && days_->ShowDays(GridRange()) == DaysStore::LoadStatus::Unreadable)
        TellDaysProblem();
}

void TMainForm::TellDaysProblem() {
    if (days_->IsReadable()) {
        daysProblemTold_.clear();
        return;
    }
    const std::string message = days_->ProblemMessage();
    if (message == daysProblemTold_)
        return;
    daysProblemTold_ = message;
    // Posted, not shown at once: at start-up the box waits for the window, which shows without marks.
    const std::runtime_error error(
        (Capitalized(message) + QStringLiteral(". Marking is off until the file is fixed or removed"))
            .toStdString());
    QCoreApplication::postEvent(QCoreApplication::instance(),
                                new THandlerErrorEvent(std::make_exception_ptr(error)));
}

DayRange TMainForm::GridRange() const {
    return DayRange{state_.GridDates.front(), state_.GridDates.back()};
}

const DayMark* TMainForm::MarkOnDay(TDateTime date) const {
    return days_ ? days_->MarkOn(date) : nullptr;
}

QString TMainForm::MarkWords(const ScheduleState& schedule, TDateTime date, bool why) const {
    const DayMark* mark = MarkOnDay(date);
    if (mark == nullptr)
        return {};
    const char code = DutyCodeOf(schedule, date);
    QString words;
    if (why) {
        words = QString::fromStdString(MarkInWords(*mark, code));
    } else {
        words = QString::fromStdString(MarkText(*mark));
        if (!MarkFits(mark->Kind, code))
            words += QStringLiteral(" (not counted)");
        if (!mark->Note.empty())
            words += QStringLiteral(": ") + QString::fromStdString(mark->Note);
    }
    // The status line and a cell's name are one line each.
    words.replace(QLatin1Char('\n'), QLatin1Char(' '));
    words.replace(QLatin1Char('\t'), QLatin1Char(' '));
    return words;
}

TDaySign* TMainForm::SignOf(std::size_t cell) {
    if (gM[cell] == nullptr) {
        auto* sign = new TDaySign(gT[cell]);
        sign->setObjectName(QStringLiteral("gM%1").arg(cell, 2, 10, QLatin1Char('0')));
        TDockLayout::Of(gT[cell])->AddDocked(sign, TDock::Contents);
        gM[cell] = sign;
    }
    return gM[cell];
}

void TMainForm::PaintDayMarks() {
    PaintDaySigns();
    PaintStatusMark();
    DescribeCellMarks();
}

void TMainForm::PaintStatusMark() {
    const QString mark = MarkWords(state_, state_.CurrentDate, false);
    if (mark.isEmpty()) {
        lblStatus->SetText(statusText_);
        return;
    }
    // A line of its own, cut to the room between the buttons.
    const qreal room = deDate->geometry().left() - bToday->geometry().right() - 1;
    const QString line = QFontMetricsF(lblStatus->EffectiveFont()).elidedText(mark, Qt::ElideRight, room);
    lblStatus->SetText(statusText_.isEmpty() ? line : statusText_ + QLatin1Char('\r') + line);
}

void TMainForm::PaintDaySigns() {
    for (std::size_t cell = 0; cell < DayCells; ++cell) {
        const TDateTime date = state_.GridDates[cell];
        const DayMark* mark = MarkOnDay(date);
        if (mark == nullptr) {
            if (gM[cell] != nullptr) {
                gM[cell]->SetLetter(QString());
                gM[cell]->setVisible(false);
            }
            continue;
        }
        TDaySign* sign = SignOf(cell);
        const MarkSignLook look =
            MarkSignOn(gR[cell]->FillColor(), MarkFits(mark->Kind, DutyCodeOf(state_, date)));
        sign->SetLetter(QString(QLatin1Char(MarkKindLetter(mark->Kind))));
        sign->SetRing(look.Ring);
        sign->SetInkColor(look.Ink);
        sign->SetLetterColor(look.LetterColor);
        sign->setVisible(true);
    }
}

// The day menu.

bool TMainForm::DayMenuReachable() const {
    if (tabCtrl->CurrentIndex() != 0 || (pmDay != nullptr && pmDay->isVisible()))
        return false;
    // An edit field shows its own context menu for the same key.
    const QWidget* focus = QApplication::focusWidget();
    return focus == nullptr || qobject_cast<const QLineEdit*>(focus) == nullptr;
}

bool TMainForm::IsDayMenuKey(const QKeyEvent& event) {
    return event.key() == Qt::Key_Menu ||
           (event.key() == Qt::Key_F10 && event.modifiers() == Qt::ShiftModifier);
}

void TMainForm::contextMenuEvent(QContextMenuEvent* event) {
    // Where the platform turns the Menu key into a context menu request, the request comes first.
    if (event->reason() == QContextMenuEvent::Keyboard && DayMenuReachable()) {
        event->accept();
        PopupDayMenu(std::nullopt);
        return;
    }
    QWidget::contextMenuEvent(event);
}

void TMainForm::gR00ContextPopup(QPoint globalPosition) {
    // Selects the day as a click does; on a day of a neighbouring month nothing happens at all.
    const std::optional<int> index = TagOf(sender());
    if (!index || !SelectGridCell(state_, *index))
        return;
    RefreshAll(state_.CurrentDate);
    PopupDayMenu(globalPosition);
}

void TMainForm::PopupDayMenu(std::optional<QPoint> globalPosition) {
    EnsureDayMenu();
    // The file may have been fixed or removed since it was last read.
    if (days_ && !days_->IsReadable())
        ReloadDays();
    menuDate_ = state_.CurrentDate;
    PrepareDayMenu();
    QPoint at;
    if (globalPosition) {
        at = *globalPosition;
    } else {
        for (int cell = 0; cell < FirstInertCell; ++cell) {
            if (state_.GridDates[std::size_t(cell)] == state_.CurrentDate) {
                const TRectangle* selected = gR[std::size_t(cell)];
                at = selected->mapToGlobal(selected->rect().center());
            }
        }
    }
    pmDay->popup(at);
}

void TMainForm::EnsureDayMenu() {
    if (pmDay != nullptr)
        return;
    pmDay = new QMenu(this);
    pmDay->setObjectName(QStringLiteral("pmDay"));
    miMarkingOff = pmDay->addAction(QString());
    miMarkingOff->setObjectName(QStringLiteral("miMarkingOff"));
    miMarkingOff->setEnabled(false);
    const struct {
        QAction*& action;
        const char* name;
        QString text;
        MarkKind kind;
    } kinds[] = {
        {miLeave, "miLeave", QStringLiteral("&Leave"), MarkKind::Leave},
        {miSick, "miSick", QStringLiteral("&Sick"), MarkKind::Sick},
        {miTradedAway, "miTradedAway", QStringLiteral("&Traded away"), MarkKind::TradedAway},
        {miExtraShift, "miExtraShift", QStringLiteral("&Extra shift…"), MarkKind::ExtraShift},
    };
    // One kind a day: the kinds show as choices of one, none chosen on a day without a mark.
    auto* kindGroup = new QActionGroup(pmDay);
    kindGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (const auto& entry : kinds) {
        entry.action = pmDay->addAction(entry.text);
        kindGroup->addAction(entry.action);
        entry.action->setObjectName(QLatin1String(entry.name));
        entry.action->setCheckable(true);
        SetTag(entry.action, static_cast<int>(entry.kind));
        Bind(entry.action, &QAction::triggered, &TMainForm::miKindClick);
    }
    pmDay->addSeparator();
    miNote = pmDay->addAction(QStringLiteral("&Note…"));
    miNote->setObjectName(QStringLiteral("miNote"));
    Bind(miNote, &QAction::triggered, &TMainForm::miNoteClick);
    miClear = pmDay->addAction(QStringLiteral("&Clear"));
    miClear->setObjectName(QStringLiteral("miClear"));
    Bind(miClear, &QAction::triggered, &TMainForm::miClearClick);
}

void TMainForm::PrepareDayMenu() {
    const TDateTime date = menuDate_;
    const char code = DutyCodeOf(state_, date);
    const DayMark* mark = MarkOnDay(date);
    const bool readable = days_ && days_->IsReadable();
    const bool markable = IsMarkableDay(date);
    if (!readable) {
        miMarkingOff->setText(QStringLiteral("Marking is off: the days file cannot be read (%1)")
                                  .arg(days_ ? QString::fromStdString(days_->Problem()) : QString()));
    } else if (!markable) {
        miMarkingOff->setText(QStringLiteral("Marks go on days from %1 to %2")
                                  .arg(FormatShortDate(state_.AppFormatSettings, MarkableDays.First),
                                       FormatShortDate(state_.AppFormatSettings, MarkableDays.Last)));
    }
    miMarkingOff->setVisible(!readable || !markable);
    const bool marking = readable && markable;
    for (QAction* action : {miLeave, miSick, miTradedAway, miExtraShift}) {
        const auto kind = static_cast<MarkKind>(*TagOf(action));
        action->setVisible(marking && MarkFits(kind, code));
        action->setChecked(mark != nullptr && mark->Kind == kind);
    }
    miNote->setVisible(marking);
    miClear->setVisible(marking && mark != nullptr);
}

void TMainForm::miKindClick() {
    const std::optional<int> tag = TagOf(sender());
    if (!tag || !days_)
        return;
    const auto kind = static_cast<MarkKind>(*tag);
    const TDateTime date = menuDate_;
    const DayMark* shown = MarkOnDay(date);
    const std::optional<DayMark> old = shown ? std::optional<DayMark>(*shown) : std::nullopt;
    // A new kind keeps the day's note.
    DayMark mark{kind, old ? old->Note : std::string(), std::nullopt};
    if (kind == MarkKind::ExtraShift) {
        const std::optional<double> start =
            old && old->Kind == MarkKind::ExtraShift ? old->Hours : lastShiftHours_;
        const std::optional<std::optional<double>> hours = dayQuestions_.AskHours(
            this, state_.AppFormatSettings.Locale.toString(QDateOf(date), QLocale::LongFormat), start);
        if (!hours)
            return;
        mark.Hours = *hours;
        if (*hours)
            lastShiftHours_ = *hours;
    }
    ApplyDayChange(days_->SetMark(date, mark, DutyCodeOf(state_, date)));
}

void TMainForm::miNoteClick() {
    if (!days_)
        return;
    const TDateTime date = menuDate_;
    const DayMark* shown = MarkOnDay(date);
    const std::optional<DayMark> old = shown ? std::optional<DayMark>(*shown) : std::nullopt;
    const std::optional<QString> text = dayQuestions_.AskNote(
        this, state_.AppFormatSettings.Locale.toString(QDateOf(date), QLocale::LongFormat),
        QString::fromStdString(old ? old->Note : std::string()));
    if (!text)
        return;
    const std::string note = text->toStdString();
    if (!old) {
        if (!note.empty())
            ApplyDayChange(days_->SetMark(date, DayMark{MarkKind::NoteOnly, note, std::nullopt},
                                          DutyCodeOf(state_, date)));
        return;
    }
    // A note without its text is no mark at all.
    if (old->Kind == MarkKind::NoteOnly && note.empty()) {
        ApplyDayChange(days_->ClearMark(date));
        return;
    }
    DayMark mark = *old;
    mark.Note = note;
    ApplyDayChange(days_->SetMark(date, mark, DutyCodeOf(state_, date)));
}

void TMainForm::miClearClick() {
    if (days_)
        ApplyDayChange(days_->ClearMark(menuDate_));
}

void TMainForm::ApplyDayChange(const DaysStore::Outcome& outcome) {
    // The calendar shows the change also when it was not written: the store keeps it for the next.
    PaintDayMarks();
    QString message;
    switch (outcome.State) {
    case DaysStore::Outcome::Status::Written:
        return;
    case DaysStore::Outcome::Status::Refused:
        message = Capitalized(outcome.Message) + QStringLiteral(". Nothing was changed");
        break;
    case DaysStore::Outcome::Status::Blocked:
        message = Capitalized(outcome.Message) +
                  QStringLiteral(". Marking is off until the file is fixed or removed");
        break;
    case DaysStore::Outcome::Status::NotWritten:
        message =
            days_->IsReadable()
                ? QStringLiteral("Unable to write to %1. The change shows on the calendar and is written "
                                 "with the next one")
                      .arg(QString::fromStdString(days_->FileText()))
                : Capitalized(outcome.Message) +
                      QStringLiteral(". The change shows on the calendar and is written with the next one "
                                     "once the file is fixed or removed");
        break;
    }
    if (!days_->IsReadable())
        daysProblemTold_ = days_->ProblemMessage();
    throw std::runtime_error(message.toStdString());
}
