#pragma once
// TDateEdit: a date edit with a drop-down calendar that reports every close of the calendar, whether a
// day was chosen or it was dismissed. The calendar is built when the user first opens it, not with
// the edit, so a window that never opens it never pays for it.
// The date is never cut off. Where the theme's box is too narrow for it at the edit's font, the box
// narrows its drop-down button to CompactArrowWidth and shows the date in the largest size at which
// the whole text fits; the drop-down calendar keeps the edit's font.

#include <QDateEdit>
#include <memory>

class TDateBoxStyle;

class TDateEdit : public QDateEdit {
    Q_OBJECT

public:
    static constexpr int CompactArrowWidth = 13;

    explicit TDateEdit(QWidget* parent = nullptr);
    ~TDateEdit() override;

    // The day the drop-down calendar starts its weeks on, now or once it is built.
    Qt::DayOfWeek FirstDayOfWeek() const { return firstDayOfWeek_; }
    void SetFirstDayOfWeek(Qt::DayOfWeek day);

    // Builds the drop-down calendar now, as opening it does.
    void PreparePicker();

    // True while the box is too narrow for its text at the edit's font and narrows its button.
    bool Compact() const;

signals:
    void closePicker();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The width the text may take in an edit field `fieldWidth` wide.
    qreal TextRoom(int fieldWidth) const;
    int EditFieldWidth(bool compact) const;
    void FitText();

    Qt::DayOfWeek firstDayOfWeek_ = Qt::Sunday;
    QWidget* picker_ = nullptr; // the calendar's popup window, once built
    std::unique_ptr<TDateBoxStyle> style_;
    bool fitting_ = false;
};
