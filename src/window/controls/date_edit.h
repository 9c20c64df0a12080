#pragma once
// TDateEdit: a date edit with a drop-down calendar that reports every close of the calendar, whether a
// day was chosen or it was dismissed. The calendar is built when the user first opens it, not with
// the edit, so a window that never opens it never pays for it.

#include <QDateEdit>

class TDateEdit : public QDateEdit {
    Q_OBJECT

public:
    explicit TDateEdit(QWidget* parent = nullptr);

    // The day the drop-down calendar starts its weeks on, now or once it is built.
    Qt::DayOfWeek FirstDayOfWeek() const { return firstDayOfWeek_; }
    void SetFirstDayOfWeek(Qt::DayOfWeek day);

    // Builds the drop-down calendar now, as opening it does.
    void PreparePicker();

signals:
    void closePicker();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Qt::DayOfWeek firstDayOfWeek_ = Qt::Sunday;
    QWidget* picker_ = nullptr; // the calendar's popup window, once built
};
