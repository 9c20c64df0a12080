#include "main_form.h"

#include "schedule/month_navigation.h"

TMainForm* MainForm = nullptr;

TMainForm::TMainForm(const TodayClock& clock, QWidget* parent) : QWidget(parent), clock_(clock) {
    BuildComposition();
    show();
    FormCreate();
    FormResize();
}

void TMainForm::FormCreate() {
    state_.MarkDate = clock_.Today();
    state_.CurrentDate = clock_.Today();
    FillGridDates(state_, state_.CurrentDate);
}
