#include "date_edit.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QEvent>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QProxyStyle>
#include <QStyleOptionComboBox>
#include <algorithm>

// The application's style for the date box, except that a compact box gives its edit field what
// its drop-down button has beyond CompactArrowWidth.
class TDateBoxStyle final : public QProxyStyle {
public:
    // A style of its own kind: a proxy would take ownership of the application's style object.
    TDateBoxStyle() : QProxyStyle(QApplication::style()->name()) {}

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget) const override {
        QRect rect = QProxyStyle::subControlRect(control, option, part, widget);
        if (!compact || control != CC_ComboBox || (part != SC_ComboBoxArrow && part != SC_ComboBoxEditField))
            return rect;
        const QRect arrow = QProxyStyle::subControlRect(control, option, SC_ComboBoxArrow, widget);
        const int gain = std::max(0, arrow.width() - TDateEdit::CompactArrowWidth);
        const bool arrowOnRight = option->direction != Qt::RightToLeft;
        if (part == SC_ComboBoxArrow) {
            if (arrowOnRight)
                rect.setLeft(rect.left() + gain);
            else
                rect.setRight(rect.right() - gain);
        } else if (arrowOnRight) {
            rect.setRight(rect.right() + gain);
        } else {
            rect.setLeft(rect.left() - gain);
        }
        return rect;
    }

    bool compact = false;
};

namespace {

// QLineEdit keeps this much free at each side of its text, and one pixel for the cursor.
constexpr int LineEditTextMargin = 2;
constexpr int CursorWidth = 1;

} // namespace

TDateEdit::TDateEdit(QWidget* parent) : QDateEdit(parent), style_(std::make_unique<TDateBoxStyle>()) {
    setStyle(style_.get());
    setCalendarPopup(true);
    // The edit field is laid out by the date edit after its own resize; the text is fitted then.
    lineEdit()->installEventFilter(this);
    connect(lineEdit(), &QLineEdit::textChanged, this, &TDateEdit::FitText);
}

TDateEdit::~TDateEdit() {
    // The style object dies with this object; the base classes must not reach it.
    setStyle(QApplication::style());
}

bool TDateEdit::Compact() const {
    return style_->compact;
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

qreal TDateEdit::TextRoom(int fieldWidth) const {
    const QMargins margins = lineEdit()->textMargins();
    return fieldWidth - margins.left() - margins.right() - 2 * LineEditTextMargin - CursorWidth;
}

int TDateEdit::EditFieldWidth(bool compact) const {
    QStyleOptionComboBox option;
    option.initFrom(this);
    option.editable = true;
    option.frame = hasFrame();
    const bool was = style_->compact;
    style_->compact = compact;
    const int width =
        style_->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this).width();
    style_->compact = was;
    return width;
}

void TDateEdit::FitText() {
    if (fitting_)
        return;
    fitting_ = true;
    QLineEdit* edit = lineEdit();
    const QString text = edit->text();
    QFont fitted = font();
    const bool compact = QFontMetricsF(fitted).horizontalAdvance(text) > TextRoom(EditFieldWidth(false));
    if (compact != style_->compact) {
        style_->compact = compact;
        // The date edit lays its edit field out again and redraws its button on a style change.
        QEvent change(QEvent::StyleChange);
        QCoreApplication::sendEvent(this, &change);
        update();
    }
    const qreal room = TextRoom(EditFieldWidth(compact));
    if (!text.isEmpty() && room > 0) {
        const bool points = fitted.pointSizeF() > 0;
        qreal size = points ? fitted.pointSizeF() : fitted.pixelSize();
        // Glyph advances are rounded at small sizes, so the width is not quite proportional to the
        // size: a few shrinking steps settle it.
        for (int step = 0; step < 6; ++step) {
            const qreal width = QFontMetricsF(fitted).horizontalAdvance(text);
            if (width <= room)
                break;
            size *= 0.98 * room / width;
            if (points)
                fitted.setPointSizeF(size);
            else
                fitted.setPixelSize(std::max(1, int(size)));
        }
    }
    if (edit->font() != fitted)
        edit->setFont(fitted);
    fitting_ = false;
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
    if (watched == lineEdit() && event->type() == QEvent::Resize)
        FitText();
    return QDateEdit::eventFilter(watched, event);
}

void TDateEdit::changeEvent(QEvent* event) {
    QDateEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        FitText();
}

void TDateEdit::resizeEvent(QResizeEvent* event) {
    QDateEdit::resizeEvent(event);
    FitText();
}
