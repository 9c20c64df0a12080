#pragma once
// Where the window's colors come from: one rule for every control, so that the window reads the same
// under the light default, a dark desktop theme, a high-contrast scheme or a dark style.
//
// 1. The user's five colors fill the rectangles: pages, bars and day cells. A text or a glyph drawn
//    straight on such a fill takes ContrastColor of that fill, read back from the rectangle: the bar
//    titles, the month and weekday names, the status line, the page labels, the about text, and the
//    glyphs of the flat tool buttons (the month arrows, the back arrows, the size reset), which have
//    no face of their own. Day numbers follow the day-cell rules of calendar/calendar_colors.h.
// 2. Controls with a face of their own (push buttons, the tab strip, the drop-down lists and their
//    lists, the date box and its calendar, the agency edit, the switch, menus, the error box) are drawn
//    by Qt's Fusion style with WindowPalette(), the program's own light palette, on every desktop.
//    The fixed text colors that the composition puts on those faces (the role buttons' colors, Save's
//    Navy or Blue, the about buttons' Blue, Today's Black or Darkgray, the date box's Black) were chosen
//    for a light face, and stay readable only on one.
// 3. Nothing takes a color from the desktop's palette or style. The pictures of the Help and About
//    pages are drawn as they are.

#include <QPalette>

// The program's own light palette, every role of every group set: black text on light gray faces
// and white fields, white text on a blue highlight, gray text on disabled controls.
QPalette WindowPalette();

// Makes Fusion the application's style and WindowPalette() its palette, so that the popups (lists, the
// date box's calendar, menus, the error box), which are windows of their own, take them too; a palette
// set this way also outlasts a change of the desktop's theme while the program runs. Does nothing
// when both are in place already. Call it before the window's controls are made.
void UseWindowLook();
