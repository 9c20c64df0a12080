#include "main_form.h"

#include "controls/tag.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QEvent>
#include <QGraphicsOpacityEffect>
#include <QLineEdit>

TMainForm* MainForm = nullptr;

TMainForm::TMainForm(const TodayClock& clock, std::filesystem::path settingsBase, QLocale locale,
                     QWidget* parent)
    : QWidget(parent), clock_(clock), settingsBase_(std::move(settingsBase)), locale_(std::move(locale)) {
    BuildComposition();
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
    deDate->calendarWidget()->window()->removeEventFilter(this);
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
    // The drop-down calendar is a window of its own: its hiding is every close, chosen or dismissed.
    deDate->calendarWidget()->window()->installEventFilter(this);
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
    } else if (watched == deDate->calendarWidget()->window() && event->type() == QEvent::Hide) {
        deDateClosePicker();
    }
    return QWidget::eventFilter(watched, event);
}

void TMainForm::SetOuterWidth(int width) {
    if (!FrameKnown())
        pendingOuterSize_ = QSize(width, frameGeometry().height());
    resize(width - std::max(frameExtra_.width(), 0), height());
}

void TMainForm::SetOuterHeight(int height) {
    if (!FrameKnown())
        pendingOuterSize_ = QSize(frameGeometry().width(), height);
    resize(width(), height - std::max(frameExtra_.height(), 0));
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
