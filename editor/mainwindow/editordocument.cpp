#include "editordocument.h"
#include "editormessages.h"

#include <paths.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString EditorDocument::driveRootOf(const QString &path)
{
    return Platform::documentDriveRoot(path);
}
void EditorDocument::setCurrent(int index)
{
    m_current = index >= 0 && index < count() ? index : -1;
}

const DataFile::Program *EditorDocument::currentProgram() const
{
    return m_current >= 0 ? &m_category.programs.at(m_current) : nullptr;
}

DataFile::Result EditorDocument::open(const QString &fileName)
{
    DataFile::ReadResult read = DataFile::read(fileName);
    if (!read.ok())
        return {read.message};
    m_fileName = QFileInfo(fileName).absoluteFilePath();
    m_driveRoot = driveRootOf(m_fileName);
    m_category = std::move(read.category);
    // Paths stored before the CD folder had its "AUTORUN.INF" are taken
    // from it; the next save writes them so.
    DataFile::rebaseStoredPaths(m_category, m_driveRoot);
    m_current = count() > 0 ? 0 : -1;
    m_modified = false;
    return {};
}

DataFile::Result EditorDocument::createEmpty(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {EditorMessages::createError(fileName)};
    file.close();
    return open(fileName);
}

DataFile::Result EditorDocument::save()
{
    if (!hasFile())
        return {EditorMessages::noDataFile()};
    const DataFile::Result written = DataFile::write(m_fileName, m_category);
    if (written.ok())
        m_modified = false;
    return written;
}

DataFile::Result EditorDocument::saveAs(const QString &fileName)
{
    const DataFile::Result written = DataFile::write(fileName, m_category);
    if (!written.ok())
        return written;
    m_fileName = QFileInfo(fileName).absoluteFilePath();
    m_driveRoot = driveRootOf(m_fileName);
    m_modified = false;
    return written;
}

void EditorDocument::setTitle(const QString &title)
{
    m_category.title = title;
    m_modified = true;
}

void EditorDocument::setDescription(const QString &description)
{
    m_category.description = description;
    m_modified = true;
}

QString EditorDocument::storedPath(const QString &absolutePath, QString *message) const
{
    const QString clean = QDir::cleanPath(QFileInfo(absolutePath).absoluteFilePath());
    const QString root = QDir::cleanPath(m_driveRoot);
    const bool inside = root == QStringLiteral("/") || clean == root || clean.startsWith(root + u'/');
    if (!inside) {
        if (message)
            *message = EditorMessages::outsideDriveRoot(QDir::toNativeSeparators(absolutePath), m_driveRoot);
        return {};
    }
    return clean == root ? QString() : Platform::toStoredPath(m_driveRoot, clean);
}

namespace {

// The name of the folder's "File_ID.DIZ" in its own letter case; empty when
// there is none.
QString dizNameIn(const QString &folder)
{
    return Platform::findEntryCaseInsensitive(folder, QStringLiteral("File_ID.DIZ"));
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

EditorDocument::AddResult EditorDocument::addProgram(const QString &folderPath, const QString &setupName,
                                                     bool corrections)
{
    AddResult result;
    if (!hasFile()) {
        result.outcome = AddOutcome::Refused;
        result.message = EditorMessages::noDataFile();
        return result;
    }
    if (corrections && !currentProgram())
        return result;
    QString folder = QDir::cleanPath(QFileInfo(folderPath).absoluteFilePath());
    QString stored = storedPath(folder, &result.message);
    if (!result.message.isEmpty()) {
        result.outcome = AddOutcome::Refused;
        return result;
    }
    if (!folder.endsWith(u'/'))
        folder += u'/';
    if (!stored.isEmpty())
        stored += u'\\';

    DataFile::Program fresh;
    int index = m_current;
    if (!corrections) {
        // The root folder has no name of its own; the name checks refuse it.
        const QString name = stored.isEmpty() ? QString() : QDir(folder).dirName();
        const DataFile::Result check = DataFile::checkProgramName(name);
        if (!check.ok()) {
            result.outcome = AddOutcome::Refused;
            result.message = check.message;
            return result;
        }
        for (int i = 0; i < count(); ++i) {
            if (sameName(m_category.programs[i].name, name)) {
                m_current = i;
                return {AddOutcome::Duplicate, EditorMessages::duplicateName(), i};
            }
        }
        fresh.name = name;
        fresh.kopia = name;
        m_category.programs.append(fresh);
        index = count() - 1;
    }
    DataFile::Program &program = m_category.programs[index];
    program.katalog = stored;
    const QString diz = dizNameIn(folder);
    program.opis = diz.isEmpty() ? EditorMessages::noDizInformation() : stored + diz;
    program.rozmiar = DataFile::formatSize(DataFile::totalFileSize(folder));
    program.setup = stored + setupName;
    m_current = index;
    m_modified = true;
    result.outcome = corrections ? AddOutcome::Updated : AddOutcome::Added;
    result.index = index;
    return result;
}

DataFile::Result EditorDocument::renameProgram(int index, const QString &name)
{
    if (index < 0 || index >= count())
        return {};
    if (m_category.programs[index].name == name)
        return {};
    const DataFile::Result check = DataFile::checkProgramName(name);
    if (!check.ok())
        return check;
    for (int i = 0; i < count(); ++i) {
        if (i != index && sameName(m_category.programs[i].name, name))
            return {EditorMessages::duplicateName()};
    }
    m_category.programs[index].name = name;
    m_modified = true;
    return {};
}

bool EditorDocument::setField(int index, Field field, const QString &value)
{
    if (index < 0 || index >= count() || m_category.programs[index].*field == value)
        return false;
    m_category.programs[index].*field = value;
    m_modified = true;
    return true;
}

void EditorDocument::deleteCurrent()
{
    if (m_current < 0)
        return;
    m_category.programs.removeAt(m_current);
    m_modified = true;
    m_current = count() == 0 ? -1 : std::max(0, m_current - 1);
}

EditorDocument::Disk1Fix EditorDocument::disk1Fix(const QString &katalog)
{
    Disk1Fix fix;
    const qsizetype at = katalog.indexOf(QStringLiteral("\\DISK1\\"), 0, Qt::CaseInsensitive);
    if (at < 0)
        return fix;
    fix.applies = true;
    fix.katalog = katalog.left(at + 1);
    const QStringList names = fix.katalog.split(u'\\', Qt::SkipEmptyParts);
    fix.kopia = names.isEmpty() ? QString() : names.last();
    return fix;
}

QString EditorDocument::programIndex(Field field) const
{
    QString text;
    for (const DataFile::Program &program : m_category.programs)
        text += program.name + QStringLiteral(" - ") + program.*field + QStringLiteral("\r\n");
    return text;
}
