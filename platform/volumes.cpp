#include "volumes.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMap>
#include <QStorageInfo>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace Platform {
namespace {

bool isUnder(const QString &path, const QString &folder)
{
    return path == folder || path.startsWith(folder + u'/');
}

QString withSlash(const QString &path)
{
    return path.endsWith(u'/') ? path : path + u'/';
}

const QStringList pseudoFileSystems = {
    "proc", "sysfs", "devtmpfs", "devpts", "cgroup", "cgroup2", "securityfs", "debugfs", "tracefs",
    "pstore", "bpf", "mqueue", "hugetlbfs", "configfs", "fusectl", "binfmt_misc", "autofs", "efivarfs",
    "rpc_pipefs", "nsfs", "selinuxfs", "rootfs", "nfsd"};
const QStringList remoteFileSystems = {"nfs", "nfs4", "cifs", "smb3", "smbfs", "fuse.sshfs", "sshfs", "afs",
                                       "ncpfs", "ceph", "glusterfs", "fuse.glusterfs", "davfs", "fuse.davfs2"};

bool isRamFileSystem(const QString &fileSystem)
{
    return fileSystem == u"tmpfs" || fileSystem == u"ramfs";
}

// Whether the kernel says the block device (or the disk holding the
// partition) is removable, or it sits on a USB bus.
bool isRemovableBlockDevice(const QString &device)
{
    if (!device.startsWith(QStringLiteral("/dev/")))
        return false;
    const QString name = QFileInfo(QFileInfo(device).canonicalFilePath()).fileName();
    if (name.isEmpty())
        return false;
    const QString sysPath = QStringLiteral("/sys/class/block/") + name;
    const QString sysDevice = QFileInfo(sysPath).canonicalFilePath();
    if (sysDevice.contains(QStringLiteral("/usb")))
        return true;
    for (const QString &flag : {sysPath + QStringLiteral("/removable"), sysDevice + QStringLiteral("/../removable")}) {
        QFile file(flag);
        if (file.open(QIODevice::ReadOnly))
            return file.read(2).trimmed() == "1";
    }
    return false;
}

// File system UUIDs by the canonical path of their device, from the links
// udev keeps.
QHash<QString, QString> uuidsByDevice()
{
    QHash<QString, QString> uuids;
    QDirIterator links(QStringLiteral("/dev/disk/by-uuid"), QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    while (links.hasNext()) {
        const QFileInfo link(links.next());
        uuids.insert(link.canonicalFilePath(), link.fileName());
    }
    return uuids;
}

Volume rootVolume()
{
    return {QStringLiteral("/"), QString(), QStringLiteral("/"), VolumeKind::Fixed};
}

// The mount table names places with blanks, tabs, line ends and
// backslashes as "\040" and the like.
QString unescapeField(const QByteArray &field)
{
    QByteArray bytes;
    for (qsizetype i = 0; i < field.size(); ++i) {
        const auto isOctal = [&](qsizetype at) { return at < field.size() && field[at] >= '0' && field[at] <= '7'; };
        if (field[i] == '\\' && isOctal(i + 1) && isOctal(i + 2) && isOctal(i + 3)) {
            bytes += char(((field[i + 1] - '0') << 6) | ((field[i + 2] - '0') << 3) | (field[i + 3] - '0'));
            i += 3;
        } else {
            bytes += field[i];
        }
    }
    return QFile::decodeName(bytes);
}


// Reads the mount table and asks each local volume for its label. Remote
// volumes are never asked anything, since a stat of a dead server hangs;
// even so this runs on the source's worker thread only.
QList<Volume> scanVolumes()
{
    const QHash<QString, QString> uuids = uuidsByDevice();
    QMap<QString, Volume> byRoot; // a later mount on the same place hides the earlier
    for (const MountInfoLine &line : readMountTable()) {
        MountEntry entry{line.mountPoint, line.device, line.fileSystem};
        const QString root = withSlash(line.mountPoint);
        if (isPseudoMount(entry)) {
            byRoot.remove(root);
            continue;
        }
        entry.removableDevice = isRemovableBlockDevice(entry.device);
        Volume volume{root, QString(), QStringLiteral("mount:") + line.mountId, volumeKindOf(entry)};
        if (volume.kind != VolumeKind::Remote) {
            if (!QFileInfo(line.mountPoint).isDir())
                continue; // a single file bound into place, as containers do
            const QStorageInfo storage(line.mountPoint);
            volume.label = storage.name();
            volume.serial = uuids.value(QFileInfo(entry.device).canonicalFilePath(), volume.serial);
            if (!storage.isReady())
                volume.serial.clear();
        }
        byRoot.insert(root, volume);
    }
    if (!byRoot.contains(QStringLiteral("/")))
        byRoot.insert(QStringLiteral("/"), rootVolume());
    return byRoot.values();
}

// Polls the mount table on a thread of its own and keeps the last answer.
class SystemVolumeSource final : public VolumeSource
{
public:
    SystemVolumeSource()
    {
        m_worker = std::thread([this] { run(); });
        // Give the first scan a moment, so a tree built at start-up sees the
        // volumes; a hanging remote mount cannot hold us longer than that.
        std::unique_lock lock(m_mutex);
        m_wake.wait_for(lock, std::chrono::milliseconds(1500), [this] { return m_ready; });
    }
    ~SystemVolumeSource() override
    {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_all();
        m_worker.join();
    }

    QList<Volume> volumes() override
    {
        std::lock_guard lock(m_mutex);
        return m_ready ? m_volumes : QList<Volume>{rootVolume()};
    }

private:
    void run()
    {
        std::unique_lock lock(m_mutex);
        while (!m_stop) {
            lock.unlock();
            const QList<Volume> scanned = scanVolumes();
            lock.lock();
            const bool changed = m_ready && scanned != m_volumes;
            m_volumes = scanned;
            m_ready = true;
            m_wake.notify_all();
            if (changed)
                QMetaObject::invokeMethod(this, [this] { emit this->changed(); }, Qt::QueuedConnection);
            m_wake.wait_for(lock, std::chrono::seconds(2), [this] { return m_stop; });
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;
    bool m_ready = false;
    QList<Volume> m_volumes;
    std::thread m_worker;
};

VolumeSource *installed = nullptr;

} // namespace

QList<MountInfoLine> readMountTable()
{
    QFile file(QStringLiteral("/proc/self/mountinfo"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parseMountInfo(file.read(16 * 1024 * 1024));
}

bool isPseudoFileSystem(const QString &fileSystem)
{
    return pseudoFileSystems.contains(fileSystem);
}

QList<MountInfoLine> parseMountInfo(const QByteArray &text)
{
    // id parent major:minor root mount-point options [optional...] - type source super-options
    QList<MountInfoLine> lines;
    for (const QByteArray &line : text.split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        qsizetype separator = 6;
        while (separator < fields.size() && fields[separator] != "-")
            ++separator;
        if (separator + 2 >= fields.size() || fields[0].isEmpty())
            continue;
        MountInfoLine entry{QString::fromLatin1(fields[0]), unescapeField(fields[4]),
                            unescapeField(fields[separator + 1]), unescapeField(fields[separator + 2])};
        if (entry.mountPoint.startsWith(u'/'))
            lines << entry;
    }
    return lines;
}

QString Volume::caption() const
{
    const QString place = QStringLiteral("(") + rootPath + u')';
    return label.isEmpty() ? place : label + u' ' + place;
}

bool isPseudoMount(const MountEntry &entry)
{
    if (isPseudoFileSystem(entry.fileSystem))
        return true;
    for (const char *system : {"/proc", "/sys", "/dev", "/run"}) {
        if (isUnder(withSlash(entry.mountPoint).chopped(1), QLatin1String(system)))
            return true;
    }
    return entry.fileSystem == u"squashfs" && isUnder(entry.mountPoint, QStringLiteral("/snap"));
}

VolumeKind volumeKindOf(const MountEntry &entry)
{
    const QString deviceName = QFileInfo(entry.device).fileName();
    if (entry.fileSystem == u"iso9660" || entry.fileSystem == u"udf"
        || (entry.device.startsWith(QStringLiteral("/dev/")) && deviceName.startsWith(QStringLiteral("sr"))))
        return VolumeKind::CdRom;
    if (remoteFileSystems.contains(entry.fileSystem))
        return VolumeKind::Remote;
    if (entry.removableDevice)
        return VolumeKind::Removable;
    if (isRamFileSystem(entry.fileSystem))
        return VolumeKind::RamDisk;
    return VolumeKind::Fixed;
}

VolumeSource &VolumeSource::instance()
{
    if (installed)
        return *installed;
    static SystemVolumeSource system;
    return system;
}

void VolumeSource::setInstance(VolumeSource *source)
{
    installed = source;
}

} // namespace Platform
