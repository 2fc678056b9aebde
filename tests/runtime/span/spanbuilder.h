#pragma once

// Writes small stored zip sets spread over several volumes, with the
// layouts tests need: data descriptors, gaps between entries, any names.

#include <QByteArray>
#include <QList>

namespace SpanBuilder {

struct Item
{
    QByteArray name;
    QByteArray data;
    bool descriptor = false;        // sizes and CRC in a descriptor behind the data
    bool descriptorSignature = true;
    QByteArray gapBefore;           // junk in front of the local header
};

struct Options
{
    int partSize = 100;
    QByteArray comment;
    bool spanSignature = true;
    int lastDiskOverride = -1;      // recorded as the last disk's number when set
};

// The volumes in order; the last holds the end record.
QList<QByteArray> build(const QList<Item> &items, const Options &options = {});

} // namespace SpanBuilder
