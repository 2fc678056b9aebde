#include "templatestore.h"

#include "templates/templatemessages.h"

#include <collation.h>
#include <fileidentity.h>
#include <paths.h>
#include <safefile.h>

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace Templates {
namespace {

// A template folder: a real folder, not a link to one, and no hidden name.
bool isTemplateFolder(const QFileInfo &info)
{
    return info.isDir() && !info.isSymLink() && !info.fileName().startsWith(u'.');
}

QString templatesFolderIn(const QString &dir)
{
    if (dir.isEmpty())
        return {};
    const QString found = Platform::findEntryCaseInsensitive(dir, FolderName);
    return found.isEmpty() ? QString() : QDir(dir).filePath(found);
}

void addTemplatesOf(const QString &folder, bool shipped, QList<Template> &templates, QSet<QString> &names)
{
    if (folder.isEmpty())
        return;
    const QDir dir(folder);
    const QFileInfoList entries = dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo &entry : entries) {
        const QString folded = entry.fileName().toCaseFolded();
        if (!isTemplateFolder(entry) || names.contains(folded))
            continue;
        names.insert(folded);
        templates.append({entry.fileName(), entry.absoluteFilePath(), shipped});
    }
}

std::filesystem::path localPath(const QString &path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

} // namespace

QList<Template> listTemplates(const QString &userDir, const QString &programDir)
{
    const QString user = templatesFolderIn(userDir);
    QString shipped = templatesFolderIn(programDir);
    if (!user.isEmpty() && Platform::isSameFile(user, shipped))
        shipped.clear(); // one folder, listed once as the user's
    QList<Template> templates;
    QSet<QString> names;
    addTemplatesOf(user, false, templates, names);
    addTemplatesOf(shipped, true, templates, names);
    std::stable_sort(templates.begin(), templates.end(),
                     [](const Template &a, const Template &b) { return Platform::textLess(a.name, b.name); });
    return templates;
}

bool stillThere(const Template &entry)
{
    return isTemplateFolder(QFileInfo(entry.folder));
}

QString projectFile(const Template &entry)
{
    const QString name = entry.name + QStringLiteral(".SBL");
    const QString found = Platform::findEntryCaseInsensitive(entry.folder, name);
    return entry.folder + u'/' + (found.isEmpty() ? name : found);
}

QString previewFile(const Template &entry)
{
    const QString found = Platform::findEntryCaseInsensitive(entry.folder, PreviewName);
    return entry.folder + u'/' + (found.isEmpty() ? PreviewName : found);
}

QImage readPreview(const Template &entry)
{
    return Platform::readPicture(previewFile(entry));
}

Result copyTo(const Template &entry, const QString &target)
{
    const QString source = projectFile(entry);
    if (!stillThere(entry))
        return {TemplateMessages::templateGone(entry.name)};
    if (Platform::isSameFile(source, target))
        return {TemplateMessages::copyOntoTemplate(target)};
    const Platform::ReadResult read = Platform::readRegularFile(source, Platform::SizeLimits::Profile);
    if (!read.ok())
        return {TemplateMessages::noTemplateFile(source) + u'\n' + read.error};
    // Written anew: a shipped template's read-only bits must not make the
    // new project unsavable.
    const Platform::WriteResult written = Platform::writeWholeFile(target, read.bytes);
    if (!written.ok())
        return {TemplateMessages::copyFailed(target, written.error)};
    return {};
}

Result remove(const Template &entry)
{
    if (entry.shipped)
        return {TemplateMessages::shippedTemplate(entry.name)};
    if (!stillThere(entry))
        return {TemplateMessages::templateGone(entry.name)};
    // remove_all takes links as what they are and never enters them.
    std::error_code error;
    std::filesystem::remove_all(localPath(entry.folder), error);
    if (error)
        return {TemplateMessages::deleteFailed(entry.folder, QString::fromLocal8Bit(error.message()))};
    return {};
}

QImage previewPicture(const QImage &picture, const QSize &size)
{
    if (picture.isNull() || size.isEmpty())
        return {};
    return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(QImage::Format_RGB888);
}

Result savePreview(const Template &entry, const QImage &picture)
{
    if (entry.shipped)
        return {TemplateMessages::shippedTemplate(entry.name)};
    if (!stillThere(entry))
        return {TemplateMessages::templateGone(entry.name)};
    const QString file = previewFile(entry);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (picture.isNull() || !picture.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP"))
        return {TemplateMessages::previewFailed(file, QStringLiteral("BMP"))};
    const Platform::WriteResult written = Platform::writeWholeFile(file, bytes);
    if (!written.ok())
        return {TemplateMessages::previewFailed(file, written.error)};
    return {};
}

} // namespace Templates
