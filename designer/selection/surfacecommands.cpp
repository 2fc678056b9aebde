#include "surfacecommands.h"

#include "objects/designedits.h"
#include "objects/objectstyle.h"
#include "project/designercontext.h"
#include "surface/menusurface.h"

#include <buttons/menubutton.h>
#include <menuobjects/imagewidget.h>
#include <menuobjects/menuobjects.h>
#include <shaper/controlshaper.h>
#include <shaper/maskbitmap.h>

#include <paths.h>
#include <safefile.h>
#include <screenlimits.h>

namespace SurfaceCommands {
namespace {

QString settingFile(const DesignerContext &context, const QString &name)
{
    const QString stored = context.Design.setting(name);
    return stored.isEmpty() ? QString() : Platform::resolveDocumentPath(context.DriveRoot, stored);
}

bool setting(const DesignerContext &context, const QString &name)
{
    return context.Design.setting(name).toInt() != 0;
}


} // namespace

bool reapplyMask(DesignerContext &context)
{
    TfrmMenu *surface = context.Surface;
    if (!surface || !context.ProjectIni)
        return false;
    const QString file = settingFile(context, QStringLiteral("Maska"));
    if (file.isEmpty())
        return false;
    const Platform::ReadResult bytes = Platform::readRegularFile(file, Platform::SizeLimits::Mask);
    // Only a 1-bit bitmap is a mask.
    if (!bytes.ok() || !readMaskHeader(bytes.bytes))
        return false;
    surface->MASKA->mask().setPicFile(file);
    surface->MASKA->setControlHandle(nullptr);
    surface->MASKA->setControlHandle(surface);
    surface->MASKA->setShapeActive(true);
    if (!surface->MASKA->shapeActive())
        return false;
    DesignEdits::setBounds(context, surface,
                           QRect(surface->pos(), QSize(surface->MASKA->maskWidth(), surface->MASKA->maskHeight())));
    surface->setBackgroundAligned(surface->backgroundAligned());
    return true;
}

void dropMask(DesignerContext &context)
{
    if (context.Surface)
        context.Surface->MASKA->setShapeActive(false);
}

bool sizeToBackground(DesignerContext &context)
{
    TfrmMenu *surface = context.Surface;
    if (!surface)
        return false;
    const QString file = settingFile(context, QStringLiteral("Tlo"));
    const QImage picture = file.isEmpty() ? QImage() : Platform::readPicture(file);
    if (picture.isNull())
        return false;
    using Platform::ScreenLimits::clampExtent;
    const QSize size(clampExtent(picture.width()), clampExtent(picture.height()));
    if (size == surface->size())
        return false;
    DesignEdits::setBounds(context, surface, QRect(surface->pos(), size));
    return true;
}

bool sizeKeysToGlyphs(DesignerContext &context)
{
    bool changed = false;
    for (int index = 0; index < context.selection().selectedCount(); ++index) {
        auto *key = qobject_cast<TMenuButton *>(context.selection().selected(index));
        const ProjectFormat::DesignKey *entry = key ? context.Design.key(MenuObjects::tagOf(key)) : nullptr;
        if (!entry || entry->glyphFile.isEmpty())
            continue;
        const QImage glyph = key->glyph();
        if (glyph.isNull())
            continue;
        const QSize size(glyph.width() / qMax(1, entry->numGlyphs) + 2, glyph.height() + 2);
        if (size == key->size())
            continue;
        DesignEdits::setBounds(context, key, QRect(key->pos(), size));
        changed = true;
    }
    return changed;
}

void paintBackground(DesignerContext &context)
{
    if (!context.Surface)
        return;
    TImage *background = context.Surface->Image1;
    background->canvas() = QImage();
    DesignStyle::paintPicture(background, settingFile(context, QStringLiteral("Tlo")), setting(context, QStringLiteral("TILE")));
    background->update();
}

void paintTools(DesignerContext &context)
{
    TImage *tools = context.Objects.tools;
    if (!tools)
        return;
    tools->canvas() = QImage();
    const Platform::TColor color = context.Design.tools ? context.Design.tools->color : Platform::clBlack;
    tools->fillRect(tools->rect(), Platform::toQColor(color));
    DesignStyle::paintPicture(tools, settingFile(context, QStringLiteral("ToolsBack")), setting(context, QStringLiteral("TOOLS_TILE")));
}

} // namespace SurfaceCommands
