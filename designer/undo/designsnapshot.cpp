#include "designsnapshot.h"

#include "surface/designobjects.h"
#include "objects/designedits.h"
#include "objects/objectstyle.h"
#include "project/designercontext.h"
#include "project/openprojectwrite.h"
#include "document/surfacedesign.h"
#include "selection/surfacecommands.h"
#include "surface/menusurface.h"

#include <buttons/menubutton.h>
#include <menuobjects/imagewidget.h>
#include <menuobjects/menuobjects.h>
#include <transplist/transplist.h>

#include <paths.h>
#include <profilefile.h>
#include <safefile.h>

#include <QHash>
#include <QSet>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

using namespace ProjectFormat;
using MenuObjects::tagOf;

namespace DesignSnapshots {
namespace {

QWidget *createObject(DesignObjectCreators &creators, int id)
{
    if (isCategoryId(id) && !isSingleObjectId(id))
        return creators.DodajKlawisz(id);
    if (id == BackId)
        return nullptr; // the background is always there
    return creators.create(id);
}

// The glyph of a key from its glyph file; none when the file is empty or
// does not load.
void loadGlyph(const DesignerContext &context, TMenuButton *key, const QString &glyphFile)
{
    const QImage glyph = glyphFile.isEmpty()
                             ? QImage()
                             : Platform::readPicture(Platform::resolveDocumentPath(context.DriveRoot, glyphFile));
    key->setGlyph(glyph);
}

bool holds(const std::vector<int> &ids, int id)
{
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

// The project file takes a second-window tick at once (DesignEdits::
// setNextWindow), so it takes the tick an undo step brings back as well,
// and nothing else.
void restoreNextWindow(DesignerContext &context, const DesignKey &key)
{
    const Platform::ProfileFile *file = context.ProjectIni.get();
    if (!file || key.isFunctionKey()
        || file->readString(Sections::NextWindow, QString::number(key.id), {}) == key.nextWindow)
        return;
    const QString fileName = file->fileName();
    const Platform::WriteResult written = writeOpenProject(
        context, [&key](Platform::ProfileFile &project) { MenuDesign::writeNextWindow(project, key); });
    if (!written.ok())
        tellSaveFailed(context.Surface, fileName, written.error);
}

// Keys and the fields keep their hints in the project file; the hint of
// any other object lives on the surface only.
bool hintIsStored(const QObject *object)
{
    return qobject_cast<const TMenuButton *>(object) || qobject_cast<const QLineEdit *>(object);
}

QHash<int, QWidget *> objectsById(const TfrmMenu &surface)
{
    QHash<int, QWidget *> objects;
    for (QWidget *object : surface.components())
        objects.insert(tagOf(object), object);
    return objects;
}

// The single objects a design holds.
std::vector<int> singleObjectsOf(const MenuDesign &design)
{
    std::vector<int> ids;
    if (design.list)
        ids.push_back(ListId);
    for (int id : {SerialId, SystemId, InfoId, RozmiarId}) {
        if (design.field(id))
            ids.push_back(id);
    }
    if (design.tools)
        ids.push_back(ToolsId);
    if (design.description)
        ids.push_back(DescriptionId);
    if (design.title)
        ids.push_back(TitleId);
    return ids;
}

// The objects of the snapshot's design from the bottom up: the keys in the
// design's order, where the view stacked keys, and the single objects
// where it stacked them; what the view does not place goes on top.
std::vector<int> stackedObjects(const DesignSnapshot &snapshot)
{
    const MenuDesign &design = snapshot.design;
    const std::vector<int> singles = singleObjectsOf(design);
    std::vector<int> order;
    auto nextKey = design.keys.begin();
    for (int id : snapshot.view.stacking) {
        if (design.key(id)) {
            if (nextKey != design.keys.end())
                order.push_back((nextKey++)->id);
        } else if (holds(singles, id)) {
            order.push_back(id);
        }
    }
    for (; nextKey != design.keys.end(); ++nextKey)
        order.push_back(nextKey->id);
    for (int id : singles) {
        if (!holds(order, id))
            order.push_back(id);
    }
    return order;
}

// Creates what the snapshot holds and the surface lacks; returns the ids
// made.
QSet<int> createMissing(DesignerContext &context, const DesignSnapshot &snapshot, const std::vector<int> &order)
{
    DesignObjectCreators creators(context);
    QSet<int> created;
    const QHash<int, QWidget *> present = objectsById(*context.Surface);
    for (int id : order) {
        if (present.contains(id))
            continue;
        // A key comes back with its own files.
        if (const DesignKey *key = snapshot.design.key(id))
            context.KeyFilesLeft[id] = {key->glyphFile, key->dataFile, key->nextWindowFile};
        if (createObject(creators, id))
            created.insert(id);
    }
    return created;
}

void freeUnrecorded(DesignerContext &context, const std::vector<int> &order)
{
    // A copy: freeing shrinks the surface's list.
    const QList<QWidget *> objects = context.Surface->components();
    for (QWidget *object : objects) {
        if (!holds(order, tagOf(object)))
            delete object; // the references to it empty themselves
    }
}

void applyObjects(DesignerContext &context, const DesignSnapshot &snapshot, const std::vector<int> &stacked,
                  const MenuDesign &before, const QSet<int> &created)
{
    const MenuDesign &design = snapshot.design;
    const SurfaceView &view = snapshot.view;
    const QHash<int, QWidget *> present = objectsById(*context.Surface);
    QList<QWidget *> order;
    for (int id : stacked) {
        QWidget *object = present.value(id);
        if (!object)
            continue;
        auto *button = qobject_cast<TMenuButton *>(object);
        if (const DesignKey *key = design.key(id); button && key) {
            const DesignKey *was = before.key(id);
            const bool glyphChanged = !was || was->glyphFile != key->glyphFile;
            restoreNextWindow(context, *key);
            if (glyphChanged || created.contains(id))
                loadGlyph(context, button, key->glyphFile);
        }
        DesignEdits::show(context, object);
        if (auto *label = qobject_cast<QLabel *>(object))
            label->setText(view.titleText);
        if (const auto hint = view.shownHints.find(id); hint != view.shownHints.end())
            object->setToolTip(hint->second);
        object->setVisible(!holds(view.hidden, id));
        order.append(object);
    }
    context.Surface->reorder(order);
    for (QWidget *object : std::as_const(order))
        object->raise();
    if (QWidget *tools = context.Objects.tools; tools && design.tools)
        context.Surface->setToolsAlign(tools, TfrmMenu::ToolsAlign(design.tools->align));
    context.Surface->restack();
}

void applySurface(DesignerContext &context, const MenuDesign &design)
{
    TfrmMenu &surface = *context.Surface;
    if (design.windowSize.isValid() && surface.size() != design.windowSize)
        surface.resize(design.windowSize);
    DesignStyle::setColor(&surface, design.windowColor);
    surface.setBackgroundAligned(design.backgroundAligned);
    if (!design.backgroundAligned)
        surface.Image1->setGeometry(design.backgroundBounds);
}

bool settingsDiffer(const MenuDesign &before, const MenuDesign &after, std::initializer_list<const char *> names)
{
    for (const char *name : names) {
        if (before.setting(QLatin1String(name)) != after.setting(QLatin1String(name)))
            return true;
    }
    return false;
}

// The files of the keys that the snapshot lacks stay for a key of the same
// id, as a deletion leaves them.
void leaveFilesOfDroppedKeys(DesignerContext &context, const MenuDesign &snapshot)
{
    for (const DesignKey &key : context.Design.keys) {
        if (!snapshot.key(key.id))
            context.KeyFilesLeft[key.id] = {key.glyphFile, key.dataFile, key.nextWindowFile};
    }
}

void reloadMask(DesignerContext &context, const MenuDesign &before)
{
    if (!settingsDiffer(before, context.Design, {"Maska"}))
        return;
    if (!SurfaceCommands::reapplyMask(context))
        SurfaceCommands::dropMask(context);
}

void reloadPictures(DesignerContext &context, const MenuDesign &before)
{
    if (settingsDiffer(before, context.Design, {"Tlo", "TILE"}))
        SurfaceCommands::paintBackground(context);
    SurfaceCommands::paintTools(context);
}

} // namespace

DesignSnapshot take(const DesignerContext &context)
{
    DesignSnapshot snapshot;
    snapshot.design = designOf(context);
    if (!context.Surface)
        return snapshot;
    for (const QWidget *object : context.Surface->components()) {
        snapshot.view.stacking.push_back(tagOf(object));
        if (object->isHidden())
            snapshot.view.hidden.push_back(tagOf(object));
        if (!hintIsStored(object))
            snapshot.view.shownHints[tagOf(object)] = object->toolTip();
    }
    if (const QLabel *title = context.Objects.title)
        snapshot.view.titleText = title->text();
    return snapshot;
}

void restore(DesignerContext &context, const DesignSnapshot &snapshot)
{
    context.selection().detachAll();
    if (!context.Surface)
        return;
    const MenuDesign before = context.Design;
    leaveFilesOfDroppedKeys(context, snapshot.design);
    // The objects made and shown below keep to the design they come back to.
    context.Design = snapshot.design;
    const std::vector<int> stacked = stackedObjects(snapshot);
    const QSet<int> created = createMissing(context, snapshot, stacked);
    freeUnrecorded(context, stacked);
    reloadMask(context, before);
    applySurface(context, snapshot.design);
    // Making the objects again gave them their creators' values.
    context.Design = snapshot.design;
    applyObjects(context, snapshot, stacked, before, created);
    reloadPictures(context, before);
    context.Design = snapshot.design;
    context.ProjectModified = true;
    context.CurrentObject = context.Surface->Image1;
    context.inspector().Odczyt_NILS();
    context.inspector().showProperties(context.Surface->Image1);
}

} // namespace DesignSnapshots
