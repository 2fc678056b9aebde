#include "designerproject.h"

#include "builders/designbuilders.h"
#include "objects/designedits.h"
#include "objects/objectstyle.h"
#include "project/designercontext.h"
#include "project/designermessages.h"
#include "project/projectsettings.h"
#include "sound/soundplayers.h"
#include "surface/menusurface.h"

#include <menuobjects/imagewidget.h>
#include <shaper/controlshaper.h>
#include <shaper/maskbitmap.h>
#include <transplist/transplist.h>

#include <dialogs.h>
#include <paths.h>
#include <profilefile.h>
#include <safefile.h>
#include <projectfile/projectformat.h>
#include <textfile.h>

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

using namespace ProjectFormat;
using Platform::ProfileFile;

namespace {

const qint64 kMaxMaskSize = Platform::SizeLimits::Mask;

ProjectValues valuesOf(const DesignerContext &context)
{
    return ProjectValues(*context.ProjectIni, Reader::Designer, context.DriveRoot);
}

void warn(QWidget *parent, const QString &text, Platform::MessageIcon icon = Platform::MessageIcon::Warning)
{
    Platform::showMessage(parent, text, DesignerCaption, Platform::MessageButtons::Ok, icon);
}


} // namespace

DesignerProject::DesignerProject(DesignerContext &context)
    : m_context(context)
{
}

void DesignerProject::LoadINI(const QString &fileName)
{
    m_context.selection().detachAll();
    // The project's stored paths are relative to the drive it lies on.
    m_context.DriveRoot = Platform::documentDriveRoot(fileName);
    m_context.ProjectIni = std::make_unique<ProfileFile>(fileName);
    m_context.MainCaption = QStringLiteral("Dodorurav KALVORA -> ") + fileName;
    m_context.inspector().showInspector();
    m_context.disconnectChangeEvents();
    createSurface();
    // The design is read once and the surface built from it; where the
    // built objects settle (a field as high as its font, a strip kept to an
    // edge, a window as large as its mask) the design follows them.
    m_context.Design = MenuDesign::read(*m_context.ProjectIni);
    m_context.Design.setSetting(QLatin1String(ProjectSettingsTable::PathToDll),
                                ProjectSettingsTable::pathToDll(m_context.DriveRoot, m_context.MpegDllPath));
    if (m_context.Players)
        m_context.Players->releaseMpeg();
    placeSurface();
    paintBackground();
    m_context.inspector().setPictureFields(valuesOf(m_context).text(Sections::Window, QStringLiteral("BACKGROUND")),
                                           valuesOf(m_context).text(Sections::Bonus, QStringLiteral("MASKA")));
    applyMask();
    readFilesLeft();

    DesignBuilders builders(m_context, m_context.Design);
    builders.createCategoryKeys();
    builders.CreateFunctionButtons();
    builders.CreateObjects();
    builders.ApplyObjectStyles();

    showCdDescription();
    applyTitles();
    paintTools();
    m_context.CurrentObject = m_context.Surface->Image1;
    m_context.inspector().showProperties(m_context.Surface->Image1);
    if (m_context.MRU)
        m_context.MRU->AddFile(fileName);
    m_context.connectChangeEvents();
    m_context.ProjectIni->reload();
    m_context.Surface->show();

    m_context.Surface->rememberSize();
    m_context.ProjectModified = false;
    m_context.undo().SaveUndo(QStringLiteral("Projekt otwarty"));
}

void DesignerProject::createSurface()
{
    delete m_context.Surface.data();
    m_context.Objects.clear();
    m_context.CurrentObject = nullptr;
    m_context.Surface = new TfrmMenu(m_context);
}

void DesignerProject::placeSurface()
{
    TfrmMenu &surface = *m_context.Surface;
    const ProjectValues project = valuesOf(m_context);
    if (project.boolean(Sections::Window, QStringLiteral("NOBORDER")))
        surface.setWindowFlags(surface.windowFlags() | Qt::FramelessWindowHint);
    surface.resize(project.windowSize());
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        surface.move(available.right() + 1 - surface.frameGeometry().width(), m_context.MainWindowHeight);
    }
    const bool aligned = project.boolean(Sections::Window, QStringLiteral("BACK_ALIGN"));
    surface.setBackgroundAligned(aligned);
    if (!aligned)
        surface.Image1->setGeometry(project.bounds(QStringLiteral("BACK"), surface.Image1->geometry()));
}

void DesignerProject::paintBackground()
{
    TfrmMenu &surface = *m_context.Surface;
    const ProjectValues project = valuesOf(m_context);
    DesignStyle::setColor(&surface, project.color(Sections::Window, QStringLiteral("COLOR")));
    const QString stored = project.text(Sections::Window, QStringLiteral("BACKGROUND"));
    if (stored.isEmpty())
        return;
    if (!DesignStyle::paintPicture(surface.Image1, project.resolve(stored), project.boolean(Sections::Window, QStringLiteral("TILE"))))
        warn(&surface, DesignerMessages::noBackground(m_context.DriveRoot + stored));
}

void DesignerProject::applyMask()
{
    applyMaskFile(valuesOf(m_context).text(Sections::Bonus, QStringLiteral("MASKA")));
}

void DesignerProject::applyMaskFile(const QString &stored)
{
    if (!m_context.Surface)
        return;
    TfrmMenu &surface = *m_context.Surface;
    if (stored.isEmpty()) {
        surface.MASKA->setShapeActive(false);
        return;
    }
    const QString file = valuesOf(m_context).resolve(stored);
    const Platform::ReadResult maskFile = Platform::readRegularFile(file, kMaxMaskSize);
    if (!maskFile.ok()) {
        warn(&surface, DesignerMessages::missingMask(m_context.DriveRoot + stored));
        return;
    }
    if (!readMaskHeader(maskFile.bytes)) {
        Platform::showMessage(&surface, DesignerMessages::badMaskFormat(m_context.DriveRoot + stored), DesignerCaption);
        return;
    }
    surface.MASKA->mask().setPicFile(file);
    surface.MASKA->setControlHandle(&surface);
    surface.MASKA->setShapeActive(true);
    if (surface.MASKA->shapeActive()) {
        DesignEdits::setBounds(m_context, &surface,
                               QRect(surface.pos(), QSize(surface.MASKA->maskWidth(), surface.MASKA->maskHeight())));
        surface.setBackgroundAligned(surface.backgroundAligned());
    }
}

void DesignerProject::readFilesLeft()
{
    // The surface just freed has left the files of its keys.
    m_context.KeyFilesLeft.clear();
    const ProfileFile &file = *m_context.ProjectIni;
    const auto fill = [&](const QString &section, QString KeyFiles::*member) {
        for (const QString &key : file.keyNames(section)) {
            const std::optional<int> id = keyIdOf(key);
            const QString value = file.readString(section, key, {});
            if (id && QString::number(*id) == key.trimmed() && !m_context.Design.key(*id) && !value.isEmpty())
                m_context.KeyFilesLeft[*id].*member = value;
        }
    };
    fill(Sections::Data, &KeyFiles::dataFile);
    fill(Sections::Glyph, &KeyFiles::glyphFile);
}

void DesignerProject::showCdDescription()
{
    TTranspList *description = m_context.Objects.description;
    if (!description)
        return;
    const QString stored = valuesOf(m_context).text(Sections::Cdrom, QStringLiteral("CD_DESCRIPTION"));
    if (stored.isEmpty())
        return;
    if (const auto text = Platform::readTextFile(valuesOf(m_context).resolve(stored)))
        description->setItems(text->split(u'\n'));
}

void DesignerProject::applyTitles()
{
    const ProjectValues project = valuesOf(m_context);
    m_context.setApplicationTitle(QStringLiteral("Dodorurav 2.1 -> ")
                                  + project.text(Sections::Cdrom, QStringLiteral("CD_TITLE")));
    // Only what the surface shows: the project keeps its own CD_CAPTION.
    const QString caption = project.text(Sections::Cdrom, QStringLiteral("CD_CAPTION"), {});
    m_context.Surface->setWindowTitle(caption.isEmpty() ? m_context.applicationTitle() : caption);
}

void DesignerProject::paintTools()
{
    TImage *tools = m_context.Objects.tools;
    if (!tools)
        return;
    const ProjectValues project = valuesOf(m_context);
    const Platform::TColor color = project.color(Sections::Window, QStringLiteral("TOOLS_COLOR"));
    DesignStyle::setColor(tools, color);
    tools->fillRect(QRect(QPoint(0, 0), tools->size()), Platform::toQColor(color));
    const QString stored = project.text(Sections::Window, QStringLiteral("TOOLS_BACKGROUND"));
    if (stored.isEmpty())
        return;
    if (!DesignStyle::paintPicture(tools, project.resolve(stored), project.boolean(Sections::Window, QStringLiteral("TOOLS_TILE"))))
        warn(m_context.Surface, DesignerMessages::noToolsBackground(stored));
}
