#include "spanvolumes.h"

#include "dialogs.h"
#include "paths.h"
#include "texts/runtimetexts.h"
#include "volumes.h"
#include "ziptexts.h"
#include "ziptool.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr int MaxParts = 999;

// The mounted volume holding path: the one with the longest root above it.
Platform::Volume volumeOf(const QString &path)
{
    Platform::Volume best;
    for (const Platform::Volume &volume : Platform::VolumeSource::instance().volumes()) {
        if (path.startsWith(volume.rootPath) && volume.rootPath.size() > best.rootPath.size())
            best = volume;
    }
    return best;
}

QString existingFile(const QString &folder, const QString &name)
{
    const QString found = Platform::findEntryCaseInsensitive(folder, name);
    const QString path = found.isEmpty() ? QString() : QDir(folder).filePath(found);
    return !path.isEmpty() && QFileInfo(path).isFile() ? path : QString();
}

} // namespace

SpanVolumes::SpanVolumes(const QString &lastPart, int lastVolume) : m_lastPart(lastPart), m_lastVolume(lastVolume) {}

int SpanVolumes::checkSet(const QString &lastPart, int lastVolume)
{
    if (lastVolume + 1 > MaxParts)
        return ZipTexts::TooManyParts;
    if (QFileInfo(lastPart).completeBaseName().size() < 3)
        return ZipTexts::PartNameTooShort;
    return 0;
}

QString SpanVolumes::numberedName(const QString &fileName, int number)
{
    const QFileInfo info(fileName);
    const QString base = info.completeBaseName();
    const QString suffix = info.suffix().isEmpty() ? QString() : QStringLiteral(".") + info.suffix();
    return base.left(base.size() - 3) + QStringLiteral("%1").arg(number + 1, 3, 10, QLatin1Char('0')) + suffix;
}

int SpanVolumes::partNumber(const QString &path)
{
    const QString base = QFileInfo(path).completeBaseName();
    bool ok = false;
    const int number = base.right(3).toInt(&ok);
    if (base.size() < 3 || !ok || !base.right(3).at(0).isDigit())
        return 0;
    // Only a member of a numbered set: its first part starts the set.
    const QFileInfo first(QFileInfo(path).absolutePath() + QStringLiteral("/") + numberedName(QFileInfo(path).fileName(), 0));
    const QString found = existingFile(first.absolutePath(), first.fileName());
    if (found.isEmpty())
        return 0;
    const ZipFormat::FileSource source(QFile::encodeName(found).toStdString());
    unsigned char marker[4];
    const bool startsSet = source.isOpen() && source.readAt(0, marker, sizeof marker) && marker[0] == 'P'
                           && marker[1] == 'K' && marker[2] == 7 && marker[3] == 8;
    return startsSet ? number : 0;
}

QString SpanVolumes::diskLabel(int number)
{
    return QStringLiteral("PKBACK# %1").arg(number + 1, 3, 10, QLatin1Char('0'));
}

const ZipFormat::Source *SpanVolumes::volume(int number)
{
    if (number < 0 || number > m_lastVolume)
        return nullptr;
    if (number == m_openNumber && m_open)
        return m_open.get();
    m_open.reset();
    m_openNumber = -1;
    const QString path = findPart(number);
    auto source = std::make_unique<ZipFormat::FileSource>(QFile::encodeName(path).toStdString());
    if (!source->isOpen())
        throw EZipTool(11001);
    m_open = std::move(source);
    m_openNumber = number;
    return m_open.get();
}

QString SpanVolumes::findPart(int number)
{
    const QFileInfo last(m_lastPart);
    const QString numbered = existingFile(last.absolutePath(), numberedName(last.fileName(), number));
    if (!numbered.isEmpty())
        return numbered;
    const Platform::Volume drive = volumeOf(last.absoluteFilePath());
    const bool removable = drive.kind == Platform::VolumeKind::Removable;
    // The part that was opened, unless its disk has since been changed for
    // another one of the set.
    if (number == m_lastVolume && last.isFile()
        && (!removable || !drive.label.startsWith(QStringLiteral("PKBACK# ")) || drive.label == diskLabel(number)))
        return m_lastPart;
    if (removable) {
        const QString inserted = findOnLabelledDisk(number);
        return inserted.isEmpty() ? askForDisk(number) : inserted;
    }
    // Fixed, network and CD drives hold every part at once: asking for
    // another disk there would never end.
    throw EZipTool(11001);
}

// The part on a mounted disk with the wanted label: where the last part lies
// on its medium, found again wherever that disk is mounted.
QString SpanVolumes::findOnLabelledDisk(int number) const
{
    const QFileInfo last(m_lastPart);
    const QString inside = last.absoluteFilePath().mid(volumeOf(last.absoluteFilePath()).rootPath.size());
    for (const Platform::Volume &volume : Platform::VolumeSource::instance().volumes()) {
        if (volume.label != diskLabel(number))
            continue;
        const QFileInfo candidate(volume.rootPath + inside);
        const QString found = existingFile(candidate.absolutePath(), candidate.fileName());
        if (!found.isEmpty())
            return found;
    }
    return {};
}

QString SpanVolumes::askForDisk(int number)
{
    const Platform::Volume drive = volumeOf(QFileInfo(m_lastPart).absoluteFilePath());
    for (;;) {
        if (PumpEvents)
            PumpEvents();
        if (Unattended)
            throw EZipTool(11025);
        QString text = ZipTexts::text(11034);
        text.replace(QStringLiteral("%.1d z %.1d"), QStringLiteral("%1 z %2").arg(number + 1).arg(m_lastVolume + 1));
        QString where = ZipTexts::text(11035);
        where.replace(QStringLiteral("%s"), drive.rootPath);
        if (Platform::showMessage(MessageParent, text + where, RuntimeTexts::ProductCaption,
                                  Platform::MessageButtons::OkCancel, Platform::MessageIcon::None)
            != Platform::MessageAnswer::Ok)
            throw EZipTool(11007);
        const QString found = findOnLabelledDisk(number);
        if (!found.isEmpty())
            return found;
    }
}
