#include "spanbuilder.h"

namespace SpanBuilder {

namespace {

void put16(QByteArray &out, quint32 value)
{
    out.append(char(value & 0xFF)).append(char((value >> 8) & 0xFF));
}

void put32(QByteArray &out, quint32 value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

quint32 crc32(const QByteArray &bytes)
{
    quint32 crc = 0xFFFFFFFF;
    for (const char c : bytes) {
        crc ^= quint8(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

} // namespace

QList<QByteArray> build(const QList<Item> &items, const Options &options)
{
    const qsizetype part = options.partSize;
    QByteArray stream = options.spanSignature ? QByteArray("PK\x07\x08", 4) : QByteArray();
    QList<qsizetype> offsets;
    for (const Item &item : items) {
        stream.append(item.gapBefore);
        offsets.append(stream.size());
        const quint32 crc = crc32(item.data), size = quint32(item.data.size());
        put32(stream, 0x04034B50);
        put16(stream, 20);
        put16(stream, item.descriptor ? 0x0008 : 0);
        put16(stream, 0);
        put32(stream, 0x50216000);
        put32(stream, item.descriptor ? 0 : crc);
        put32(stream, item.descriptor ? 0 : size);
        put32(stream, item.descriptor ? 0 : size);
        put16(stream, quint32(item.name.size()));
        put16(stream, 0);
        stream.append(item.name).append(item.data);
        if (item.descriptor) {
            if (item.descriptorSignature)
                put32(stream, 0x08074B50);
            put32(stream, crc);
            put32(stream, size);
            put32(stream, size);
        }
    }
    const qsizetype directoryStart = stream.size();
    for (qsizetype i = 0; i < items.size(); ++i) {
        const Item &item = items[i];
        put32(stream, 0x02014B50);
        put16(stream, 20);
        put16(stream, 20);
        put16(stream, item.descriptor ? 0x0008 : 0);
        put16(stream, 0);
        put32(stream, 0x50216000);
        put32(stream, crc32(item.data));
        put32(stream, quint32(item.data.size()));
        put32(stream, quint32(item.data.size()));
        put16(stream, quint32(item.name.size()));
        put16(stream, 0);
        put16(stream, 0);
        put16(stream, quint32(offsets[i] / part)); // disk of the local header
        put16(stream, 0);
        put32(stream, 0);
        put32(stream, quint32(offsets[i] % part));
        stream.append(item.name);
    }
    // The end record stays whole on the last volume.
    QList<QByteArray> parts;
    for (qsizetype at = 0; at < stream.size(); at += part)
        parts.append(stream.mid(at, part));
    const int lastDisk = options.lastDiskOverride >= 0 ? options.lastDiskOverride : int(parts.size() - 1);
    int onLastDisk = 0;
    for (const qsizetype offset : offsets)
        onLastDisk += offset / part == parts.size() - 1 ? 1 : 0;
    QByteArray end;
    put32(end, 0x06054B50);
    put16(end, quint32(lastDisk));
    put16(end, quint32(directoryStart / part));
    put16(end, quint32(onLastDisk)); // entries of this volume only, as spanning tools write
    put16(end, quint32(items.size()));
    put32(end, quint32(stream.size() - directoryStart));
    put32(end, quint32(directoryStart % part));
    put16(end, quint32(options.comment.size()));
    end.append(options.comment);
    parts.last().append(end);
    return parts;
}

} // namespace SpanBuilder
