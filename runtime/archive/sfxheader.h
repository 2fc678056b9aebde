#pragma once

// The 256-byte settings header that a self-extracting program's stub reads
// from behind itself.

#include <QByteArray>
#include <QString>

#include <optional>

namespace SfxHeader {

inline constexpr int Size = 256;
// Room for the three texts after the 7 fixed bytes.
inline constexpr int TextRoom = Size - 7;

enum Flag : unsigned char {
    AskCmdLine = 0x01,
    AskFiles = 0x02,
    HideOverWriteBox = 0x04,
    OverWriteAlways = 0x08,
    OverWriteNever = 0x10,
    NoCheckSize = 0x20,
    AutoRun = 0x40,
};

// The texts are written as UTF-8 and counted in bytes.
struct Settings
{
    unsigned char flags = 0;
    QString caption;
    QString defaultDir;
    QString commandLine;
};

// Bytes the three texts take.
int textBytes(const Settings &settings);

// The header, or nothing when the texts need more than TextRoom bytes.
std::optional<QByteArray> build(const Settings &settings);

} // namespace SfxHeader
