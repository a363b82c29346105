#pragma once

#include <QImage>
#include <QString>

// Reads a Windows icon picture (24-bit colour with a 1-bit transparency mask) with its mask
// applied. Qt's own icon reader takes such pictures as fully opaque, which would put a black
// square behind the pointer and the window icon. Anything else is left to Qt's reader.
QImage LoadIconPicture(const QString &path);
