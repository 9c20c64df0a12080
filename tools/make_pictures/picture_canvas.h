#pragma once
// A transparent image to draw one picture on at one display scale, and the shared drawing helpers.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QSize>

// A fully transparent ARGB image of logicalSize × scale pixels whose device pixel ratio is scale, so a
// painter on it works in logical units and still draws every pixel natively.
QImage MakeCanvas(QSize logicalSize, qreal scale);

// The sans-serif family every picture uses; fonts-dejavu-core is part of the build dependencies, so
// the pictures come out the same on every build machine.
QFont PictureFont(int pixelSize, bool bold);
