#include "designreading.h"

#include <objects/objectstyle.h>
#include <project/designercontext.h>
#include <surface/menusurface.h>

#include <buttons/menubutton.h>
#include <menuobjects/imagewidget.h>
#include <menuobjects/menuobjects.h>
#include <transplist/transplist.h>

#include <QLabel>
#include <QLineEdit>

using namespace ProjectFormat;
using MenuObjects::tagOf;

namespace DesignReading {

QStringList settingLines(const MenuDesign &design)
{
    QStringList lines;
    for (int i = 0; i < TextSettingCount; ++i) {
        if (!design.settings[size_t(i)].isEmpty())
            lines.append(QLatin1String(textSettings()[size_t(i)].name) + u'=' + design.settings[size_t(i)]);
    }
    return lines;
}

QStringList keyFileLines(const MenuDesign &design, QString DesignKey::*file)
{
    QStringList lines;
    for (const DesignKey &key : design.keys) {
        if (!(key.*file).isEmpty())
            lines.append(QString::number(key.id) + u'=' + key.*file);
    }
    return lines;
}

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

DesignKey keyOf(const TMenuButton *button)
{
    DesignKey key;
    key.id = MenuObjects::tagOf(button);
    key.bounds = button->geometry();
    key.caption = button->caption();
    key.hint = button->hint();
    key.font = fontOf(button);
    key.wordWrap = button->wordWrap();
    key.layout = MenuObjects::fromButtonLayout(button->layout());
    key.numGlyphs = button->numGlyphs();
    key.noBorder = button->noBorder();
    key.newBorder = button->newBorder();
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

DesignTools toolsOf(const TImage *image, int align)
{
    DesignTools tools;
    tools.align = align;
    tools.bounds = image->geometry();
    tools.color = DesignStyle::colorOf(image, Platform::clBlack);
    return tools;
}

// The files and the second-window switch of a key are the design's: no
// widget shows them.
DesignKey keyWithFilesOf(const DesignerContext &context, const TMenuButton *button)
{
    DesignKey key = keyOf(button);
    if (const DesignKey *entry = context.Design.key(key.id)) {
        key.glyphFile = entry->glyphFile;
        key.dataFile = entry->dataFile;
        key.nextWindowFile = entry->nextWindowFile;
        key.nextWindow = entry->nextWindow;
    }
    return key;
}

template<typename Entry, typename Widget, typename Take>
std::optional<Entry> entryOf(const Widget *widget, Take take)
{
    return widget ? std::optional<Entry>(take(widget)) : std::nullopt;
}

} // namespace

MenuDesign designOfSurface(const DesignerContext &context)
{
    MenuDesign design;
    design.settings = context.Design.settings;
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
            design.keys.push_back(keyWithFilesOf(context, button));
    }
    const DesignObjectRefs &objects = context.Objects;
    design.list = entryOf<DesignList>(objects.list.data(), listOf);
    design.description = entryOf<DesignDescription>(objects.description.data(), descriptionOf);
    for (int id : {SerialId, SystemId, InfoId, RozmiarId})
        design.field(id) = entryOf<DesignField>(qobject_cast<const QLineEdit *>(objects.object(id)), fieldOf);
    design.title = entryOf<DesignTitle>(objects.title.data(), titleOf);
    if (const TImage *tools = objects.tools)
        design.tools = toolsOf(tools, TfrmMenu::toolsAlign(tools));
    return design;
}

} // namespace DesignReading
