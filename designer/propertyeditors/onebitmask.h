#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QString>

#include <functional>

// Turning a picture into the 1-bit window mask the runtime shapes its window
// from, and replacing a picture file by such a mask without ever losing the
// picture.
namespace OneBitMask {

// Whether bytes are a Windows bitmap ("BM") that keeps 1 bit per pixel.
bool isOneBitBitmap(QByteArrayView bytes);

// A 1-bit Windows bitmap of the picture's size: every pixel of the colour of
// the bottom-left pixel is 1 (cut away), every other pixel 0 (the window).
// Palette entry 0 is black, 1 white; rows bottom-up, biSizeImage set. Empty
// for a null picture.
QByteArray write(const QImage &picture);

// The name the original keeps beside its mask: the last suffix replaced by
// "OLD" ("TLO.BMP" -> "TLO.OLD"), or ".OLD" added to a name without one.
QString backupName(const QString &file);

// Renames from to to, refusing to replace an existing to; true on success.
using Renamer = std::function<bool(const QString &from, const QString &to)>;

struct Conversion
{
    QString backup; // where the original now lies
    QString error;  // empty on success
    bool ok() const { return error.isEmpty(); }
};

// Replaces file by the mask of picture and keeps the file as it was under
// backupName(file). The mask is written whole to a temporary file beside
// the original first; then the original is renamed to the backup and the
// temporary file to the original's name. A backup name that is taken (in
// any letter case) is refused, and any failure puts everything back: the
// original is never lost. rename: empty for the file system's own.
Conversion convertFile(const QString &file, const QImage &picture, const Renamer &rename = {});

} // namespace OneBitMask
