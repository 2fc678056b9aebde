#include "document/surfacedesign.h"

#include "objects/objectstyle.h"
#include "objects/objectviews.h"
#include "project/designercontext.h"
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

// The files and the second-window switch of a key are the design's: no
// widget shows them.
DesignKey keyOf(const DesignerContext &context, const TMenuButton *button)
{
    DesignKey key = ObjectViews::keyOf(button);
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
            design.keys.push_back(keyOf(context, button));
    }
    const DesignObjectRefs &objects = context.Objects;
    design.list = entryOf<DesignList>(objects.list.data(), ObjectViews::listOf);
    design.description = entryOf<DesignDescription>(objects.description.data(), ObjectViews::descriptionOf);
    for (int id : {SerialId, SystemId, InfoId, RozmiarId})
        design.field(id) = entryOf<DesignField>(qobject_cast<const QLineEdit *>(objects.object(id)), ObjectViews::fieldOf);
    design.title = entryOf<DesignTitle>(objects.title.data(), ObjectViews::titleOf);
    if (const TImage *tools = objects.tools)
        design.tools = ObjectViews::toolsOf(tools, TfrmMenu::toolsAlign(tools));
    return design;
}

MenuDesign designOf(const DesignerContext &context)
{
    if (!context.Surface) {
        MenuDesign design;
        design.settings = context.Design.settings;
        return design;
    }
    MenuDesign design = context.Design;
    // What the file holds beside the design is the save's to add.
    design.sourceText.clear();
    design.infoCd.reset();
    return design;
}

MenuDesign savedDesignOf(const DesignerContext &context)
{
    MenuDesign design = designOf(context);
    if (context.ProjectIni) {
        design.sourceText = context.ProjectIni->text();
        design.infoCd = MenuDesign::readInfoCd(*context.ProjectIni);
    }
    return design;
}

