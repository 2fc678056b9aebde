// Arbitrary bytes as a data file: reading must never fail hard, and a
// category that was read must write and read back as it was, unless a name
// is refused.
#include <datafile/datafile.h>

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("input.rv3"));
    const QString output = dir.filePath(QStringLiteral("output.rv3"));
    {
        QFile file(input);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    const DataFile::ReadResult first = DataFile::read(input);
    (void)DataFile::readHeader(input);
    if (!first.ok() || !DataFile::write(output, first.category).ok())
        return 0;
    const DataFile::ReadResult second = DataFile::read(output);
    if (!second.ok() || second.category.programs.size() != first.category.programs.size())
        std::abort();
    return 0;
}
