#pragma once
// Reads a PNG file (a resource path too) with Qt's own PNG reader; a null image when it cannot.
// Qt's usual reading first asks every image format plugin whether it reads the file, which loads
// them all, and the SVG module with them: 3 million instructions for the first picture of a run.

#include <QImage>
#include <QString>

QImage ReadPng(const QString& file);
