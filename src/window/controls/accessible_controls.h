#pragma once
// What assistive technology sees of our own controls. A rectangle that stands for a day cell is a
// table cell whose name says the day (its number and corner texts are left out), selectable and,
// for the selected day, selected. Labels and text elements are static text whose name is the text
// shown. Installed once per process; Qt's own controls keep their own interfaces.

class QString;
class QWidget;

void InstallAccessibleControls();

// The window that holds day cells tells their names and which one is selected, when assistive
// technology asks: a name costs a long date in words, so none is made unless someone reads it. A
// cell with an accessible name of its own (a legend cell) keeps that name.
class TDayCellDescriber {
public:
    // `cell` is the cell's tag.
    virtual QString DayCellName(int cell) const = 0;
    virtual bool DayCellSelected(int cell) const = 0;

protected:
    ~TDayCellDescriber() = default;
};

// Tells assistive technology, when one listens, that a day cell's name or selection has changed.
void NotifyDayCellChanged(QWidget* cell, bool name, bool selection);
