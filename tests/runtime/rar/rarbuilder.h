#pragma once

// Writes small stored RAR archives (the 2.9 and the 5.0 layout) byte by
// byte, so tests can make the entries, flags and damage they need.

#include <QByteArray>
#include <QList>

namespace RarBuilder {

enum class NameForm { Oem, Utf8, CompactUnicode };

struct Item
{
    QByteArray name;       // bytes as stored (Oem: CP852), "\" or "/" between folders
    QByteArray data;
    bool folder = false;
    bool encrypted = false;
    bool solid = false;    // continues the previous entry (2.9 layout)
    NameForm form = NameForm::Utf8;
    quint8 host = 2;       // 2.9 numbering: 2 Windows, 3 Unix
    quint32 attributes = 0x20;
    quint32 dosTime = 0x50216000; // 2020-01-01 12:00:00
    QByteArray linkTarget; // a link entry when not empty
    bool badCrc = false;   // the data's CRC is recorded wrongly
    quint8 unpackVersion = 29;
    quint8 method = 0x30;
};

struct Options
{
    bool solid = false;
    bool encryptedHeaders = false;
    bool endBlock = true;
};

QByteArray rar4(const QList<Item> &items, const Options &options = {});
QByteArray rar5(const QList<Item> &items, const Options &options = {});

quint32 crc32(const QByteArray &bytes);

} // namespace RarBuilder
