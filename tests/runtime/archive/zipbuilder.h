#pragma once

// Builds small stored zip archives byte by byte, so tests can make the
// damaged and hostile layouts that no zip tool writes.

#include <QByteArray>
#include <QList>

namespace ZipBuilder {

struct Item
{
    QByteArray name;
    QByteArray data;
    quint16 flags = 0;
    quint8 versionMadeBy = 20;
    quint8 host = 0;
    quint32 externalAttributes = 0;
    quint32 dosDateTime = 0x50216000; // 2020-01-01 12:00:00
};

struct Layout
{
    QByteArray prefix;          // bytes in front of the archive
    bool offsetsCountPrefix = false; // offsets moved by the prefix (a proper self-extractor)
    QByteArray comment;
    QByteArray trailing;        // bytes after the end record
    int extraTotal = 0;         // added to the entry totals (a lying count)
    int extraCommentLength = 0; // added to the recorded comment length
    bool zip64Locator = false;  // a Zip64 locator in front of the end record
};

QByteArray build(const QList<Item> &items, const Layout &layout = {});

quint32 crc32(const QByteArray &bytes);

// A Unix link entry pointing at target.
Item linkItem(const QByteArray &name, const QByteArray &target);

} // namespace ZipBuilder
