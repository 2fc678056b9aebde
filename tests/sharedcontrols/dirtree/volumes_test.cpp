#include <volumes.h>

#include <gtest/gtest.h>

namespace {

using Platform::MountEntry;
using Platform::VolumeKind;

TEST(Volumes, MountEntriesAreJudgedByFileSystemDeviceAndPlace)
{
    const struct {
        MountEntry entry;
        bool pseudo;
        VolumeKind kind;
    } cases[] = {
        {{"/", "/dev/nvme0n1p2", "ext4"}, false, VolumeKind::Fixed},
        {{"/", "overlay", "overlay"}, false, VolumeKind::Fixed},
        {{"/media/cd", "/dev/sr0", "iso9660"}, false, VolumeKind::CdRom},
        {{"/media/dvd", "/dev/sr1", "udf"}, false, VolumeKind::CdRom},
        {{"/media/disc", "/dev/sr0", "hfsplus"}, false, VolumeKind::CdRom},
        {{"/media/stick", "/dev/sdb1", "vfat", true}, false, VolumeKind::Removable},
        {{"/mnt/nas", "nas:/export", "nfs4"}, false, VolumeKind::Remote},
        {{"/mnt/smb", "//srv/share", "cifs"}, false, VolumeKind::Remote},
        {{"/mnt/ssh", "me@host:", "fuse.sshfs"}, false, VolumeKind::Remote},
        {{"/tmp", "tmpfs", "tmpfs"}, false, VolumeKind::RamDisk},
        {{"/run/user/1000", "tmpfs", "tmpfs"}, true, VolumeKind::RamDisk},
        {{"/dev/shm", "tmpfs", "tmpfs"}, true, VolumeKind::RamDisk},
        {{"/proc", "proc", "proc"}, true, VolumeKind::Fixed},
        {{"/sys/fs/cgroup", "cgroup2", "cgroup2"}, true, VolumeKind::Fixed},
        {{"/snap/core/1", "/dev/loop0", "squashfs"}, true, VolumeKind::Fixed},
        {{"/running", "/dev/sdc1", "ext4"}, false, VolumeKind::Fixed},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(Platform::isPseudoMount(c.entry), c.pseudo) << c.entry.mountPoint.toStdString();
        EXPECT_EQ(Platform::volumeKindOf(c.entry), c.kind) << c.entry.mountPoint.toStdString();
    }
}

TEST(Volumes, TheSystemSourceAlwaysHasTheRoot)
{
    const QList<Platform::Volume> volumes = Platform::VolumeSource::instance().volumes();
    ASSERT_FALSE(volumes.isEmpty());
    EXPECT_TRUE(std::any_of(volumes.begin(), volumes.end(),
                            [](const Platform::Volume &v) { return v.rootPath == u"/"; }));
    for (const Platform::Volume &volume : volumes)
        EXPECT_TRUE(volume.rootPath.endsWith(u'/')) << volume.rootPath.toStdString();
}

TEST(Volumes, CaptionIsLabelAndMountPoint)
{
    EXPECT_EQ((Platform::Volume{"/media/cd/", "GRY2024", {}}.caption()), QStringLiteral("GRY2024 (/media/cd/)"));
    EXPECT_EQ((Platform::Volume{"/", "", {}}.caption()), QStringLiteral("(/)"));
}

} // namespace

namespace {

TEST(Volumes, MountTableLinesAreReadWithTheirEscapes)
{
    const QByteArray table =
        "21 26 0:20 / /proc rw,relatime - proc proc rw\n"
        "26 1 259:2 / / rw,relatime shared:1 - ext4 /dev/nvme0n1p2 rw\n"
        "40 26 11:0 / /media/me/Gry\\0402024 ro,nosuid master:7 shared:9 - iso9660 /dev/sr0 ro\n"
        "41 26 0:50 / /mnt/nas rw - nfs4 nas:/export\\134x rw,vers=4.2\n"
        "broken line without a separator\n"
        "42 26 0:51 / relative rw - ext4 /dev/sdb1 rw\n"
        "43 26 0:52 / /short rw - ext4\n"
        "\n";
    const QList<Platform::MountInfoLine> lines = Platform::parseMountInfo(table);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[1].mountPoint, QStringLiteral("/"));
    EXPECT_EQ(lines[1].device, QStringLiteral("/dev/nvme0n1p2"));
    EXPECT_EQ(lines[2].mountId, QStringLiteral("40"));
    EXPECT_EQ(lines[2].mountPoint, QStringLiteral("/media/me/Gry 2024"));
    EXPECT_EQ(lines[2].fileSystem, QStringLiteral("iso9660"));
    EXPECT_EQ(lines[3].device, QStringLiteral("nas:/export\\x"));
}

} // namespace
