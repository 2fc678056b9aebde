#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

namespace Platform {

// What kind of medium a volume is, as the folder tree filters them.
enum class VolumeKind { Unknown, Removable, Fixed, Remote, CdRom, RamDisk };

// A mounted volume: what Windows calls a drive.
struct Volume {
    // The mount point, ending in "/".
    QString rootPath;
    QString label;
    // Changes when another medium is mounted at the same place (the file
    // system's UUID where there is one); empty when no medium is there.
    QString serial;
    VolumeKind kind = VolumeKind::Unknown;

    // "LABEL (/media/cd/)", or "(/media/cd/)" without a label.
    QString caption() const;

    friend bool operator==(const Volume &, const Volume &) = default;
};

// The volumes of the machine. Reading them never blocks on a remote mount:
// sources ask the system in the background and answer from what they know.
// changed() is emitted (in the thread the source lives in) when volumes
// come or go or a medium changes.
class VolumeSource : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Sorted by root path; "/" is always among them.
    virtual QList<Volume> volumes() = 0;

    static VolumeSource &instance();
    // Installs another instance (not owned); nullptr restores the default.
    static void setInstance(VolumeSource *source);

signals:
    void changed();
};

// How the volume source of this system judges a mount table entry; kept
// apart so the rules can be checked without the machine's own mounts.
struct MountEntry {
    QString mountPoint;
    QString device;
    QString fileSystem;
    // The block device says it is removable or sits on a USB bus.
    bool removableDevice = false;
};

// One line of the kernel's mount table (/proc/self/mountinfo): the mount's
// id, where it is, what it is and what it was mounted from.
struct MountInfoLine {
    QString mountId;
    QString mountPoint;
    QString fileSystem;
    QString device;
};
// The well-formed lines of a mount table; others are skipped.
QList<MountInfoLine> parseMountInfo(const QByteArray &text);
// The mount table of this process.
QList<MountInfoLine> readMountTable();

// The kernel's own file systems (processes, devices, control files): no
// user folders, and reading them can block or never end.
bool isPseudoFileSystem(const QString &fileSystem);

// Kernel and pseudo file systems that hold no user folders.
bool isPseudoMount(const MountEntry &entry);
VolumeKind volumeKindOf(const MountEntry &entry);

} // namespace Platform
