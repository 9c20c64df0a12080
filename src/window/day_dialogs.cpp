#include "day_dialogs.h"

#include "member_days/day_mark.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString WindowTitleOf(const QString& what) {
    return what + QStringLiteral(" - Varnok® for Tolmere");
}

QDialogButtonBox* OkCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

QLabel* WrappedLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

TNoteDialog::TNoteDialog(QWidget* parent, const QString& day, const QString& note) : QDialog(parent) {
    setWindowTitle(WindowTitleOf(QStringLiteral("Note")));
    auto* layout = new QVBoxLayout(this);
    QLabel* prompt = WrappedLabel(QStringLiteral("&Note for %1:").arg(day), this);
    editor_ = new QPlainTextEdit(this);
    editor_->setObjectName(QStringLiteral("edNote"));
    editor_->setTabChangesFocus(true);
    editor_->setPlainText(note);
    editor_->installEventFilter(this);
    // About three lines: a note is short.
    editor_->setFixedHeight(editor_->fontMetrics().lineSpacing() * 4);
    prompt->setBuddy(editor_);
    count_ = new QLabel(this);
    buttons_ = OkCancel(this);
    layout->addWidget(prompt);
    layout->addWidget(editor_);
    layout->addWidget(count_);
    layout->addWidget(buttons_);
    connect(editor_, &QPlainTextEdit::textChanged, this, &TNoteDialog::TextChanged);
    editor_->moveCursor(QTextCursor::End);
    TextChanged();
    resize(300, sizeHint().height());
}

QString TNoteDialog::Note() const {
    return editor_->toPlainText();
}

QString TNoteDialog::Problem() const {
    const std::string problem = MarkProblem(DayMark{MarkKind::NoteOnly, Note().toStdString(), std::nullopt});
    return QString::fromStdString(problem);
}

void TNoteDialog::TextChanged() {
    const QString problem = Problem();
    const std::optional<std::size_t> length = CodePointCount(Note().toStdString());
    count_->setText(problem.isEmpty() ? QStringLiteral("%1 of %2 characters; Shift+Enter starts a new line")
                                            .arg(length.value_or(0))
                                            .arg(MaxNoteLength)
                                      : problem.left(1).toUpper() + problem.mid(1));
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(problem.isEmpty());
}

bool TNoteDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == editor_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            !key->modifiers().testFlag(Qt::ShiftModifier)) {
            if (Problem().isEmpty())
                accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

THoursDialog::THoursDialog(QWidget* parent, const QString& day, std::optional<double> hours)
    : QDialog(parent) {
    setWindowTitle(WindowTitleOf(QStringLiteral("Extra shift")));
    auto* layout = new QVBoxLayout(this);
    QLabel* prompt = WrappedLabel(QStringLiteral("&Hours of the extra shift on %1:").arg(day), this);
    editor_ = new QLineEdit(this);
    editor_->setObjectName(QStringLiteral("edHours"));
    editor_->setPlaceholderText(QStringLiteral("none"));
    editor_->setInputMethodHints(Qt::ImhFormattedNumbersOnly);
    if (hours)
        editor_->setText(QString::fromStdString(HoursText(*hours)));
    editor_->selectAll();
    prompt->setBuddy(editor_);
    buttons_ = OkCancel(this);
    layout->addWidget(prompt);
    layout->addWidget(editor_);
    layout->addWidget(
        WrappedLabel(QStringLiteral("A number above 0 and below 48, or empty for none."), this));
    layout->addWidget(buttons_);
    connect(editor_, &QLineEdit::textChanged, this, &THoursDialog::TextChanged);
    TextChanged();
    resize(300, sizeHint().height());
}

std::optional<std::optional<double>> THoursDialog::Hours() const {
    QString text = editor_->text().trimmed();
    if (text.isEmpty())
        return std::optional<std::optional<double>>(std::in_place, std::nullopt);
    // A decimal comma is as good as a point.
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    if (const std::optional<double> hours = HoursFromText(text.toStdString()))
        return std::optional<std::optional<double>>(std::in_place, *hours);
    return std::nullopt;
}

void THoursDialog::TextChanged() {
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(Hours().has_value());
}

TDayQuestions DayDialogs() {
    TDayQuestions questions;
    questions.AskNote = [](QWidget* parent, const QString& day,
                           const QString& note) -> std::optional<QString> {
        TNoteDialog dialog(parent, day, note);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.Note();
    };
    questions.AskHours = [](QWidget* parent, const QString& day,
                            std::optional<double> hours) -> std::optional<std::optional<double>> {
        THoursDialog dialog(parent, day, hours);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.Hours();
    };
    return questions;
}
