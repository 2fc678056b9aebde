// Feeds arbitrary bytes to the project reader of the design model, for both
// readers: a design stored by write() must read back as the same design.
#include <projectfile/menudesign.h>

#include <profilefile.h>

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
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fuzz.klv"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    const Platform::ProfileFile file(path);
    for (ProjectFormat::Reader reader : {ProjectFormat::Reader::Designer, ProjectFormat::Reader::Runtime}) {
        const ProjectFormat::MenuDesign design = typed(ProjectFormat::MenuDesign::read(file, reader));
        // Never flushed: the stored design lives in memory only.
        Platform::ProfileFile stored(dir.filePath(QStringLiteral("never-written.klv")));
        design.write(stored);
        if (typed(ProjectFormat::MenuDesign::read(stored, reader)) != design)
            std::abort();
        stored.reload();
    }
    return 0;
}
