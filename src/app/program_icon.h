#pragma once
// The program's icon, drawn from the PNG files of the resource at each of their sizes (16 to 256
// pixels); it offers the window system the sizes 16 to 64. A file is decoded only when something asks
// for a picture near its size, so a start-up that shows no icon (offscreen, or a desktop that takes it
// from the icon theme) decodes none.

#include <QIcon>

QIcon ProgramIcon();
