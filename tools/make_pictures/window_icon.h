#pragma once
// The window icon: a calendar page with a dark header band, which carries the month abbreviation
// where the size leaves it legible, over a grid of red, green and blue day squares.

#include <QImage>

// The icon drawn for exactly size × size pixels (16 to 256), so small sizes stay sharp instead of
// being shrunk from a large one.
QImage DrawWindowIcon(int size);
