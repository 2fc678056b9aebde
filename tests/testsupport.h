#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QTemporaryDir>

namespace TestSupport {

// Writes bytes to a file (creating its folders) and returns its path.
QString writeFile(const QString &path, const QByteArray &bytes);
QByteArray readFile(const QString &path);

// Folder in the build tree where tests leave pictures for reviewers.
QString outputDir();

// A full disk for this process while it lives: files cannot grow beyond
// maxBytes (RLIMIT_FSIZE), and a write past it fails instead of raising
// SIGXFSZ.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 maxBytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    qint64 m_oldSoft = 0;
    void (*m_oldHandler)(int) = nullptr;
};

// The special files a CD can name in place of a regular one, made in dir:
// a FIFO, a link to /dev/zero, a folder and a link to the FIFO. Returns
// name -> path.
QList<QPair<QString, QString>> makeSpecialFiles(const QString &dir);

// Folders nested below root, each of the same name, deeper than a path may
// be long: made, filled and removed through handles, level by level. A
// level may hold a file of fileName with the given size (level 1 is the
// first folder below root).
class DeepTree
{
public:
    DeepTree(const QString &root, const QByteArray &name, int levels, const QList<QPair<int, qint64>> &files,
             const QByteArray &fileName = "setup.exe");
    ~DeepTree();
    DeepTree(const DeepTree &) = delete;
    DeepTree &operator=(const DeepTree &) = delete;

    bool ok() const { return m_ok; }
    // The folder of a level, with a trailing "/" (root's own for 0).
    QString folder(int level) const;

private:
    QString m_root;
    QByteArray m_name;
    QByteArray m_fileName;
    int m_levels = 0;
    bool m_ok = false;
};

} // namespace TestSupport
