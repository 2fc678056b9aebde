// Arbitrary bytes as the hint texts file: reading never fails hard, and
// every key read finds the text of its first line.
#include <mainwindow/hinttexts.h>

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("HINTS.TXT"));
    {
        QFile file(input);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    HintTexts texts;
    texts.load(input);
    if (texts.count() > int(size))
        std::abort();
    return 0;
}
