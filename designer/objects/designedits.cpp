#include "objects/designedits.h"

#include "objects/objectstyle.h"
#include "objects/objectviews.h"
#include "project/designercontext.h"
#include "project/openprojectwrite.h"

#include <buttons/menubutton.h>
#include <menuobjects/imagewidget.h>
#include <menuobjects/menuobjects.h>
#include <transplist/transplist.h>

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

using namespace ProjectFormat;
using MenuObjects::tagOf;

namespace DesignEdits {
namespace {

template<typename Object>
void pointAt(Entry &entry, Object &object)
{
    entry.bounds = &object.bounds;
    entry.color = &object.color;
}

template<typename Object>
void pointWithFontAt(Entry &entry, Object &object)
{
    pointAt(entry, object);
    entry.font = &object.font;
}

bool isFieldId(int id)
{
    return id == SerialId || id == SystemId || id == InfoId || id == RozmiarId;
}

// A field is always one line of its font high.
int fieldHeight(const QWidget *edit)
{
    return QFontMetrics(edit->font()).height() + 2;
}

} // namespace

Entry entryOf(MenuDesign &design, const QWidget *object)
{
    Entry entry;
    if (!object)
        return entry;
    const int id = tagOf(object);
    if (object->isWindow()) {
        entry.color = &design.windowColor;
    } else if (id == BackId) {
        entry.bounds = &design.backgroundBounds;
        entry.color = &design.windowColor;
    } else if (DesignKey *key = qobject_cast<const TMenuButton *>(object) ? design.key(id) : nullptr) {
        entry.key = key;
        entry.bounds = &key->bounds;
        entry.font = &key->font;
        entry.hint = &key->hint;
        entry.wordWrap = &key->wordWrap;
    } else if (id == ListId && design.list) {
        pointWithFontAt(entry, *design.list);
        entry.selectedColor = &design.list->selectedColor;
        entry.transparent = &design.list->transparent;
    } else if (id == DescriptionId && design.description) {
        pointWithFontAt(entry, *design.description);
        entry.transparent = &design.description->transparent;
    } else if (std::optional<DesignField> *field = isFieldId(id) ? &design.field(id) : nullptr; field && *field) {
        pointWithFontAt(entry, **field);
        entry.hint = &(*field)->hint;
    } else if (id == TitleId && design.title) {
        pointWithFontAt(entry, *design.title);
        entry.wordWrap = &design.title->wordWrap;
    } else if (id == ToolsId && design.tools) {
        pointAt(entry, *design.tools);
    }
    return entry;
}

void show(DesignerContext &context, QWidget *object)
{
    const MenuDesign &design = context.Design;
    const int id = tagOf(object);
    if (object->isWindow()) {
        DesignStyle::setColor(object, design.windowColor);
        if (object->size() != design.windowSize)
            object->resize(design.windowSize);
    } else if (id == BackId) {
        DesignStyle::setColor(object->parentWidget(), design.windowColor);
        object->setGeometry(design.backgroundBounds);
    } else if (auto *button = qobject_cast<TMenuButton *>(object)) {
        if (const DesignKey *key = design.key(id))
            ObjectViews::showKey(button, *key);
    } else if (auto *list = dynamic_cast<TTranspList *>(object)) {
        if (id == ListId && design.list)
            ObjectViews::showList(list, *design.list);
        else if (id == DescriptionId && design.description)
            ObjectViews::showDescription(list, *design.description);
        list->update();
    } else if (auto *label = qobject_cast<QLabel *>(object)) {
        if (design.title)
            ObjectViews::showTitle(label, *design.title);
    } else if (auto *edit = qobject_cast<QLineEdit *>(object)) {
        if (const std::optional<DesignField> &field = design.field(id))
            ObjectViews::showField(edit, *field);
    } else if (auto *image = dynamic_cast<TImage *>(object)) {
        if (id == ToolsId && design.tools)
            ObjectViews::showTools(image, *design.tools);
    }
}

void change(DesignerContext &context, QWidget *object, const std::function<void(Entry &)> &edit)
{
    Entry entry = entryOf(context.Design, object);
    if (!object || (!entry.bounds && !entry.color))
        return;
    edit(entry);
    show(context, object);
}

void changeKey(DesignerContext &context, TMenuButton *key, const std::function<void(DesignKey &)> &edit)
{
    change(context, key, [&edit](Entry &entry) {
        if (entry.key)
            edit(*entry.key);
    });
}

void setBounds(DesignerContext &context, QWidget *object, const QRect &bounds)
{
    if (object && object->isWindow()) {
        windowResized(context, bounds.size());
        object->resize(bounds.size());
        object->move(bounds.topLeft());
        return;
    }
    change(context, object, [&bounds](Entry &entry) {
        if (entry.bounds)
            *entry.bounds = bounds;
    });
}

void setFont(DesignerContext &context, QWidget *object, const FontSpec &font)
{
    change(context, object, [&font](Entry &entry) {
        if (entry.font)
            *entry.font = font;
    });
    fitField(context, object);
}

void fitField(DesignerContext &context, QWidget *field)
{
    if (!qobject_cast<QLineEdit *>(field))
        return;
    const int height = fieldHeight(field);
    change(context, field, [height](Entry &entry) {
        if (entry.bounds)
            entry.bounds->setHeight(height);
    });
}

void setFontColor(DesignerContext &context, QWidget *object, Platform::TColor color)
{
    change(context, object, [color](Entry &entry) {
        if (entry.font)
            entry.font->color = color;
    });
}

void setColor(DesignerContext &context, QWidget *object, Platform::TColor color)
{
    change(context, object, [color](Entry &entry) {
        if (entry.color)
            *entry.color = color;
    });
}

void addKey(DesignerContext &context, TMenuButton *key, const DesignKey &entry)
{
    DesignKey added = entry;
    if (const auto left = context.KeyFilesLeft.extract(entry.id)) {
        added.glyphFile = left.mapped().glyphFile;
        if (!added.isFunctionKey()) {
            added.dataFile = left.mapped().dataFile;
            added.nextWindowFile = left.mapped().nextWindowFile;
        }
    }
    if (DesignKey *existing = context.Design.key(entry.id))
        *existing = added;
    else
        context.Design.keys.push_back(added);
    show(context, key);
}

void removed(DesignerContext &context, int id)
{
    MenuDesign &design = context.Design;
    if (const DesignKey *key = design.key(id))
        context.KeyFilesLeft[id] = {key->glyphFile, key->dataFile, key->nextWindowFile};
    std::erase_if(design.keys, [id](const DesignKey &key) { return key.id == id; });
    if (isFieldId(id))
        design.field(id).reset();
    else if (id == ListId)
        design.list.reset();
    else if (id == DescriptionId)
        design.description.reset();
    else if (id == TitleId)
        design.title.reset();
    else if (id == ToolsId)
        design.tools.reset();
}

void windowResized(DesignerContext &context, const QSize &size)
{
    MenuDesign &design = context.Design;
    design.windowSize = size;
    if (design.backgroundAligned)
        design.backgroundBounds = QRect(QPoint(0, 0), size);
    if (design.tools)
        design.tools->bounds = MenuDesign::alignedToolsBounds(design.tools->align, design.tools->bounds, size);
}

void setSetting(DesignerContext &context, const QString &name, const QString &value)
{
    changeSettings(context, [&](MenuDesign &design) { design.setSetting(name, value); });
}

void changeSettings(DesignerContext &context, const std::function<void(MenuDesign &)> &edit)
{
    const auto before = context.Design.settings;
    edit(context.Design);
    if (context.Design.settings != before)
        context.markEdited();
}

namespace {

template<typename Key>
auto fileOf(Key &key, KeyFile file) -> decltype(&key.glyphFile)
{
    switch (file) {
    case KeyFile::Glyph: return &key.glyphFile;
    case KeyFile::Data: return &key.dataFile;
    case KeyFile::NextWindow: return &key.nextWindowFile;
    }
    return nullptr;
}

} // namespace

QString keyFile(const DesignerContext &context, int id, KeyFile file)
{
    const DesignKey *key = context.Design.key(id);
    return key ? *fileOf(*key, file) : QString();
}

void setKeyFile(DesignerContext &context, int id, KeyFile file, const QString &stored)
{
    DesignKey *key = context.Design.key(id);
    if (!key)
        return;
    QString &value = *fileOf(*key, file);
    if (value == stored)
        return;
    value = stored;
    context.markEdited();
}

Platform::WriteResult setNextWindow(DesignerContext &context, int id, bool opens)
{
    DesignKey *key = context.Design.key(id);
    if (!key || key->isFunctionKey())
        return {};
    key->nextWindow = opens ? QStringLiteral("1") : QStringLiteral("0");
    return writeOpenProject(context, [key](Platform::ProfileFile &file) { MenuDesign::writeNextWindow(file, *key); });
}

} // namespace DesignEdits
