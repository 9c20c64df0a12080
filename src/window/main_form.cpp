#include "main_form.h"

#include "controls/tag.h"

#include <QDateEdit>
#include <QEvent>
#include <QGraphicsOpacityEffect>
#include <QLineEdit>

TMainForm* MainForm = nullptr;

TMainForm::TMainForm(const TodayClock& clock, std::filesystem::path settingsBase, QLocale locale,
                     QWidget* parent)
    : QWidget(parent), clock_(clock), settingsBase_(std::move(settingsBase)), locale_(std::move(locale)) {
    BuildComposition();
    // The composition never changes, so painting walks these lists instead of the whole tree.
    rectangles_ = findChildren<TRectangle*>();
    textElements_ = findChildren<TTextElement*>();
    BindHandlers();
    ApplyAccessibleNames();
    show();
    FormCreate();
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
    connect(tabCtrl, &TTabControl::currentChanged, this, &TMainForm::tabCtrlChange);
    connect(bPrev, &TButton::clicked, this, &TMainForm::bPrevClick);
    connect(bNext, &TButton::clicked, this, &TMainForm::bNextClick);
    connect(bToday, &TButton::clicked, this, &TMainForm::bTodayClick);
    for (TRectangle* cell : gR) {
        if (!cell->testAttribute(Qt::WA_TransparentForMouseEvents))
            connect(cell, &TRectangle::clicked, this, &TMainForm::gR00Click);
    }
    connect(deDate, &TDateEdit::closePicker, this, &TMainForm::deDateClosePicker);
    connect(ccbColor, &TComboBox::closePopup, this, &TMainForm::ccbColorClosePopup);
    for (TButton* role : {bWork, bOff, bMulti, bLdTr, bBkGr})
        connect(role, &TButton::clicked, this, &TMainForm::bWorkClick);
    connect(cbPlt, &TComboBox::closePopup, this, &TMainForm::cbPltClosePopup);
    // The wheel and the arrow keys choose an item without opening the list: the assignment follows
    // them as it follows the list. After a choice in the list this runs once more, to the same end.
    connect(cbPlt, &TComboBox::activated, this, &TMainForm::cbPltClosePopup);
    edAgency->installEventFilter(this);
    for (TSpeedButton* back : {sbBack1, sbBack2, sbBack3})
        connect(back, &TSpeedButton::clicked, this, &TMainForm::sbBack1Click);
    connect(bSave, &TButton::clicked, this, &TMainForm::bSaveClick);
    connect(sbReset, &TSpeedButton::clicked, this, &TMainForm::sbResetClick);
    connect(sbEmail, &TSpeedButton::clicked, this, &TMainForm::sbEmailClick);
    connect(sbTolmere, &TSpeedButton::clicked, this, &TMainForm::sbTolmereClick);

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

void TMainForm::SetOuterSize(QSize outer) {
    if (!FrameKnown())
        pendingOuterSize_ = outer;
    // One resize for both: the width and the height set one after the other would scale and repaint
    // the window twice for a single change.
    resize(outer - QSize(std::max(frameExtra_.width(), 0), std::max(frameExtra_.height(), 0)));
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
