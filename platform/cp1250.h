#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace Platform {

// Text on disk is Windows-1250. Conversion happens once, at the edge where
// bytes are read or written; everything inside works with QString.
//
// The five byte values that Windows-1250 leaves undefined (0x81, 0x83, 0x88,
// 0x90, 0x98) decode to the C1 control characters of the same value and
// encode back to them, so any byte sequence survives a decode/encode round
// trip unchanged.
//
// A character that has no Windows-1250 byte is written as '?', the default
// character Windows itself substitutes.
QString fromCp1250(const QByteArray &bytes);
// Decodes into out, reusing its storage: for readers that decode a large
// file line by line.
void decodeCp1250(QByteArrayView bytes, QString &out);
QByteArray toCp1250(const QString &text);

// True when every character of text has its own Windows-1250 byte.
bool isCp1250Encodable(const QString &text);

} // namespace Platform
