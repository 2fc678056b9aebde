#include "soundfixtures.h"

#include <testsupport.h>

#include <QDir>
#include <QtEndian>

namespace SoundFixtures {

namespace {

QByteArray u32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray u16(quint16 value)
{
    QByteArray bytes(2, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

} // namespace

QByteArray chunk(const char id[4], const QByteArray &body)
{
    QByteArray out = QByteArray(id, 4) + u32(quint32(body.size())) + body;
    if (body.size() % 2)
        out.append('\0');
    return out;
}

QByteArray pcmFormatBody(int channels, int sampleRate, int bits)
{
    const int frame = channels * bits / 8;
    return u16(1) + u16(quint16(channels)) + u32(quint32(sampleRate)) + u32(quint32(sampleRate * frame))
           + u16(quint16(frame)) + u16(quint16(bits));
}

QByteArray rampBytes(int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char(i * 7 % 251);
    return bytes;
}

QByteArray threeNoteMidi()
{
    // Format 0, 96 ticks a quarter note at the default 120 beats a minute:
    // C, E, G of half a second each on the piano.
    const QByteArray track = QByteArray::fromHex("00C000"
                                                 "00903C64" "60803C00"
                                                 "00904064" "60804000"
                                                 "00904364" "60804300"
                                                 "00FF2F00");
    QByteArray length(4, '\0');
    qToBigEndian(quint32(track.size()), length.data());
    return QByteArray::fromHex("4D546864" "00000006" "0000" "0001" "0060") + "MTrk" + length + track;
}

QByteArray asRmi(const QByteArray &midi)
{
    const QByteArray body = QByteArray("RMID") + chunk("data", midi);
    return QByteArray("RIFF") + u32(quint32(body.size())) + body;
}

QStringList waveFiles(const QString &folder)
{
    QStringList files;
    for (const QString &name : QDir(folder).entryList({QStringLiteral("*.wav")}, QDir::Files, QDir::Name))
        files.append(QDir(folder).filePath(name));
    return files;
}

Platform::Audio::PcmSound readWave(const QString &path)
{
    return Platform::Audio::parseWave(TestSupport::readFile(path)).value_or(Platform::Audio::PcmSound{});
}

bool isSilent(const QByteArray &pcm16)
{
    for (qsizetype i = 0; i + 1 < pcm16.size(); i += 2) {
        if (qAbs(qFromLittleEndian<qint16>(pcm16.constData() + i)) > 64)
            return false;
    }
    return true;
}

} // namespace SoundFixtures
