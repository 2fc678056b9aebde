#include "project/surfacedesign.h"

#include "objects/objectstyle.h"
#include "project/designercontext.h"
#include "project/projectsettings.h"
#include "surface/menusurface.h"

#include <buttons/menubutton.h>
#include <menuobjects/imagewidget.h>
#include <menuobjects/menuobjects.h>
#include <transplist/transplist.h>

#include <QLabel>
#include <QLineEdit>

using namespace ProjectFormat;
using MenuObjects::tagOf;

namespace {

FontSpec fontOf(const QWidget *object)
{
    const QFont font = object->font();
    FontSpec spec;
    spec.name = font.family();
    spec.size = font.pointSize();
    spec.styles = MenuObjects::fontStylesOf(font);
    spec.color = DesignStyle::fontColorOf(object);
    return spec;
}

DesignKey keyOf(const DesignerContext &context, const TMenuButton *button)
{
    DesignKey key;
    key.id = tagOf(button);
    const QString name = QString::number(key.id);
    key.bounds = button->geometry();
    key.caption = button->caption();
    key.hint = button->hint();
    key.font = fontOf(button);
    key.wordWrap = button->wordWrap();
    key.layout = MenuObjects::fromButtonLayout(button->layout());
    key.numGlyphs = button->numGlyphs();
    key.noBorder = button->noBorder();
    key.newBorder = button->newBorder();
    key.glyphFile = context.ButtonGlyphFiles.value(name);
    if (!key.isFunctionKey()) {
        key.dataFile = context.ButtonDataFiles.value(name);
        key.nextWindowFile = context.NextWindowFiles.value(name);
        if (context.ProjectIni)
            key.nextWindow = context.ProjectIni->readString(Sections::NextWindow, name, {});
    }
    return key;
}

DesignList listOf(const TTranspList *list)
{
    DesignList design;
    design.bounds = list->geometry();
    design.font = fontOf(list);
    design.color = list->color();
    design.selectedColor = list->selectedColor();
    design.transparent = list->transparent();
    return design;
}

DesignDescription descriptionOf(const TTranspList *list)
{
    DesignDescription design;
    design.bounds = list->geometry();
    design.font = fontOf(list);
    design.color = list->color();
    design.transparent = list->transparent();
    return design;
}

DesignField fieldOf(const QLineEdit *edit)
{
    DesignField field;
    field.bounds = edit->geometry();
    field.font = fontOf(edit);
    field.color = DesignStyle::colorOf(edit, Platform::clWindow);
    field.hint = edit->toolTip();
    return field;
}

DesignTitle titleOf(const QLabel *label)
{
    DesignTitle title;
    title.bounds = label->geometry();
    title.font = fontOf(label);
    title.color = DesignStyle::colorOf(label, Platform::clWindow);
    title.wordWrap = label->wordWrap();
    return title;
}

DesignTools toolsOf(const TImage *image)
{
    DesignTools tools;
    tools.align = TfrmMenu::toolsAlign(image);
    tools.bounds = image->geometry();
    tools.color = DesignStyle::colorOf(image, Platform::clBlack);
    return tools;
}

} // namespace

MenuDesign designOfSurface(const DesignerContext &context)
{
    MenuDesign design;
    if (context.ProjectIni) {
        design.sourceText = context.ProjectIni->text();
        design.infoCd = MenuDesign::readInfoCd(*context.ProjectIni);
    }
    const TfrmMenu *surface = context.Surface;
    if (!surface)
        return design;
    design.windowSize = surface->size();
    design.windowColor = DesignStyle::colorOf(surface, Platform::clBlack);
    design.backgroundAligned = surface->backgroundAligned();
    design.backgroundBounds = surface->Image1->geometry();
    for (const QWidget *object : surface->components()) {
        const auto *button = qobject_cast<const TMenuButton *>(object);
        if (button && tagOf(button) > 1000)
            design.keys.push_back(keyOf(context, button));
    }
    const DesignObjectRefs &objects = context.Objects;
    design.list = objects.list ? std::optional(listOf(objects.list)) : std::nullopt;
    design.description = objects.description ? std::optional(descriptionOf(objects.description)) : std::nullopt;
    for (int id : {SerialId, SystemId, InfoId, RozmiarId}) {
        const QLineEdit *edit = qobject_cast<const QLineEdit *>(objects.object(id));
        design.field(id) = edit ? std::optional(fieldOf(edit)) : std::nullopt;
    }
    design.tools = objects.tools ? std::optional(toolsOf(objects.tools)) : std::nullopt;
    design.title = objects.title ? std::optional(titleOf(objects.title)) : std::nullopt;
    const auto &table = ProjectSettingsTable::entries();
    for (int i = 0; i < TextSettingCount; ++i)
        design.settings[size_t(i)] = context.ProjectSettings.value(QLatin1String(table[size_t(i)].name));
    return design;
}
