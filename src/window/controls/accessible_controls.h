#pragma once
// What assistive technology sees of our own controls. A rectangle that stands for a day cell is a
// table cell whose name says the day (its number and corner texts are left out), selectable and,
// for the selected day, selected. Labels and text elements are static text whose name is the text
// shown. Installed once per process; Qt's own controls keep their own interfaces.

class QWidget;

void InstallAccessibleControls();

// Marks a day cell as the selected one (or not) for assistive technology.
void SetAccessibleSelected(QWidget* cell, bool selected);
