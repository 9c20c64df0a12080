#include "date_edit.h"

#include <QCalendarWidget>
#include <QEvent>

TDateEdit::TDateEdit(QWidget* parent) : QDateEdit(parent) {
    setCalendarPopup(true);
}

void TDateEdit::SetFirstDayOfWeek(Qt::DayOfWeek day) {
    firstDayOfWeek_ = day;
    if (picker_)
        calendarWidget()->setFirstDayOfWeek(day);
}

void TDateEdit::PreparePicker() {
    if (picker_)
        return;
    QCalendarWidget* calendar = calendarWidget();
    calendar->setFirstDayOfWeek(firstDayOfWeek_);
    // The calendar is a window of its own: its hiding is every close, chosen or dismissed.
    picker_ = calendar->window();
    picker_->installEventFilter(this);
}

void TDateEdit::mousePressEvent(QMouseEvent* event) {
    PreparePicker();
    QDateEdit::mousePressEvent(event);
}

void TDateEdit::keyPressEvent(QKeyEvent* event) {
    PreparePicker();
    QDateEdit::keyPressEvent(event);
}

bool TDateEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == picker_ && event->type() == QEvent::Hide)
        emit closePicker();
    return QDateEdit::eventFilter(watched, event);
}
