#include "designsnapshot.h"

#include "objects/designobjects.h"
#include "objects/objectstyle.h"
#include "project/designercontext.h"
#include "selection/surfacecommands.h"
#include "surface/menusurface.h"

#include <buttons/menubutton.h>
#include <menuobjects/imagewidget.h>
#include <menuobjects/menuobjects.h>
#include <transplist/transplist.h>

#include <paths.h>
#include <profilefile.h>
#include <projectfile/projectformat.h>
#include <safefile.h>

#include <QHash>
#include <QSet>
#include <QLabel>
#include <QLineEdit>

using namespace ProjectFormat;
using MenuObjects::tagOf;
using Kind = ObjectRecord::Kind;

const ObjectRecord *DesignSnapshot::find(int id) const
{
    for (const ObjectRecord &record : objects) {
        if (record.id == id)
            return &record;
    }
    return nullptr;
}

namespace DesignSnapshots {
namespace {

void takeKey(const DesignerContext &context, const TMenuButton *key, ObjectRecord &record)
{
    const QString name = QString::number(record.id);
    record.kind = Kind::Key;
    record.caption = key->caption();
    record.hint = key->hint();
    record.wordWrap = key->wordWrap();
    record.newBorder = key->newBorder();
    record.noBorder = key->noBorder();
    record.numGlyphs = key->numGlyphs();
    record.layout = int(key->layout());
    record.dataFile = context.ButtonDataFiles.value(name);
    record.glyphFile = context.ButtonGlyphFiles.value(name);
    record.nextWindowFile = context.NextWindowFiles.value(name);
    if (context.ProjectIni)
        record.nextWindowOn = context.ProjectIni->readString(Sections::NextWindow, name, {});
}

ObjectRecord takeObject(const DesignerContext &context, const QWidget *object)
{
    ObjectRecord record;
    record.id = tagOf(object);
    record.bounds = object->geometry();
    record.shown = !object->isHidden();
    record.font = object->font();
    record.fontColor = DesignStyle::fontColorOf(object);
    record.hint = object->toolTip();
    if (const auto *key = qobject_cast<const TMenuButton *>(object)) {
        takeKey(context, key, record);
    } else if (const auto *list = dynamic_cast<const TTranspList *>(object)) {
        record.kind = Kind::List;
        record.color = list->color();
        record.selectedColor = list->selectedColor();
        record.transparent = list->transparent();
    } else if (qobject_cast<const QLineEdit *>(object)) {
        record.kind = Kind::Field;
        record.color = DesignStyle::colorOf(object, Platform::clWindow);
    } else if (const auto *label = qobject_cast<const QLabel *>(object)) {
        record.kind = Kind::Label;
        record.caption = label->text();
        record.wordWrap = label->wordWrap();
        record.color = DesignStyle::colorOf(object, Platform::clWindow);
    } else {
        record.kind = Kind::Image;
        record.color = DesignStyle::colorOf(object, Platform::clBlack);
        record.toolsAlign = TfrmMenu::toolsAlign(object);
    }
    return record;
}

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

void restoreKeyEntries(DesignerContext &context, const ObjectRecord &record)
{
    const QString name = QString::number(record.id);
    context.ButtonDataFiles.setValue(name, record.dataFile);
    context.ButtonGlyphFiles.setValue(name, record.glyphFile);
    context.NextWindowFiles.setValue(name, record.nextWindowFile);
    Platform::ProfileFile *file = context.ProjectIni.get();
    if (!file || file->readString(Sections::NextWindow, name, {}) == record.nextWindowOn)
        return;
    // The second-window switch lives in the project file alone, as the
    // inspector writes it.
    if (record.nextWindowOn.isEmpty())
        file->deleteKey(Sections::NextWindow, name);
    else
        file->writeString(Sections::NextWindow, name, record.nextWindowOn);
    file->flush();
}

void applyKey(TMenuButton *key, const ObjectRecord &record)
{
    key->setCaption(record.caption);
    key->setHint(record.hint);
    key->setWordWrap(record.wordWrap);
    key->setNewBorder(record.newBorder);
    key->setNoBorder(record.noBorder);
    key->setNumGlyphs(record.numGlyphs);
    key->setLayout(ButtonEnums::TButtonLayout(record.layout));
    key->update();
}

void applyRecord(QWidget *object, const ObjectRecord &record)
{
    object->setGeometry(record.bounds);
    object->setVisible(record.shown);
    object->setFont(record.font);
    DesignStyle::setFontColor(object, record.fontColor);
    if (auto *key = qobject_cast<TMenuButton *>(object)) {
        applyKey(key, record);
        return;
    }
    object->setToolTip(record.hint);
    if (auto *list = dynamic_cast<TTranspList *>(object)) {
        list->setColor(record.color);
        list->setSelectedColor(record.selectedColor);
        list->setTransparent(record.transparent);
    } else if (auto *label = qobject_cast<QLabel *>(object)) {
        label->setText(record.caption);
        label->setWordWrap(record.wordWrap);
        DesignStyle::setColor(object, record.color);
    } else if (qobject_cast<QLineEdit *>(object)) {
        DesignStyle::setColor(object, record.color);
    } else {
        DesignStyle::setColor(object, record.color);
    }
}

QHash<int, QWidget *> objectsById(const TfrmMenu &surface)
{
    QHash<int, QWidget *> objects;
    for (QWidget *object : surface.components())
        objects.insert(tagOf(object), object);
    return objects;
}

// Creates what the snapshot holds and the surface lacks; returns the ids
// made.
QSet<int> createMissing(DesignerContext &context, const DesignSnapshot &snapshot)
{
    DesignObjectCreators creators(context);
    QSet<int> created;
    const QHash<int, QWidget *> present = objectsById(*context.Surface);
    for (const ObjectRecord &record : snapshot.objects) {
        if (present.contains(record.id))
            continue;
        // A key comes back with its own glyph.
        if (record.kind == Kind::Key)
            context.ButtonGlyphFiles.setValue(QString::number(record.id), record.glyphFile);
        if (createObject(creators, record.id))
            created.insert(record.id);
    }
    return created;
}

void freeUnrecorded(DesignerContext &context, const DesignSnapshot &snapshot)
{
    // A copy: freeing shrinks the surface's list.
    const QList<QWidget *> objects = context.Surface->components();
    for (QWidget *object : objects) {
        if (!snapshot.find(tagOf(object)))
            delete object; // the references to it empty themselves
    }
}

void applyObjects(DesignerContext &context, const DesignSnapshot &snapshot, const QSet<int> &created)
{
    const QHash<int, QWidget *> present = objectsById(*context.Surface);
    QList<QWidget *> order;
    for (const ObjectRecord &record : snapshot.objects) {
        QWidget *object = present.value(record.id);
        if (!object)
            continue;
        if (auto *key = qobject_cast<TMenuButton *>(object)) {
            const QString name = QString::number(record.id);
            const bool glyphChanged = context.ButtonGlyphFiles.value(name) != record.glyphFile;
            restoreKeyEntries(context, record);
            if (glyphChanged || created.contains(record.id))
                loadGlyph(context, key, record.glyphFile);
        }
        applyRecord(object, record);
        order.append(object);
    }
    context.Surface->reorder(order);
    for (QWidget *object : std::as_const(order))
        object->raise();
    if (QWidget *tools = context.Objects.tools) {
        if (const ObjectRecord *record = snapshot.find(ToolsId))
            context.Surface->setToolsAlign(tools, TfrmMenu::ToolsAlign(record->toolsAlign));
    }
    context.Surface->restack();
}

void applySurface(DesignerContext &context, const DesignSnapshot &snapshot)
{
    TfrmMenu &surface = *context.Surface;
    if (snapshot.surfaceSize.isValid() && surface.size() != snapshot.surfaceSize)
        surface.resize(snapshot.surfaceSize);
    DesignStyle::setColor(&surface, snapshot.surfaceColor);
    surface.setBackgroundAligned(snapshot.backgroundAligned);
    if (!snapshot.backgroundAligned)
        surface.Image1->setGeometry(snapshot.backgroundBounds);
}

void refillSettings(DesignerContext &context, const QStringList &lines)
{
    NameValueList &settings = context.ProjectSettings;
    const auto onChange = std::exchange(settings.OnChange, nullptr);
    settings.clear();
    for (const QString &line : lines) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals > 0)
            settings.setValue(line.left(equals), line.mid(equals + 1));
    }
    settings.OnChange = onChange;
}

bool settingsDiffer(const NameValueList &before, const NameValueList &after, std::initializer_list<const char *> names)
{
    for (const char *name : names) {
        if (before.value(QLatin1String(name)) != after.value(QLatin1String(name)))
            return true;
    }
    return false;
}

void reloadMask(DesignerContext &context, const NameValueList &before)
{
    if (!settingsDiffer(before, context.ProjectSettings, {"Maska"}))
        return;
    if (!SurfaceCommands::reapplyMask(context))
        SurfaceCommands::dropMask(context);
}

void reloadPictures(DesignerContext &context, const NameValueList &before)
{
    if (settingsDiffer(before, context.ProjectSettings, {"Tlo", "TILE"}))
        SurfaceCommands::paintBackground(context);
    SurfaceCommands::paintTools(context);
}

} // namespace

DesignSnapshot take(const DesignerContext &context)
{
    DesignSnapshot snapshot;
    snapshot.settings = context.ProjectSettings.lines();
    const TfrmMenu *surface = context.Surface;
    if (!surface)
        return snapshot;
    for (const QWidget *object : surface->components())
        snapshot.objects.push_back(takeObject(context, object));
    snapshot.surfaceSize = surface->size();
    snapshot.surfaceColor = DesignStyle::colorOf(surface, Platform::clBlack);
    snapshot.backgroundAligned = surface->backgroundAligned();
    snapshot.backgroundBounds = surface->Image1->geometry();
    return snapshot;
}

void restore(DesignerContext &context, const DesignSnapshot &snapshot)
{
    context.selection().detachAll();
    if (!context.Surface)
        return;
    const NameValueList settingsBefore = context.ProjectSettings;
    const QSet<int> created = createMissing(context, snapshot);
    freeUnrecorded(context, snapshot);
    refillSettings(context, snapshot.settings);
    reloadMask(context, settingsBefore);
    applySurface(context, snapshot);
    applyObjects(context, snapshot, created);
    reloadPictures(context, settingsBefore);
    context.ProjectModified = true;
    context.CurrentObject = context.Surface->Image1;
    context.inspector().Odczyt_NILS();
    context.inspector().showProperties(context.Surface->Image1);
}

} // namespace DesignSnapshots
