#include "main_form.h"

#include "controls/tag.h"
#include "handler_error_event.h"
#include "window_colors.h"

#include <QCoreApplication>
#include <QDateEdit>
#include <QEvent>
#include <QGraphicsOpacityEffect>
#include <QLineEdit>

TMainForm* MainForm = nullptr;

TMainForm::TMainForm(const TodayClock& clock, std::filesystem::path settingsBase, QLocale locale,
                     QWidget* parent)
    : QWidget(parent), clock_(clock), settingsBase_(std::move(settingsBase)), locale_(std::move(locale)) {
    UseWindowLook();
    BuildComposition();
    // The composition never changes, so painting walks these lists instead of the whole tree.
    rectangles_ = findChildren<TRectangle*>();
    textElements_ = findChildren<TTextElement*>();
    BindHandlers();
    ApplyAccessibleNames();
    // The window shows once, at its saved size, with the settings, the assignment, the colors and
    // the title in place: showing it first would lay out and polish the stored About page and then
    // scale the shown window to the saved size.
    FormResize();
    FormCreate();
    show();
    created_ = true;
    FormResize();
}

TMainForm::~TMainForm() {
    // The controls outlive this destructor: hiding them as the window goes may still raise their
    // events, which must not reach the handlers of a window that is no longer there.
    for (QObject* control : findChildren<QObject*>())
        control->disconnect(this);
    edAgency->removeEventFilter(this);
}

void TMainForm::BindHandlers() {
    Bind(tabCtrl, &TTabControl::currentChanged, &TMainForm::tabCtrlChange);
    Bind(bPrev, &TButton::clicked, &TMainForm::bPrevClick);
    Bind(bNext, &TButton::clicked, &TMainForm::bNextClick);
    Bind(bToday, &TButton::clicked, &TMainForm::bTodayClick);
    for (TRectangle* cell : gR) {
        if (!cell->testAttribute(Qt::WA_TransparentForMouseEvents)) {
            Bind(cell, &TRectangle::clicked, &TMainForm::gR00Click);
            Bind(cell, &TRectangle::contextPopup, &TMainForm::gR00ContextPopup);
        }
    }
    Bind(deDate, &TDateEdit::closePicker, &TMainForm::deDateClosePicker);
    Bind(ccbColor, &TComboBox::closePopup, &TMainForm::ccbColorClosePopup);
    for (TButton* role : {bWork, bOff, bMulti, bLdTr, bBkGr})
        Bind(role, &TButton::clicked, &TMainForm::bWorkClick);
    Bind(cbPlt, &TComboBox::closePopup, &TMainForm::cbPltClosePopup);
    // The wheel and the arrow keys choose an item without opening the list: the assignment follows
    // them as it follows the list. After a choice in the list this runs once more, to the same end.
    Bind(cbPlt, &TComboBox::activated, &TMainForm::cbPltClosePopup);
    edAgency->installEventFilter(this);
    for (TSpeedButton* back : {sbBack1, sbBack2, sbBack3})
        Bind(back, &TSpeedButton::clicked, &TMainForm::sbBack1Click);
    Bind(bSave, &TButton::clicked, &TMainForm::bSaveClick);
    Bind(sbReset, &TSpeedButton::clicked, &TMainForm::sbResetClick);
    Bind(sbEmail, &TSpeedButton::clicked, &TMainForm::sbEmailClick);
    Bind(sbTolmere, &TSpeedButton::clicked, &TMainForm::sbTolmereClick);

    agencyOpacity_ = new QGraphicsOpacityEffect(edAgency);
    edAgency->setGraphicsEffect(agencyOpacity_);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edAgency) {
        if (event->type() == QEvent::FocusIn)
            edAgencyEnter();
        else if (event->type() == QEvent::FocusOut)
            edAgencyExit();
    }
    return QWidget::eventFilter(watched, event);
}

bool TMainForm::FrameKnown() const {
    return frameExtra_.width() > 0 || frameExtra_.height() > 0;
}

TButton* TMainForm::RoleButtonForTag(int tag) const {
    for (TButton* button : {bWork, bOff, bMulti, bLdTr, bBkGr}) {
        if (TagOf(button) == tag)
            return button;
    }
    return nullptr;
}
