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
