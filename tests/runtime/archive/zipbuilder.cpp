#include "zipbuilder.h"

namespace ZipBuilder {

namespace {

void put16(QByteArray &out, quint32 value)
{
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

void put32(QByteArray &out, quint32 value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

} // namespace

quint32 crc32(const QByteArray &bytes)
{
    quint32 crc = 0xFFFFFFFF;
    for (const char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

Item linkItem(const QByteArray &name, const QByteArray &target)
{
    Item item;
    item.name = name;
    item.data = target;
    item.host = 3;
    item.externalAttributes = (0120777u << 16);
    return item;
}

QByteArray build(const QList<Item> &items, const Layout &layout)
{
    QByteArray out = layout.prefix;
    const quint32 base = layout.offsetsCountPrefix ? 0 : static_cast<quint32>(layout.prefix.size());
    QList<quint32> offsets;
    for (const Item &item : items) {
        offsets.append(static_cast<quint32>(out.size()) - base);
        put32(out, 0x04034B50);
        put16(out, 20);
        put16(out, item.flags);
        put16(out, 0); // stored
        put32(out, item.dosDateTime);
        put32(out, crc32(item.data));
        put32(out, static_cast<quint32>(item.data.size()));
        put32(out, static_cast<quint32>(item.data.size()));
        put16(out, static_cast<quint32>(item.name.size()));
        put16(out, 0);
        out.append(item.name);
        out.append(item.data);
    }
    const quint32 directoryStart = static_cast<quint32>(out.size());
    for (int i = 0; i < items.size(); ++i) {
        const Item &item = items[i];
        put32(out, 0x02014B50);
        out.append(char(item.versionMadeBy));
        out.append(char(item.host));
        put16(out, 20);
        put16(out, item.flags);
        put16(out, 0);
        put32(out, item.dosDateTime);
        put32(out, crc32(item.data));
        put32(out, static_cast<quint32>(item.data.size()));
        put32(out, static_cast<quint32>(item.data.size()));
        put16(out, static_cast<quint32>(item.name.size()));
        put16(out, 0);
        put16(out, 0);
        put16(out, 0);
        put16(out, 0);
        put32(out, item.externalAttributes);
        put32(out, offsets[i]);
        out.append(item.name);
    }
    const quint32 directorySize = static_cast<quint32>(out.size()) - directoryStart;
    if (layout.zip64Locator) {
        put32(out, 0x07064B50);
        put32(out, 0);
        put32(out, 0);
        put32(out, 0);
        put32(out, 1);
    }
    put32(out, 0x06054B50);
    put16(out, 0);
    put16(out, 0);
    put16(out, static_cast<quint32>(items.size() + layout.extraTotal));
    put16(out, static_cast<quint32>(items.size() + layout.extraTotal));
    put32(out, directorySize);
    put32(out, directoryStart - base);
    put16(out, static_cast<quint32>(layout.comment.size() + layout.extraCommentLength));
    out.append(layout.comment);
    out.append(layout.trailing);
    return out;
}

} // namespace ZipBuilder
