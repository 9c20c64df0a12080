#pragma once
// The two questions of the day menu, a day's note and an extra shift's hours, as small dialogs of
// their own, and the seam through which the window asks them: tests put answers in place of the
// dialogs, so that nothing waits on a modal window.

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

struct TDayQuestions {
    // The note of the day `day` (a date in words), starting from `note`, whose line breaks are LF:
    // the new text, or nothing when the user cancels. The text is a valid note.
    std::function<std::optional<QString>(QWidget* parent, const QString& day, const QString& note)> AskNote;
    // The hours of an extra shift on `day`, starting from `hours`: hours in (0, 48) or none (the inner
    // nothing), or nothing at all when the user cancels.
    std::function<std::optional<std::optional<double>>(QWidget* parent, const QString& day,
                                                       std::optional<double> hours)>
        AskHours;
};

// The questions as the dialogs below, modal to the window.
TDayQuestions DayDialogs();

// "Note": a few lines of text, at most 200 characters. Enter takes the text, Shift+Enter starts a new
// line; OK is off while the text is too long or holds a control character, and the line under the
// text says so.
class TNoteDialog : public QDialog {
    Q_OBJECT

public:
    TNoteDialog(QWidget* parent, const QString& day, const QString& note);

    QString Note() const;
    // Why the text cannot be taken, or empty.
    QString Problem() const;

    QPlainTextEdit* Editor() const { return editor_; }
    QDialogButtonBox* Buttons() const { return buttons_; }
    QLabel* Count() const { return count_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void TextChanged();

    QPlainTextEdit* editor_;
    QLabel* count_;
    QDialogButtonBox* buttons_;
};

// "Extra shift": the shift's hours, a number above 0 and below 48 ("12", "7.5"), or empty for none.
class THoursDialog : public QDialog {
    Q_OBJECT

public:
    THoursDialog(QWidget* parent, const QString& day, std::optional<double> hours);

    // The hours or none, when the text is either; nothing while it is neither.
    std::optional<std::optional<double>> Hours() const;

    QLineEdit* Editor() const { return editor_; }
    QDialogButtonBox* Buttons() const { return buttons_; }

private:
    void TextChanged();

    QLineEdit* editor_;
    QDialogButtonBox* buttons_;
};
