#include "fileopengine.h"

#include "fileidentity.h"
#include "safefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <filesystem>
#include <system_error>

namespace {

using Answer = FileOpCallbacks::Answer;

std::filesystem::path fsPath(const QString &path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

using Platform::existsOrLink;
using Platform::lookAt;
using Platform::PathLook;

// The system's reason after the message, so a full disk reads as one.
QString withReason(const QString &message, const QString &reason)
{
    return reason.isEmpty() ? message : message + QStringLiteral(": ") + reason;
}

// Makes folder with the folders above it; the error with the system's
// reason, or empty.
QString makeFolder(const QString &folder)
{
    std::error_code error;
    std::filesystem::create_directories(fsPath(folder), error);
    if (!error || QFileInfo(folder).isDir())
        return {};
    return withReason(QStringLiteral("nie można utworzyć folderu „%1”").arg(folder),
                      QString::fromStdString(error.message()));
}

bool isMask(const QString &name)
{
    return name.contains(u'*') || name.contains(u'?');
}

// The entries of a folder matching a mask; "*.*" matches every name, as
// it always has, dotted or not.
QStringList expandMask(const QString &pattern, bool filesOnly)
{
    const QFileInfo info(pattern);
    QString mask = info.fileName();
    if (mask == u"*.*")
        mask = QStringLiteral("*");
    const QRegularExpression match(QRegularExpression::wildcardToRegularExpression(mask),
                                   QRegularExpression::CaseInsensitiveOption);
    QDir::Filters filters = QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    if (!filesOnly)
        filters |= QDir::Dirs;
    QStringList names;
    const QDir folder = info.dir();
    for (const QString &entry : folder.entryList(filters, QDir::Name)) {
        if (match.match(entry).hasMatch())
            names.append(folder.filePath(entry));
    }
    return names;
}

// Each source named, with a literal name that does not exist kept so it is
// reported.
QStringList expandSources(const QStringList &names, bool filesOnly)
{
    QStringList sources;
    for (const QString &name : names) {
        if (name.isEmpty())
            continue;
        if (isMask(name) && !existsOrLink(name))
            sources += expandMask(name, filesOnly);
        else
            sources.append(name);
    }
    return sources;
}

bool inside(const QString &folder, const QString &path)
{
    const QString root = QFileInfo(folder).canonicalFilePath();
    QString parent = QFileInfo(QFileInfo(path).absolutePath()).canonicalFilePath();
    return !root.isEmpty() && (parent == root || parent.startsWith(root + u'/'));
}

// A free name beside a taken one: "name (2).ext", "name (3).ext", ...
QString freeName(const QString &taken)
{
    const QFileInfo info(taken);
    const QString base = info.isDir() || info.suffix().isEmpty() ? info.fileName() : info.completeBaseName();
    const QString suffix = info.isDir() || info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    for (int n = 2;; ++n) {
        const QString candidate = info.dir().filePath(QStringLiteral("%1 (%2)%3").arg(base).arg(n).arg(suffix));
        if (!existsOrLink(candidate))
            return candidate;
    }
}

class Runner
{
public:
    Runner(const FileOpRequest &request, const FileOpCallbacks &callbacks)
        : m_request(request)
        , m_callbacks(callbacks)
    {
    }

    FileOpOutcome run();

private:
    bool has(TFileOpFlag flag) const { return m_request.flags.testFlag(flag); }
    Answer ask(const QString &question);
    QList<FileOpItem> planTargets(const QStringList &sources);
    bool confirmDelete(int count);
    void transfer(FileOpItem &item, const PathLook &source);
    void remove(FileOpItem &item);
    bool prepareTarget(FileOpItem &item, const PathLook &source);
    QString copyTree(const QString &source, const QString &target, const PathLook &sourceLook);
    QString copyFile(const QString &source, const QString &target, const PathLook &sourceLook);
    QString moveTree(const QString &source, const QString &target);
    static QString removeTree(const QString &path);

    const FileOpRequest &m_request;
    const FileOpCallbacks &m_callbacks;
    FileOpOutcome m_outcome;
    QString m_folderSeen; // the last target folder found or made; most items share it
};

Answer Runner::ask(const QString &question)
{
    const Answer answer = m_callbacks.confirm ? m_callbacks.confirm(question) : Answer::Yes;
    if (answer == Answer::Cancel)
        m_outcome.aborted = true;
    return answer;
}

// Pairs sources with targets: one target each with MultiDestFiles or a
// rename, else everything into one folder, or one file to a new name.
QList<FileOpItem> Runner::planTargets(const QStringList &sources)
{
    QList<FileOpItem> items;
    const QStringList &to = m_request.to;
    const bool paired = m_request.operation == foRename || has(fofMultiDestFiles);
    for (int i = 0; i < sources.size(); ++i) {
        FileOpItem item;
        item.source = sources[i];
        if (m_request.operation == foDelete) {
        } else if (paired) {
            if (i < to.size()) {
                const QFileInfo target(to[i]);
                item.target = target.isRelative() ? QFileInfo(sources[i]).dir().filePath(to[i]) : to[i];
            } else {
                item.error = QStringLiteral("brak nazwy docelowej");
            }
        } else if (to.isEmpty() || to.first().isEmpty()) {
            item.error = QStringLiteral("brak nazwy docelowej");
        } else if (sources.size() > 1 || QFileInfo(to.first()).isDir()) {
            item.target = QDir(to.first()).filePath(QFileInfo(sources[i]).fileName());
        } else {
            item.target = to.first();
        }
        items.append(item);
    }
    return items;
}

bool Runner::confirmDelete(int count)
{
    if (has(fofNoConfirmation) || count == 0)
        return true;
    const QString question = count == 1 ? QStringLiteral("Czy na pewno chcesz usunąć „%1”?").arg(m_request.from.first())
                                        : QStringLiteral("Czy na pewno chcesz usunąć te elementy (%1)?").arg(count);
    if (ask(question) == Answer::Yes)
        return true;
    m_outcome.aborted = true;
    return false;
}

FileOpOutcome Runner::run()
{
    QList<FileOpItem> items = planTargets(expandSources(m_request.from, has(fofFilesOnly)));
    if (m_request.operation == foDelete && !confirmDelete(int(items.size())))
        return m_outcome;
    for (int i = 0; i < items.size(); ++i) {
        if (m_callbacks.progress && !m_callbacks.progress(i, int(items.size()), items[i].source))
            m_outcome.aborted = true;
        if (m_outcome.aborted)
            break;
        FileOpItem &item = items[i];
        const PathLook source = item.error.isEmpty() ? lookAt(item.source) : PathLook{};
        if (item.error.isEmpty() && !source.taken)
            item.error = QStringLiteral("nie istnieje");
        if (item.error.isEmpty()) {
            if (m_request.operation == foDelete)
                remove(item);
            else
                transfer(item, source);
        }
        m_outcome.items.append(item);
    }
    return m_outcome;
}

void Runner::remove(FileOpItem &item)
{
    if (has(fofAllowUndo)) {
        if (!QFile::moveToTrash(item.source))
            item.error = QStringLiteral("nie można przenieść do kosza");
        return;
    }
    item.error = removeTree(item.source);
}

// Settles a taken or missing target before a copy or move; false when the
// item is not to be carried out.
bool Runner::prepareTarget(FileOpItem &item, const PathLook &source)
{
    const PathLook target = lookAt(item.target);
    const bool self = source.sameFileAs(target);
    if (self && !has(fofRenameOnCollision) && m_request.operation != foRename) {
        item.error = QStringLiteral("nie można skopiować pliku na niego samego");
        return false;
    }
    if (source.isDir() && inside(item.source, item.target)) {
        item.error = QStringLiteral("folder nie może trafić do samego siebie");
        return false;
    }
    if (target.taken && !(self && m_request.operation == foRename)) {
        if (has(fofRenameOnCollision)) {
            item.target = freeName(item.target);
        } else if (!has(fofNoConfirmation)) {
            const Answer answer = ask(QStringLiteral("„%1” już istnieje. Czy zastąpić?").arg(item.target));
            if (answer != Answer::Yes) {
                item.skipped = answer == Answer::No;
                item.error = answer == Answer::No ? QString() : QStringLiteral("przerwano");
                return false;
            }
        }
    }
    const QString folder = QFileInfo(item.target).absolutePath();
    if (folder != m_folderSeen && !QFileInfo(folder).isDir()) {
        if (!has(fofNoConfirmMkDir) && !has(fofNoConfirmation)
            && ask(QStringLiteral("Folder „%1” nie istnieje. Czy go utworzyć?").arg(folder)) != Answer::Yes) {
            item.skipped = !m_outcome.aborted;
            item.error = m_outcome.aborted ? QStringLiteral("przerwano") : QString();
            return false;
        }
        item.error = makeFolder(folder);
        if (!item.error.isEmpty())
            return false;
    }
    m_folderSeen = folder;
    return true;
}

void Runner::transfer(FileOpItem &item, const PathLook &source)
{
    if (!prepareTarget(item, source))
        return;
    if (m_request.operation == foCopy)
        item.error = copyTree(item.source, item.target, source);
    else
        item.error = moveTree(item.source, item.target);
}

QString Runner::copyFile(const QString &source, const QString &target, const PathLook &sourceLook)
{
    if (!sourceLook.isRegular())
        return QStringLiteral("„%1” nie jest zwykłym plikiem").arg(source);
    // Looked at again: the target may have been renamed or its folder made.
    const PathLook targetLook = lookAt(target);
    if (sourceLook.sameFileAs(targetLook))
        return QStringLiteral("nie można skopiować pliku na niego samego");
    if (!Platform::isReadable(source))
        return QStringLiteral("nie można odczytać „%1”").arg(source);
    // A full disk leaves no half copy that counts as done; the kernel copies.
    // A new name is written in place, a taken one replaced only when whole.
    const Platform::WriteResult copied = targetLook.taken ? Platform::copyWholeFile(source, target)
                                                          : Platform::copyToNewFile(source, target);
    if (!copied.ok())
        return withReason(QStringLiteral("nie można zapisać „%1”").arg(target), copied.reason);
    return {};
}

// Copies a file, or a folder with everything in it (merged into a folder
// of that name when there is one).
QString Runner::copyTree(const QString &source, const QString &target, const PathLook &sourceLook)
{
    if (!sourceLook.isDir())
        return copyFile(source, target, sourceLook);
    // A linked folder is copied as the link, so a link back up the tree
    // cannot make the copy endless.
    if (sourceLook.link) {
        QFile::remove(target);
        return QFile::link(QFileInfo(source).symLinkTarget(), target) ? QString()
                                                         : QStringLiteral("nie można zapisać „%1”").arg(target);
    }
    if (const QString error = makeFolder(target); !error.isEmpty())
        return error;
    const QDir folder(source);
    const QDir::Filters all = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    for (const QString &name : folder.entryList(all, QDir::Name)) {
        const QString entry = folder.filePath(name);
        const QString error = copyTree(entry, QDir(target).filePath(name), lookAt(entry));
        if (!error.isEmpty())
            return error;
    }
    return {};
}

QString Runner::moveTree(const QString &source, const QString &target)
{
    std::error_code error;
    if (!QFileInfo(target).isDir() || !QFileInfo(source).isDir()) {
        std::filesystem::rename(fsPath(source), fsPath(target), error);
        if (!error)
            return {};
    }
    // Another file system, or a folder merged into an existing one.
    const QString copyError = copyTree(source, target, lookAt(source));
    return copyError.isEmpty() ? removeTree(source) : copyError;
}

QString Runner::removeTree(const QString &path)
{
    std::error_code error;
    std::filesystem::remove_all(fsPath(path), error);
    return error ? withReason(QStringLiteral("nie można usunąć „%1”").arg(path), QString::fromStdString(error.message()))
                 : QString();
}

} // namespace

bool FileOpOutcome::ok() const
{
    if (aborted)
        return false;
    for (const FileOpItem &item : items) {
        if (!item.error.isEmpty())
            return false;
    }
    return true;
}

FileOpOutcome runFileOperation(const FileOpRequest &request, const FileOpCallbacks &callbacks)
{
    return Runner(request, callbacks).run();
}
