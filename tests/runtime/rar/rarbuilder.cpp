#include "rarbuilder.h"

#include <QDateTime>
#include <QtEndian>

namespace RarBuilder {

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

void putVint(QByteArray &out, quint64 value)
{
    do {
        char byte = char(value & 0x7F);
        value >>= 7;
        if (value)
            byte = char(byte | 0x80);
        out.append(byte);
    } while (value);
}

// The compact Unicode form, every character as a full 16-bit value.
QByteArray compactUnicode(const QByteArray &utf8)
{
    const QString text = QString::fromUtf8(utf8);
    QByteArray out(1, '\0'); // high byte, unused by full characters
    for (qsizetype i = 0; i < text.size(); i += 4) {
        const qsizetype group = qMin<qsizetype>(4, text.size() - i);
        out.append(char(0xAA)); // four "full 16-bit" commands
        for (qsizetype k = 0; k < group; ++k)
            put16(out, text.at(i + k).unicode());
    }
    return out;
}

QByteArray rar4Block(quint8 type, quint16 flags, const QByteArray &body)
{
    QByteArray header;
    header.append(char(type));
    put16(header, flags);
    put16(header, quint32(body.size() + 7));
    header.append(body);
    QByteArray block;
    put16(block, crc32(header) & 0xFFFF);
    return block + header;
}

QByteArray rar5Block(const QByteArray &header)
{
    QByteArray sized;
    putVint(sized, quint64(header.size()));
    sized.append(header);
    QByteArray block;
    put32(block, crc32(sized));
    return block + sized;
}

} // namespace

quint32 crc32(const QByteArray &bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc & 1) ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
    }
    return ~crc;
}

QByteArray rar4(const QList<Item> &items, const Options &options)
{
    QByteArray out("Rar!\x1A\x07\x00", 7);
    quint16 mainFlags = options.solid ? 0x0008 : 0;
    mainFlags |= options.encryptedHeaders ? 0x0080 : 0;
    out.append(rar4Block(0x73, mainFlags, QByteArray(6, '\0')));
    for (const Item &item : items) {
        const QByteArray data = item.linkTarget.isEmpty() ? item.data : item.linkTarget;
        QByteArray name = item.name;
        quint16 flags = 0x8000;
        if (item.form == NameForm::Utf8)
            flags |= 0x0200;
        if (item.form == NameForm::CompactUnicode) {
            flags |= 0x0200;
            QByteArray oem = item.name;
            for (char &c : oem)
                c = quint8(c) >= 0x80 ? '_' : c;
            name = oem + '\0' + compactUnicode(item.name);
        }
        flags |= item.encrypted ? 0x0004 : 0;
        flags |= item.solid ? 0x0010 : 0;
        flags |= item.folder ? 0x00E0 : 0;
        quint32 attributes = item.attributes;
        quint8 host = item.host;
        if (!item.linkTarget.isEmpty()) {
            host = 3;
            attributes = 0120777;
        }
        QByteArray body;
        put32(body, quint32(data.size()));
        put32(body, quint32(data.size()));
        body.append(char(host));
        put32(body, crc32(data) ^ (item.badCrc ? 1u : 0u));
        put32(body, item.dosTime);
        body.append(char(item.unpackVersion)).append(char(item.method));
        put16(body, quint32(name.size()));
        put32(body, attributes);
        body.append(name);
        out.append(rar4Block(0x74, flags, body));
        out.append(data);
    }
    if (options.endBlock)
        out.append(rar4Block(0x7B, 0x4000, {}));
    return out;
}

QByteArray rar5(const QList<Item> &items, const Options &options)
{
    QByteArray out("Rar!\x1A\x07\x01\x00", 8);
    if (options.encryptedHeaders) {
        QByteArray crypt;
        putVint(crypt, 4);
        putVint(crypt, 0);
        putVint(crypt, 0);  // version
        putVint(crypt, 0);  // flags
        crypt.append(char(15)).append(QByteArray(16, 'S'));
        out.append(rar5Block(crypt));
    }
    QByteArray main;
    putVint(main, 1);
    putVint(main, 0);
    putVint(main, options.solid ? 0x04 : 0);
    out.append(rar5Block(main));
    for (const Item &item : items) {
        QByteArray extras;
        if (item.encrypted) {
            QByteArray record;
            putVint(record, 1);
            putVint(record, 0); // version
            putVint(record, 0); // flags
            record.append(char(15)).append(QByteArray(16, 's')).append(QByteArray(16, 'i'));
            putVint(extras, quint64(record.size()));
            extras.append(record);
        }
        if (!item.linkTarget.isEmpty()) {
            QByteArray record;
            putVint(record, 5);
            putVint(record, 1); // Unix symbolic link
            putVint(record, 0);
            putVint(record, quint64(item.linkTarget.size()));
            record.append(item.linkTarget);
            putVint(extras, quint64(record.size()));
            extras.append(record);
        }
        const QByteArray data = item.linkTarget.isEmpty() ? item.data : QByteArray();
        QByteArray header;
        putVint(header, 2);
        putVint(header, (extras.isEmpty() ? 0 : 0x01) | 0x02);
        if (!extras.isEmpty())
            putVint(header, quint64(extras.size()));
        putVint(header, quint64(data.size()));
        putVint(header, (item.folder ? 0x01 : 0) | 0x02 | 0x04);
        putVint(header, quint64(data.size()));
        putVint(header, item.host == 3 ? (item.folder ? 040755 : 0100644) : item.attributes);
        // The DOS time as Unix time in this machine's zone.
        const int dosDate = int(item.dosTime >> 16), dosClock = int(item.dosTime & 0xFFFF);
        const QDateTime when(QDate(1980 + (dosDate >> 9), (dosDate >> 5) & 0x0F, dosDate & 0x1F),
                             QTime(dosClock >> 11, (dosClock >> 5) & 0x3F, (dosClock & 0x1F) * 2));
        put32(header, quint32(when.toSecsSinceEpoch()));
        put32(header, crc32(data) ^ (item.badCrc ? 1u : 0u));
        putVint(header, 0); // stored
        putVint(header, item.host == 3 ? 1 : 0);
        putVint(header, quint64(item.name.size()));
        header.append(item.name);
        header.append(extras);
        out.append(rar5Block(header));
        out.append(data);
    }
    if (options.endBlock) {
        QByteArray end;
        putVint(end, 5);
        putVint(end, 0);
        putVint(end, 0);
        out.append(rar5Block(end));
    }
    return out;
}

} // namespace RarBuilder
