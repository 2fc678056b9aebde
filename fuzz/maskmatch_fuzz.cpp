// A mask text and a name from arbitrary bytes: splitting and matching must
// never fail hard, the prepared matcher of the disk search must agree with
// matching mask by mask, and searching the name as a file's content, in
// small chunks, must agree with matching it in memory.
#include <masks/masks.h>

#include <cp1250.h>

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype cut = input.indexOf('\n');
    const QByteArray maskBytes = cut < 0 ? input : input.left(cut);
    const QByteArray nameBytes = cut < 0 ? QByteArray() : input.mid(cut + 1);

    const QStringList masks = Masks::SplitMasks(Platform::fromCp1250(maskBytes), nameBytes.size() % 2 == 0);
    const QString name = Platform::fromCp1250(nameBytes);
    const bool exact = Masks::MatchMaskList(name, masks, true);
    const bool inMemory = Masks::MatchMaskList(name, masks, false);
    const Masks::MaskMatcher matcher(masks);
    if (matcher.matches(name, true) != exact || matcher.matches(name, false) != inMemory)
        std::abort();

    const QString path = dir.filePath(QStringLiteral("content.txt"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(nameBytes);
    }
    const qint64 chunk = 1 + qint64(size % 5);
    if (!masks.isEmpty() && masks.first() != QStringLiteral("*")
        && Masks::SearchFileText(path, masks, chunk) != inMemory)
        std::abort();
    return 0;
}
