#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

// The icons of a Windows program or library (a PE file): its icon groups in
// resource-directory order, each a set of images of one icon. Every offset,
// size and count read from the file is checked against the bytes there, so
// any input gives a result (possibly empty) and never reads outside it.

struct PeIconImage {
    // The 12 bytes an icon file's directory entry shares with the group's
    // entry: width, height, colours, reserved, planes, bits per pixel,
    // data size.
    QByteArray entry;
    qsizetype dataOffset = 0; // in the file
    qsizetype dataSize = 0;
};

struct PeIconGroup {
    std::vector<PeIconImage> images;
};

// The icon groups of a PE file; empty for anything else. Groups whose
// images are all missing are left out.
std::vector<PeIconGroup> readPeIconGroups(QByteArrayView file);

// The bytes of an .ICO file holding the images of a group; empty when the
// group's images would make it larger than maxIconFileSize.
inline constexpr qsizetype maxIconFileSize = 16 * 1024 * 1024;
QByteArray iconFileFromGroup(QByteArrayView file, const PeIconGroup &group);

// Whether bytes start like an .ICO file: reserved 0, type 1, at least one image.
bool looksLikeIconFile(QByteArrayView bytes);
