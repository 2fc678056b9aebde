#include "propertyeditors/onebitmask.h"

#include "propertyeditors/editormessages.h"

#include <paths.h>
#include <safefile.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QtEndian>

namespace {

constexpr int fileHeaderSize = 14;
constexpr int infoHeaderSize = 40;
constexpr int paletteSize = 8;
constexpr int pixelsOffset = fileHeaderSize + infoHeaderSize + paletteSize;

void putU16(QByteArray &bytes, int offset, quint16 value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

void putU32(QByteArray &bytes, int offset, quint32 value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

qsizetype rowStride(int width)
{
    return qsizetype((width + 31) / 32) * 4;
}

void writeHeaders(QByteArray &bytes, int width, int height, quint32 imageSize)
{
    bytes[0] = 'B';
    bytes[1] = 'M';
    putU32(bytes, 2, quint32(bytes.size()));
    putU32(bytes, 10, pixelsOffset);
    putU32(bytes, 14, infoHeaderSize);
    putU32(bytes, 18, quint32(width));
    putU32(bytes, 22, quint32(height)); // positive: the first stored row is the bottom one
    putU16(bytes, 26, 1);               // planes
    putU16(bytes, 28, 1);               // bits per pixel
    putU32(bytes, 30, 0);               // no compression
    putU32(bytes, 34, imageSize);
    putU32(bytes, 46, 2); // colours used
    putU32(bytes, 50, 2); // colours important
    // Palette: 0 black (the window), 1 white (cut away).
    const int white = fileHeaderSize + infoHeaderSize + 4;
    for (int i = 0; i < 3; ++i)
        bytes[white + i] = char(0xFF);
}

bool renameNoReplace(const QString &from, const QString &to)
{
    // QFile::rename never replaces an existing target.
    return QFile::rename(from, to);
}

// A fresh name beside file for the new mask; empty when the folder takes
// no files.
QString reserveTemporaryBeside(const QString &file)
{
    const QFileInfo info(file);
    QTemporaryFile reserve(info.dir().filePath(QStringLiteral(".") + info.fileName() + QStringLiteral(".XXXXXX")));
    reserve.setAutoRemove(false);
    if (!reserve.open())
        return {};
    return reserve.fileName();
}

} // namespace

namespace OneBitMask {

bool isOneBitBitmap(QByteArrayView bytes)
{
    if (bytes.size() < fileHeaderSize + 16 || bytes[0] != 'B' || bytes[1] != 'M')
        return false;
    return qFromLittleEndian<quint16>(bytes.data() + 28) == 1;
}

QByteArray write(const QImage &picture)
{
    if (picture.isNull())
        return {};
    const QImage pixels = picture.convertToFormat(QImage::Format_ARGB32);
    const int width = pixels.width();
    const int height = pixels.height();
    const qsizetype stride = rowStride(width);
    const quint32 imageSize = quint32(stride * height);
    QByteArray bytes(pixelsOffset + qsizetype(imageSize), '\0');
    writeHeaders(bytes, width, height, imageSize);

    const QRgb cutAway = pixels.pixel(0, height - 1);
    for (int y = 0; y < height; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(pixels.constScanLine(y));
        char *row = bytes.data() + pixelsOffset + (height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            if (line[x] == cutAway)
                row[x / 8] = char(uchar(row[x / 8]) | (0x80 >> (x % 8)));
        }
    }
    return bytes;
}

QString backupName(const QString &file)
{
    const QFileInfo info(file);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString backup = (dot > 0 ? name.left(dot) : name) + QStringLiteral(".OLD");
    return info.dir().filePath(backup);
}

Conversion convertFile(const QString &file, const QImage &picture, const Renamer &renameGiven)
{
    const Renamer rename = renameGiven ? renameGiven : Renamer(renameNoReplace);
    Conversion result;
    result.backup = backupName(file);
    const QFileInfo backupInfo(result.backup);
    // Names on a CD match in any letter case: "tlo.old" is taken as well.
    if (!Platform::findEntryCaseInsensitive(backupInfo.absolutePath(), backupInfo.fileName()).isEmpty()) {
        result.error = EditorMessages::maskBackupExists(result.backup);
        return result;
    }
    const QByteArray mask = write(picture);
    const QString temporary = reserveTemporaryBeside(file);
    if (mask.isEmpty() || temporary.isEmpty()) {
        result.error = EditorMessages::maskConversionFailed(file, EditorMessages::cannotWriteBeside(file));
        return result;
    }
    if (const Platform::WriteResult written = Platform::writeWholeFile(temporary, mask); !written.ok()) {
        QFile::remove(temporary);
        result.error = EditorMessages::maskConversionFailed(file, written.error);
        return result;
    }
    // The mask takes the place of the original, with its permissions.
    QFile::setPermissions(temporary, QFileInfo(file).permissions());
    if (!rename(file, result.backup)) {
        QFile::remove(temporary);
        result.error = EditorMessages::maskConversionFailed(file, EditorMessages::cannotRename(file, result.backup));
        return result;
    }
    if (!rename(temporary, file)) {
        // The original goes back under its name; only then is the new mask dropped.
        if (!rename(result.backup, file)) {
            result.error = EditorMessages::originalKeptAs(file, result.backup);
            return result;
        }
        QFile::remove(temporary);
        result.error = EditorMessages::maskConversionFailed(file, EditorMessages::cannotRename(temporary, file));
        return result;
    }
    return result;
}

} // namespace OneBitMask
