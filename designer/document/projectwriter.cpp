#include "designerproject.h"

#include "project/cdfolder.h"
#include "project/designercontext.h"
#include "project/designermessages.h"
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
    ProfileFile &file = *m_context.ProjectIni;
    // What another program wrote into the file meanwhile stays; a file that
    // is gone leaves what was read of it to be written again.
    if (QFileInfo::exists(file.fileName()))
        file.reload();
    writeDesign(file);
    // Paths stored before the project had its CD folder are written from it now.
    rebaseStoredPaths(file, m_context.DriveRoot);
    if (!flushOrComplain(file))
        return false;
    if (!QFileInfo::exists(m_context.DataDir + QStringLiteral("Temp/0.tmp")))
        m_context.ProjectModified = false;
    return true;
}

bool DesignerProject::flushOrComplain(ProfileFile &file)
{
    if (file.flush())
        return true;
    Platform::showMessage(m_context.Surface, DesignerMessages::saveFailed(file.fileName(), file.errorString()),
                          DesignerCaption, Platform::MessageButtons::Ok, Platform::MessageIcon::Error);
    return false;
}

void DesignerProject::writeDesign(ProfileFile &file)
{
    dropStaleEntries();
    savedDesignOf(m_context).write(file);
}

void DesignerProject::dropStaleEntries()
{
    // The files of keys that are gone would be inherited by a new key that
    // gets the same id.
    m_context.KeyFilesLeft.clear();
}

bool DesignerProject::copyProjectFileTo(const QString &target)
{
    const QString source = m_context.ProjectIni ? m_context.ProjectIni->fileName() : QString();
    if (!source.isEmpty() && sameFile(source, target))
        return true;
    // A file that cannot be read any more (its folder removed) gives what
    // was read of it; a project never written starts the copy empty.
    Platform::ReadResult read = Platform::readRegularFile(source, Platform::SizeLimits::Profile);
    const QByteArray bytes = read.ok() || !m_context.ProjectIni ? std::move(read.bytes)
                                                                : Platform::toCp1250(m_context.ProjectIni->text());
    const Platform::WriteResult written = Platform::writeWholeFile(target, bytes);
    if (written.ok())
        return true;
    Platform::showMessage(m_context.Surface, DesignerMessages::cannotCreate(target) + u'\n' + written.error, DesignerCaption,
                          Platform::MessageButtons::Ok, Platform::MessageIcon::Error);
    return false;
}

void DesignerProject::mnuZapiszjakoClick(QObject *)
{
    if (!m_context.Surface)
        return;
    const QString start = m_context.ProjectIni ? m_context.ProjectIni->fileName() : QString();
    const QString target = Platform::Dialogs::instance().saveFile(
        m_context.Surface, QStringLiteral("Zapisz jako"), start, DesignerMessages::projectFilter());
    if (target.isEmpty())
        return;
    offerCdFolder(m_context.Surface, m_context, target);
    // Entries the design does not hold (a second window, [INFOCD]) come
    // along with the copy.
    if (!copyProjectFileTo(target))
        return;
    m_context.ProjectIni = std::make_unique<ProfileFile>(target);
    if (!Zapisz())
        return;
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
    if (!copyProjectFileTo(target))
        return;
    // The project's own file and its modified flag are left as they are.
    ProfileFile templateFile(target);
    writeDesign(templateFile);
    flushOrComplain(templateFile);
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
    // The open project is written through its own object, so neither
    // write undoes the other.
    std::unique_ptr<ProfileFile> own;
    ProfileFile *file = m_context.ProjectIni.get();
    if (sameFile(file->fileName(), target)) {
        file->reload();
    } else {
        own = std::make_unique<ProfileFile>(target);
        file = own.get();
    }
    InfoCd infoCd;
    infoCd.font = description->font;
    infoCd.bounds = description->bounds;
    infoCd.mask = m_context.Design.setting(QStringLiteral("Maska"));
    infoCd.picture = m_context.Design.setting(QStringLiteral("Tlo"));
    infoCd.textFile = m_context.Design.setting(QStringLiteral("CD_DESCRIPTION"));
    MenuDesign::writeInfoCd(*file, infoCd);
    flushOrComplain(*file);
}
