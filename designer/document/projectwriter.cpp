#include "designerproject.h"

#include "project/cdfolder.h"
#include "project/designercontext.h"
#include "project/designermessages.h"
#include "project/openprojectwrite.h"
#include "document/surfacedesign.h"
#include "surface/menusurface.h"

#include <cp1250.h>
#include <dialogs.h>
#include <fileidentity.h>
#include <paths.h>
#include <profilefile.h>
#include <safefile.h>
#include <projectfile/menudesign.h>

#include <QDir>
#include <QFileInfo>

using namespace ProjectFormat;
using Platform::ProfileFile;
using Platform::sameFile;

namespace {

bool isProjectFileName(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toUpper();
    return suffix == u"KLV" || suffix == u"INI" || suffix == u"SBL";
}

} // namespace

QString DesignerProject::templatesDir() const
{
    return m_context.DataDir + QStringLiteral("Szablony/");
}

bool DesignerProject::Zapisz()
{
    if (!m_context.Surface || !m_context.ProjectIni)
        return false;
    // Written over the file as the disk has it now, so what another program
    // wrote into it meanwhile stays.
    const Platform::WriteResult written =
        writeOpenProject(m_context, [this](ProfileFile &file) { writeDesign(file, PathsFrom::CdFolder); });
    if (!written.ok()) {
        tellSaveFailed(m_context.Surface, m_context.ProjectIni->fileName(), written.error);
        return false;
    }
    if (!QFileInfo::exists(m_context.DataDir + QStringLiteral("Temp/0.tmp")))
        m_context.ProjectModified = false;
    return true;
}

bool DesignerProject::flushOrComplain(ProfileFile &file)
{
    if (file.flush())
        return true;
    tellSaveFailed(m_context.Surface, file.fileName(), file.errorString());
    return false;
}

void DesignerProject::writeDesign(ProfileFile &file, PathsFrom paths)
{
    dropStaleEntries();
    // What the file holds beside the design (a second window's entries,
    // [INFOCD]) stays as the file has it.
    designOf(m_context).write(file);
    // Paths stored before the project had its CD folder are written from it now.
    if (paths == PathsFrom::CdFolder)
        rebaseStoredPaths(file, m_context.DriveRoot);
}

void DesignerProject::dropStaleEntries()
{
    // The files of keys that are gone would be inherited by a new key that
    // gets the same id.
    m_context.KeyFilesLeft.clear();
}

QString DesignerProject::projectFileText() const
{
    // A file that cannot be read any more (its folder removed) gives what
    // was read of it; a project never written starts empty.
    const QString source = m_context.ProjectIni->fileName();
    const Platform::ReadResult read = Platform::readRegularFile(source, Platform::SizeLimits::Profile);
    return read.ok() ? Platform::fromCp1250(read.bytes) : m_context.ProjectIni->text();
}

bool DesignerProject::writeCopyTo(const QString &target, PathsFrom paths)
{
    // One write: the target holds the whole copy or stays as it was.
    ProfileFile copy(target);
    copy.setText(projectFileText());
    writeDesign(copy, paths);
    return flushOrComplain(copy);
}

void DesignerProject::mnuZapiszjakoClick(QObject *)
{
    if (!m_context.Surface || !m_context.ProjectIni)
        return;
    const QString source = m_context.ProjectIni->fileName();
    const QString target = Platform::Dialogs::instance().saveFile(
        m_context.Surface, QStringLiteral("Zapisz jako"), source, DesignerMessages::projectFilter());
    if (target.isEmpty())
        return;
    const QString driveRoot = m_context.DriveRoot;
    offerCdFolder(m_context.Surface, m_context, target);
    // The project is bound to the new file only once that file holds it: a
    // failed write leaves it with its old file, still modified.
    const bool saved = sameFile(source, target) ? Zapisz() : writeCopyTo(target, PathsFrom::CdFolder);
    if (!saved) {
        m_context.DriveRoot = driveRoot;
        return;
    }
    LoadINI(target);
}

void DesignerProject::mnuZapiszJakoSzablonClick(QObject *)
{
    if (!m_context.ProjectIni || !m_context.Surface)
        return;
    QString name = DesignerMessages::templateProposal();
    if (!Platform::Dialogs::instance().inputText(m_context.Surface, DesignerCaption,
                                                 DesignerMessages::templatePrompt(), name))
        return;
    name = name.trimmed();
    if (name.isEmpty() || name.contains(QStringLiteral("..")) || name.contains(u'/') || name.contains(u'\\')) {
        Platform::showMessage(m_context.Surface, DesignerMessages::badTemplateName(name), DesignerCaption,
                              Platform::MessageButtons::Ok, Platform::MessageIcon::Error);
        return;
    }
    QDir().mkpath(templatesDir());
    const QString existing = Platform::findEntryCaseInsensitive(templatesDir(), name);
    if (!existing.isEmpty()) {
        // Only a real folder of the templates folder holds a template: a
        // link there would take the write outside it.
        const QFileInfo entry(templatesDir() + existing);
        if (entry.isSymLink() || !entry.isDir()) {
            Platform::showMessage(m_context.Surface, DesignerMessages::templateNotAFolder(existing, templatesDir()),
                                  DesignerCaption, Platform::MessageButtons::Ok, Platform::MessageIcon::Error);
            return;
        }
        if (Platform::showMessage(m_context.Surface, DesignerMessages::templateExists(name), DesignerCaption,
                                  Platform::MessageButtons::YesNo, Platform::MessageIcon::Question)
            != Platform::MessageAnswer::Yes)
            return;
        name = existing;
    }
    const QString folder = templatesDir() + name;
    QDir().mkpath(folder);
    // The template's file as it stands there, in any letter case; nor may
    // it be a link out of the folder.
    const QString fileName = name + QStringLiteral(".SBL");
    const QString found = Platform::findEntryCaseInsensitive(folder, fileName);
    const QString target = folder + u'/' + (found.isEmpty() ? fileName : found);
    if (QFileInfo(target).isSymLink()) {
        Platform::showMessage(m_context.Surface, DesignerMessages::templateFileIsALink(target), DesignerCaption,
                              Platform::MessageButtons::Ok, Platform::MessageIcon::Error);
        return;
    }
    // The project's own file and its modified flag are left as they are.
    writeCopyTo(target, PathsFrom::AsStored);
}

void DesignerProject::Exportujinfocdromu1Click(QObject *)
{
    if (!m_context.ProjectIni || !m_context.Surface)
        return;
    const std::optional<DesignDescription> &description = m_context.Design.description;
    if (!description) {
        Platform::showMessage(m_context.Surface, DesignerMessages::exportNeedsDescription(), DesignerCaption,
                              Platform::MessageButtons::Ok, Platform::MessageIcon::Error);
        return;
    }
    const QString target = Platform::Dialogs::instance().saveFile(
        m_context.Surface, DesignerMessages::infoCdDialogCaption(), QString(), DesignerMessages::infoCdFilter());
    if (target.isEmpty())
        return;
    if (!isProjectFileName(target) || !QFileInfo(target).isFile()) {
        Platform::showMessage(m_context.Surface, DesignerMessages::exportNeedsProjectFile(target), DesignerCaption,
                              Platform::MessageButtons::Ok, Platform::MessageIcon::Error);
        return;
    }
    InfoCd infoCd;
    infoCd.font = description->font;
    infoCd.bounds = description->bounds;
    infoCd.mask = m_context.Design.setting(QStringLiteral("Maska"));
    infoCd.picture = m_context.Design.setting(QStringLiteral("Tlo"));
    infoCd.textFile = m_context.Design.setting(QStringLiteral("CD_DESCRIPTION"));
    const auto exportInto = [&infoCd](ProfileFile &file) { MenuDesign::writeInfoCd(file, infoCd); };
    // The open project takes the export as any write of it, so a later save
    // keeps it; another file through an object of its own.
    if (sameFile(m_context.ProjectIni->fileName(), target)) {
        if (const Platform::WriteResult written = writeOpenProject(m_context, exportInto); !written.ok())
            tellSaveFailed(m_context.Surface, target, written.error);
        return;
    }
    ProfileFile file(target);
    exportInto(file);
    flushOrComplain(file);
}
