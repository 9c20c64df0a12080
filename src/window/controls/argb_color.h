#pragma once
// Colors as the window's painters hand them over: 32-bit ARGB, alpha in the top byte
// (0xFF000000 opaque black, alpha 0 transparent). The same layout as QRgb.

#include <QColor>
#include <cstdint>

using ArgbColor = std::uint32_t;

inline QColor ToQColor(ArgbColor color) {
    return QColor::fromRgba(color);
}
