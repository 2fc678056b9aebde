#include "wave.h"

#include <QtEndian>

#include <cstring>

namespace Platform::Audio {

namespace {

constexpr qsizetype ChunkHeaderSize = 8;
constexpr qsizetype FormHeaderSize = 12;
constexpr quint16 FormatPcm = 1;

bool holds(QByteArrayView bytes, qsizetype offset, qsizetype size)
{
    return offset >= 0 && size >= 0 && offset <= bytes.size() && size <= bytes.size() - offset;
}

quint16 readU16(QByteArrayView bytes, qsizetype offset)
{
    return qFromLittleEndian<quint16>(bytes.data() + offset);
}

quint32 readU32(QByteArrayView bytes, qsizetype offset)
{
    return qFromLittleEndian<quint32>(bytes.data() + offset);
}

bool hasTag(QByteArrayView bytes, qsizetype offset, const char tag[4])
{
    return holds(bytes, offset, 4) && std::memcmp(bytes.data() + offset, tag, 4) == 0;
}

void appendU16(QByteArray &out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void appendU32(QByteArray &out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

std::optional<PcmFormat> readFormat(QByteArrayView chunk)
{
    if (chunk.size() < 16 || readU16(chunk, 0) != FormatPcm)
        return std::nullopt;
    PcmFormat format;
    format.channels = readU16(chunk, 2);
    format.sampleRate = int(readU32(chunk, 4));
    format.bitsPerSample = readU16(chunk, 14);
    const bool sane = (format.channels == 1 || format.channels == 2)
                      && (format.bitsPerSample == 8 || format.bitsPerSample == 16)
                      && format.sampleRate >= 1000 && format.sampleRate <= 192000;
    return sane ? std::optional(format) : std::nullopt;
}

} // namespace

std::optional<QByteArrayView> riffChunk(QByteArrayView image, const char form[4], const char id[4])
{
    if (!hasTag(image, 0, "RIFF") || !hasTag(image, 8, form))
        return std::nullopt;
    qsizetype offset = FormHeaderSize;
    while (holds(image, offset, ChunkHeaderSize)) {
        const qsizetype available = image.size() - offset - ChunkHeaderSize;
        const qsizetype size = qsizetype(qMin<quint64>(readU32(image, offset + 4), quint64(available)));
        if (hasTag(image, offset, id))
            return image.sliced(offset + ChunkHeaderSize, size);
        // Chunks are padded to an even length.
        offset += ChunkHeaderSize + size + (size & 1);
    }
    return std::nullopt;
}

std::optional<PcmSound> parseWave(QByteArrayView image)
{
    const auto formatChunk = riffChunk(image, "WAVE", "fmt ");
    const auto dataChunk = riffChunk(image, "WAVE", "data");
    if (!formatChunk || !dataChunk)
        return std::nullopt;
    const auto format = readFormat(*formatChunk);
    if (!format)
        return std::nullopt;
    const qsizetype whole = dataChunk->size() - dataChunk->size() % format->bytesPerFrame();
    return PcmSound{*format, dataChunk->first(whole).toByteArray()};
}

QByteArray makeWave(const PcmSound &sound)
{
    const PcmFormat &format = sound.format;
    QByteArray out;
    out.reserve(44 + sound.data.size());
    out.append("RIFF", 4);
    appendU32(out, quint32(36 + sound.data.size()));
    out.append("WAVEfmt ", 8);
    appendU32(out, 16);
    appendU16(out, FormatPcm);
    appendU16(out, quint16(format.channels));
    appendU32(out, quint32(format.sampleRate));
    appendU32(out, quint32(format.bytesPerSecond()));
    appendU16(out, quint16(format.bytesPerFrame()));
    appendU16(out, quint16(format.bitsPerSample));
    out.append("data", 4);
    appendU32(out, quint32(sound.data.size()));
    out.append(sound.data);
    return out;
}

} // namespace Platform::Audio
