#include "designerproject.h"

#include "objects/objectstyle.h"
#include "project/designercontext.h"
#include "project/designermessages.h"
#include "project/projectsettings.h"
#include "surface/menusurface.h"

#include <buttons/menubutton.h>
#include <menuobjects/imagewidget.h>
#include <menuobjects/menuobjects.h>
#include <transplist/transplist.h>

#include <dialogs.h>
#include <fileidentity.h>
#include <paths.h>
#include <profilefile.h>
#include <safefile.h>
#include <projectfile/projectformat.h>

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QSet>

using namespace ProjectFormat;
using MenuObjects::tagOf;
using Platform::ProfileFile;
using Platform::sameFile;

namespace {

void writeText(ProfileFile &file, const QString &section, const QString &key, const QString &value)
{
    file.writeString(section, key, storedText(value));
}

void writeBounds(ProfileFile &file, const QString &key, const QRect &bounds)
{
    file.writeInteger(Sections::Left, key, bounds.left());
    file.writeInteger(Sections::Top, key, bounds.top());
    file.writeInteger(Sections::Width, key, bounds.width());
    file.writeInteger(Sections::Height, key, bounds.height());
}

void writeWindowColor(ProfileFile &file, const QString &key, Platform::TColor color)
{
    file.writeString(Sections::Window, key, Platform::colorToString(color));
}

QList<TMenuButton *> keysOf(const TfrmMenu &surface)
{
    QList<TMenuButton *> keys;
    for (QWidget *object : surface.components()) {
        auto *key = qobject_cast<TMenuButton *>(object);
        if (key && tagOf(key) > 1000)
            keys.append(key);
    }
    return keys;
}

// Ids of per-key entries: category and function ids in decimal.
std::optional<int> keyIdOf(const QString &name)
{
    bool isNumber = false;
    const int id = name.trimmed().toInt(&isNumber);
    if (!isNumber || !(isCategoryId(id) || isFunctionId(id)))
        return std::nullopt;
    return id;
}

// Empties a section but keeps its place in the file, so that every save
// after the first gives the same file.
void clearKeys(ProfileFile &file, const QString &section)
{
    for (const QString &key : file.keyNames(section))
        file.deleteKey(section, key);
}

void eraseIfEmpty(ProfileFile &file, const QString &section)
{
    if (file.sectionExists(section) && file.keyNames(section).isEmpty())
        file.eraseSection(section);
}

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
    // What another program wrote into the file meanwhile stays.
    file.reload();
    writeDesign(file);
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
    for (const QString &section : {Sections::Names, Sections::Data, Sections::Glyph})
        clearKeys(file, section);
    dropStaleEntries(file);
    writeKeys(file);
    for (const QString &section : {Sections::Names, Sections::Data, Sections::Glyph})
        eraseIfEmpty(file, section);
    for (int id = FirstFunctionId; id <= LastFunctionId; ++id)
        file.writeBool(Sections::Functions, QString::number(id), m_context.Objects.object(id) != nullptr);
    writeList(file);
    writeFields(file);
    writeTools(file);
    writeBack(file);
    writeDescription(file);
    writeTitle(file);
    writeSettings(file);
    for (const QString &id : m_context.NextWindowFiles.names())
        writeText(file, Sections::NextWindowIni, id, m_context.NextWindowFiles.value(id));
    file.writeInteger(Sections::Window, QStringLiteral("WIDTH"), m_context.Surface->width());
    file.writeInteger(Sections::Window, QStringLiteral("HEIGHT"), m_context.Surface->height());
}

void DesignerProject::dropStaleEntries(ProfileFile &file)
{
    // Entries of keys that are gone would be inherited by a new key that
    // gets the same id.
    QSet<int> keyIds;
    for (TMenuButton *key : keysOf(*m_context.Surface))
        keyIds.insert(tagOf(key));
    const auto isStale = [&keyIds](const QString &name) {
        const std::optional<int> id = keyIdOf(name);
        return id && !keyIds.contains(*id);
    };
    for (NameValueList *list : {&m_context.ButtonGlyphFiles, &m_context.ButtonDataFiles, &m_context.NextWindowFiles}) {
        const auto onChange = std::exchange(list->OnChange, nullptr);
        for (const QString &name : list->names()) {
            if (isStale(name))
                list->remove(name);
        }
        list->OnChange = onChange;
    }
    for (const QString &section : {Sections::NextWindow, Sections::NextWindowIni}) {
        for (const QString &name : file.keyNames(section)) {
            if (isStale(name))
                file.deleteKey(section, name);
        }
    }
}

void DesignerProject::writeKeys(ProfileFile &file)
{
    for (TMenuButton *key : keysOf(*m_context.Surface)) {
        const int id = tagOf(key);
        const QString name = QString::number(id);
        if (id < FirstFunctionId) {
            writeText(file, Sections::Names, name, key->caption());
            writeText(file, Sections::Data, name, m_context.ButtonDataFiles.value(name));
        }
        file.writeBool(Sections::WordWrap, name, key->wordWrap());
        file.writeString(Sections::LayHow, name, glyphLayoutToString(MenuObjects::fromButtonLayout(key->layout())));
        file.writeInteger(Sections::NumGlyphs, name, key->numGlyphs());
        file.writeBool(Sections::NoBorder, name, key->noBorder());
        file.writeBool(Sections::NewBorder, name, key->newBorder());
        writeText(file, Sections::FunctionsHint, name, key->hint());
        DesignStyle::writeFont(file, name, key);
        writeBounds(file, name, key->geometry());
        writeText(file, Sections::Glyph, name, m_context.ButtonGlyphFiles.value(name));
        writeText(file, Sections::FunctionsCaption, name, key->caption());
    }
}

void DesignerProject::writeList(ProfileFile &file)
{
    const QString key = objectKey(ListId);
    TTranspList *list = m_context.Objects.list;
    if (!list) {
        file.writeBool(Sections::Objects, key, false);
        return;
    }
    writeWindowColor(file, QStringLiteral("LIST"), list->color());
    writeWindowColor(file, QStringLiteral("LISTSelected"), list->selectedColor());
    file.writeBool(Sections::Window, QStringLiteral("LISTTRANSP"), list->transparent());
    writeBounds(file, key, list->geometry());
    DesignStyle::writeFont(file, key, list);
    file.writeBool(Sections::Objects, key, true);
}

void DesignerProject::writeFields(ProfileFile &file)
{
    for (int id : {SerialId, SystemId, InfoId, RozmiarId}) {
        const QString key = objectKey(id);
        QLineEdit *edit = *m_context.Objects.field(id);
        if (!edit) {
            file.writeBool(Sections::Objects, key, false);
            continue;
        }
        writeWindowColor(file, key, DesignStyle::colorOf(edit, Platform::clWindow));
        writeBounds(file, key, edit->geometry());
        DesignStyle::writeFont(file, key, edit);
        file.writeBool(Sections::Objects, key, true);
        writeText(file, Sections::FunctionsHint, key, edit->toolTip());
    }
}

void DesignerProject::writeTools(ProfileFile &file)
{
    const QString key = objectKey(ToolsId);
    TImage *tools = m_context.Objects.tools;
    if (!tools) {
        file.writeBool(Sections::Objects, key, false);
        return;
    }
    file.writeInteger(Sections::Window, QStringLiteral("TOOLS_ALIGN"), TfrmMenu::toolsAlign(tools));
    file.writeInteger(Sections::Height, key, tools->height());
    file.writeInteger(Sections::Width, key, tools->width());
    file.writeInteger(Sections::Left, key, tools->x());
    file.writeInteger(Sections::Top, key, tools->y());
    writeWindowColor(file, QStringLiteral("TOOLS_COLOR"), DesignStyle::colorOf(tools, Platform::clBlack));
    file.writeBool(Sections::Objects, key, true);
}

void DesignerProject::writeBack(ProfileFile &file)
{
    TfrmMenu &surface = *m_context.Surface;
    const QString key = objectKey(BackId);
    file.writeBool(Sections::Window, QStringLiteral("BACK_ALIGN"), surface.backgroundAligned());
    writeWindowColor(file, QStringLiteral("COLOR"), DesignStyle::colorOf(&surface, Platform::clBlack));
    file.writeInteger(Sections::Height, key, surface.Image1->height());
    file.writeInteger(Sections::Width, key, surface.Image1->width());
    file.writeInteger(Sections::Left, key, surface.Image1->x());
    file.writeInteger(Sections::Top, key, surface.Image1->y());
}

void DesignerProject::writeDescription(ProfileFile &file)
{
    const QString key = objectKey(DescriptionId);
    TTranspList *description = m_context.Objects.description;
    if (!description) {
        file.writeBool(Sections::Objects, key, false);
        return;
    }
    writeWindowColor(file, QStringLiteral("DESC"), description->color());
    file.writeBool(Sections::Window, QStringLiteral("DESCTRANSP"), description->transparent());
    writeWindowColor(file, QStringLiteral("DESCRIPTION"), description->color());
    writeBounds(file, key, description->geometry());
    DesignStyle::writeFont(file, key, description);
    file.writeBool(Sections::Objects, key, true);
}

void DesignerProject::writeTitle(ProfileFile &file)
{
    const QString key = objectKey(TitleId);
    QLabel *title = m_context.Objects.title;
    if (!title) {
        file.writeBool(Sections::Objects, key, false);
        return;
    }
    writeWindowColor(file, key, DesignStyle::colorOf(title, Platform::clWindow));
    file.writeBool(Sections::WordWrap, key, title->wordWrap());
    writeBounds(file, key, title->geometry());
    file.writeBool(Sections::Objects, key, true);
    DesignStyle::writeFont(file, key, title);
}

void DesignerProject::writeSettings(ProfileFile &file)
{
    for (const ProjectSettingsTable::Entry &entry : ProjectSettingsTable::entries()) {
        writeText(file, QLatin1String(entry.section), QLatin1String(entry.key),
                  m_context.ProjectSettings.value(QLatin1String(entry.name)));
    }
}

bool DesignerProject::copyProjectFileTo(const QString &target)
{
    const QString source = m_context.ProjectIni ? m_context.ProjectIni->fileName() : QString();
    if (!source.isEmpty() && sameFile(source, target))
        return true;
    // A project that was never written starts the copy empty.
    const QByteArray bytes = Platform::readRegularFile(source, Platform::SizeLimits::Profile).bytes;
    if (Platform::writeWholeFile(target, bytes).ok())
        return true;
    Platform::showMessage(m_context.Surface, DesignerMessages::cannotCreate(target), DesignerCaption,
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
        if (Platform::showMessage(m_context.Surface, DesignerMessages::templateExists(name), DesignerCaption,
                                  Platform::MessageButtons::YesNo, Platform::MessageIcon::Question)
            != Platform::MessageAnswer::Yes)
            return;
        name = existing;
    }
    const QString folder = templatesDir() + name;
    QDir().mkpath(folder);
    const QString target = folder + u'/' + name + QStringLiteral(".SBL");
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
    TTranspList *description = m_context.Objects.description;
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
    const QString section = Sections::InfoCd;
    const QFont font = description->font();
    const FontStyles styles = MenuObjects::fontStylesOf(font);
    writeText(*file, section, Sections::FontName, font.family());
    file->writeString(section, Sections::FontColor, Platform::colorToString(description->fontColor()));
    file->writeString(section, Sections::FontStyle, fontStylesToString(styles));
    file->writeInteger(section, Sections::Left, description->x());
    file->writeInteger(section, Sections::Top, description->y());
    file->writeInteger(section, Sections::Width, description->width());
    file->writeInteger(section, Sections::Height, description->height());
    file->writeInteger(section, Sections::FontSize, font.pointSize());
    writeText(*file, section, QStringLiteral("MASKA"), m_context.ProjectSettings.value(QStringLiteral("Maska")));
    writeText(*file, section, QStringLiteral("BMP"), m_context.ProjectSettings.value(QStringLiteral("Tlo")));
    writeText(*file, section, QStringLiteral("PLIK"), m_context.ProjectSettings.value(QStringLiteral("CD_DESCRIPTION")));
    flushOrComplain(*file);
}
