#pragma once

#include <screenlimits.h>

#include <QByteArrayView>
#include <QImage>
#include <QString>

// JPEG pictures decoded by libjpeg. The library's own error handling ends the
// process on a broken file; here every error comes back as a null picture
// with its reason, and a header that claims more pixels than a screen can
// hold is refused before any pixel memory is taken; so is a progressive
// file of more scans than any encoder writes, or than its size allows.
namespace JpegReader {

// Scans a picture may have; a file with more is refused.
inline constexpr int MaxScans = 256;

// Each scan is a pass over the whole picture, so the scans a picture may
// have shrink as it grows: MaxScans up to four million pixels, then fewer,
// so that no file keeps the viewer busy for more than about a second. The
// largest picture shown still may have the dozen scans an encoder writes.
inline constexpr qint64 MaxScanPixels = qint64(MaxScans) << 22;
int scansAllowed(quint32 width, quint32 height);

// The scans (start-of-scan markers) the library would meet in bytes, counted
// up to limit + 1, without decoding any. The markers are walked as the
// library reads them: a segment is passed over by its declared length, and
// between segments (in a scan's coded data, or in bytes that belong to
// nothing) a marker is 0xFF, any 0xFF fill, and a code other than 0. The
// walk ends at the end of the picture or of the bytes; bytes that do not
// start a JPEG have no scans.
int countScans(QByteArrayView bytes, int limit = MaxScans);

struct Result {
    QImage picture; // RGB888; null on failure
    QString error;  // the reason, for the user; empty on success
    bool jpeg = false; // the file has a JPEG header, whether its picture decoded or not
    bool ok() const { return !picture.isNull(); }
};

// Decodes bytes as one JPEG picture of at most maxSide pixels on each side.
Result decode(QByteArrayView bytes, int maxSide = Platform::ScreenLimits::MaxExtent);

} // namespace JpegReader
