#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>

namespace TestSupport {

QString writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
    return path;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString outputDir()
{
    const QString dir = QStringLiteral(KALVORA_TEST_OUTPUT_DIR);
    QDir().mkpath(dir);
    return dir;
}

FileSizeLimit::FileSizeLimit(qint64 maxBytes)
{
    m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    m_oldSoft = qint64(limit.rlim_cur);
    limit.rlim_cur = rlim_t(maxBytes);
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = rlim_t(m_oldSoft);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, m_oldHandler);
}

QList<QPair<QString, QString>> makeSpecialFiles(const QString &dir)
{
    QDir().mkpath(dir);
    const QString fifo = dir + QStringLiteral("/fifo");
    mkfifo(QFile::encodeName(fifo).constData(), 0600);
    QFile::link(QStringLiteral("/dev/zero"), dir + QStringLiteral("/zero"));
    QDir().mkpath(dir + QStringLiteral("/folder"));
    QFile::link(fifo, dir + QStringLiteral("/fifolink"));
    return {
        {QStringLiteral("FIFO"), fifo},
        {QStringLiteral("link to /dev/zero"), dir + QStringLiteral("/zero")},
        {QStringLiteral("folder"), dir + QStringLiteral("/folder")},
        {QStringLiteral("link to a FIFO"), dir + QStringLiteral("/fifolink")},
    };
}

} // namespace TestSupport
