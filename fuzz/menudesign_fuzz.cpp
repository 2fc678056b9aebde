// Feeds arbitrary bytes to the project reader of the design model, with
// either program's reader. The first store may change what a file cannot
// hold (a line break inside a value becomes a blank); from then on a stored
// design must read back as the same design.
#include <projectfile/menudesign.h>

#include <profilefile.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

ProjectFormat::MenuDesign typed(ProjectFormat::MenuDesign design)
{
    design.sourceText.clear();
    return design;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // In memory where the system has a folder for it.
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/kalvora-fuzz-XXXXXX")
                                                                       : QDir::tempPath() + QStringLiteral("/kalvora-fuzz-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("fuzz.klv"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    const Platform::ProfileFile file(path);
    // One reader an input, by its last byte: both readers each time would
    // halve the inputs tried for no new paths.
    const ProjectFormat::Reader reader = size > 0 && (data[size - 1] & 1) ? ProjectFormat::Reader::Runtime
                                                                          : ProjectFormat::Reader::Designer;
    // Never flushed, so never written: the stored designs live in memory only.
    Platform::ProfileFile first(dir.filePath(QStringLiteral("never-written-1.klv")));
    typed(ProjectFormat::MenuDesign::read(file, reader)).write(first);
    const ProjectFormat::MenuDesign design = typed(ProjectFormat::MenuDesign::read(first, reader));
    Platform::ProfileFile second(dir.filePath(QStringLiteral("never-written-2.klv")));
    design.write(second);
    if (typed(ProjectFormat::MenuDesign::read(second, reader)) != design || second.text() != first.text())
        std::abort();
    return 0;
}
