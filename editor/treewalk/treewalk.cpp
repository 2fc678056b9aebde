#include "treewalk.h"

#include <QDir>
#include <QRegularExpression>

#include <vector>

namespace {

QString withCase(const QString &text, bool lower, bool upper)
{
    return lower ? text.toLower() : upper ? text.toUpper() : text;
}

// One folder being walked: its entries and the next one to visit.
struct Level {
    QString folder;
    QFileInfoList entries;
    qsizetype next = 0;
};

QFileInfoList entriesOf(const QString &folder)
{
    QDir dir(folder);
    return dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                             QDir::Name | QDir::IgnoreCase);
}

QString withoutTrailingSeparator(QString path)
{
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path;
}

} // namespace

TFtw::TFtw(QObject *owner) : QObject(owner), StartPath(QDir::rootPath()) {}

bool TFtw::Execute()
{
    if (!OnProcessFile)
        return false;
    if (UseList)
        List.clear();
    Size = 0;
    const QString start = withoutTrailingSeparator(StartPath);
    if (!QFileInfo(start).isDir())
        return true;

    std::vector<Level> stack;
    stack.push_back({start, entriesOf(start)});
    while (!stack.empty()) {
        Level &top = stack.back();
        if (top.next >= top.entries.size()) {
            stack.pop_back();
            continue;
        }
        const QFileInfo entry = top.entries.at(top.next++);
        const QString folder = top.folder; // top dangles once a level is pushed
        const bool isFolder = entry.isDir() && !entry.isSymLink();
        const bool isRegularFile = entry.isFile() && !entry.isSymLink();
        if ((!isFolder && !isRegularFile) || !matchesPattern(entry.fileName()))
            continue;
        if (!OnProcessFile(this, folder, entry))
            return true;
        collect(folder, entry);
        if (isFolder && Recursive)
            stack.push_back({entry.filePath(), entriesOf(entry.filePath())});
    }
    return true;
}

bool TFtw::matchesPattern(const QString &name) const
{
    if (Filter == QStringLiteral("*.*") || Filter == QStringLiteral("*"))
        return true;
    const QRegularExpression pattern(QRegularExpression::wildcardToRegularExpression(Filter),
                                     QRegularExpression::CaseInsensitiveOption);
    return pattern.match(name).hasMatch();
}

void TFtw::collect(const QString &folder, const QFileInfo &entry)
{
    if (!UseList) {
        List.clear();
        return;
    }
    const bool isFolder = entry.isDir();
    QString path = folder.endsWith(u'/') ? folder : folder + u'/';
    if (isFolder)
        path += entry.fileName() + u'/';
    path = withCase(path, ListDirCase == TDirCase::dcLowerCase, ListDirCase == TDirCase::dcUpperCase);
    const QString name = withCase(entry.fileName(), ListFileNameCase == TFileNameCase::fcLowerCase,
                                  ListFileNameCase == TFileNameCase::fcUpperCase);
    // A folder's path already ends with its name.
    const QString text = ListFileType == TFileType::ftDir    ? path
                         : ListFileType == TFileType::ftFile ? name
                         : isFolder                          ? path
                                                             : path + name;
    if (!keptByExtendedFilter(entry) || text.isEmpty())
        return;
    List << text;
    if (!isFolder)
        Size += entry.size();
}

bool TFtw::keptByExtendedFilter(const QFileInfo &entry) const
{
    if (ExtendedFilter.isEmpty())
        return true;
    const QString filter = ExtendedFilter.toLower();
    if (filter.contains(entry.fileName().toLower()))
        return true;
    const QString name = entry.fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return !entry.isDir() && dot >= 0 && filter.contains(u';' + name.mid(dot).toLower());
}

int LastPos(const QString &sub, const QString &s)
{
    if (sub.isEmpty() || s.isEmpty() || sub.size() > s.size())
        return 0;
    return int(s.lastIndexOf(sub)) + 1;
}
