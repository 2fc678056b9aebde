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

} // namespace TestSupport
