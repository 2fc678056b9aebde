// Feeds arbitrary bytes to the profile-file reader, reads everything back and
// changes keys, which must never crash or read out of bounds.
#include <profilefile.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // In memory where the system has a folder for it: every save syncs its
    // file, which on a disk would cost more than all the rest of an input.
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/kalvora-fuzz-XXXXXX")
                                                                       : QDir::tempPath() + QStringLiteral("/kalvora-fuzz-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("fuzz.ini"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    Platform::ProfileFile ini(path);
    for (const QString &section : ini.sectionNames()) {
        for (const QString &key : ini.keyNames(section)) {
            (void)ini.readString(section, key, {});
            (void)ini.readInteger(section, key, 0);
        }
        (void)ini.sectionValues(section);
    }
    ini.writeString(QStringLiteral("WINDOW"), QStringLiteral("WIDTH"), QStringLiteral("640"));
    ini.deleteKey(QStringLiteral("NAMES"), QStringLiteral("1001"));
    ini.eraseSection(QStringLiteral("DATA"));
    // Writing the file (synced to disk) costs far more than parsing it; do
    // it for some inputs and drop the changes of the others, which the
    // destructor would write otherwise.
    if (size > 0 && data[0] == 'W')
        ini.flush();
    else
        ini.reload();
    return 0;
}
