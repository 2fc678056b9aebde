#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csignal>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

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

namespace {

// Removes the nested folders of name below fd, from the bottom up, with
// the file each may hold.
void removeNested(int fd, const QByteArray &name, const QByteArray &fileName)
{
    const int inner = ::openat(fd, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
    if (inner < 0)
        return;
    removeNested(inner, name, fileName);
    ::unlinkat(inner, fileName.constData(), 0);
    ::close(inner);
    ::unlinkat(fd, name.constData(), AT_REMOVEDIR);
}

} // namespace

DeepTree::DeepTree(const QString &root, const QByteArray &name, int levels, const QList<QPair<int, qint64>> &files,
                   const QByteArray &fileName)
    : m_root(root.endsWith(u'/') ? root : root + u'/')
    , m_name(name)
    , m_fileName(fileName)
    , m_levels(levels)
{
    QDir().mkpath(m_root);
    int current = ::open(QFile::encodeName(m_root).constData(), O_RDONLY | O_DIRECTORY);
    bool ok = current >= 0;
    for (int level = 1; ok && level <= levels; ++level) {
        const int next = ::mkdirat(current, name.constData(), 0700) == 0
                             ? ::openat(current, name.constData(), O_RDONLY | O_DIRECTORY)
                             : -1;
        ::close(current);
        current = next;
        ok = current >= 0;
        for (const auto &file : files) {
            if (!ok || file.first != level)
                continue;
            const int out = ::openat(current, fileName.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ok = out >= 0 && ::ftruncate(out, file.second) == 0;
            if (out >= 0)
                ::close(out);
        }
    }
    if (current >= 0)
        ::close(current);
    m_ok = ok;
}

DeepTree::~DeepTree()
{
    const int fd = ::open(QFile::encodeName(m_root).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return;
    removeNested(fd, m_name, m_fileName);
    ::close(fd);
}

QString DeepTree::folder(int level) const
{
    QString path = m_root;
    for (int i = 0; i < level; ++i)
        path += QFile::decodeName(m_name) + u'/';
    return path;
}

} // namespace TestSupport
