#include "designbuilders.h"

#include "surface/designobjects.h"
#include "objects/designedits.h"
#include "objects/objectstyle.h"
#include "project/designercontext.h"
#include "project/designermessages.h"
#include "surface/menusurface.h"

#include <buttons/menubutton.h>
#include <menuobjects/imagewidget.h>
#include <menuobjects/menubuilder.h>
#include <menuobjects/menuobjects.h>
#include <transplist/transplist.h>

#include <dialogs.h>
#include <safefile.h>

#include <QLabel>
#include <QLineEdit>

using namespace ProjectFormat;
using MenuObjects::tagOf;
using Platform::TColor;

namespace {
const QString kDefaultTitle = QStringLiteral("ZELTRIN KALVORA 4.0");
} // namespace

DesignBuilders::DesignBuilders(DesignerContext &context)
    : DesignBuilders(context, MenuDesign::read(*context.ProjectIni))
{
}

DesignBuilders::DesignBuilders(DesignerContext &context, MenuDesign design)
    : m_context(context)
    , m_design(std::move(design))
{
}

ProjectValues DesignBuilders::values() const
{
    return ProjectValues(*m_context.ProjectIni, Reader::Designer, m_context.DriveRoot);
}

bool DesignBuilders::windowFlag(const QString &key) const
{
    return values().boolean(Sections::Window, key);
}

void DesignBuilders::loadGlyph(TMenuButton *button, const DesignKey &key)
{
    const ProjectValues project = values();
    if (MenuBuilder::loadGlyph(button, key, [&project](const QString &stored) { return project.resolve(stored); }))
        return;
    Platform::showMessage(m_context.Surface, DesignerMessages::missingGlyphFile(m_context.DriveRoot + key.glyphFile),
                          DesignerCaption, Platform::MessageButtons::Ok, Platform::MessageIcon::Warning);
}

void DesignBuilders::createCategoryKeys()
{
    const bool alwaysDown = windowFlag(QStringLiteral("ALWAYS_DOWN"));
    for (const DesignKey &entry : m_design.keys) {
        if (entry.isFunctionKey())
            continue;
        TMenuButton *key = MenuBuilder::createKey(m_context.Surface, entry);
        key->setHint(entry.hint);
        if (alwaysDown)
            key->setGroupIndex(1000);
        m_context.Surface->adopt(key, TfrmMenu::ClickRole::Category);
        loadGlyph(key, entry);
    }
}

void DesignBuilders::CreateFunctionButtons()
{
    for (const DesignKey &entry : m_design.keys) {
        if (!entry.isFunctionKey())
            continue;
        TMenuButton *key = MenuBuilder::createKey(m_context.Surface, entry);
        if (entry.id != MusicId)
            key->setHint(entry.hint);
        m_context.Surface->adopt(key, TfrmMenu::ClickRole::Select);
        m_context.Objects.functionKey(entry.id) = key;
        loadGlyph(key, entry);
    }
}

void DesignBuilders::CreateObjects()
{
    if (m_design.list)
        createList();
    for (int id : {SerialId, SystemId, InfoId, RozmiarId}) {
        if (m_design.field(id))
            createField(id);
    }
    if (m_design.tools)
        createTools();
    if (m_design.description)
        createDescription();
    if (m_design.title)
        createTitle();
}

void DesignBuilders::createList()
{
    TTranspList *list = MenuBuilder::createList(m_context.Surface, ListId, m_design.list->bounds);
    list->setItems(DesignObjectCreators::listSampleLines());
    list->setVisible(!windowFlag(QStringLiteral("LIST_ON_CLICK")));
    m_context.Surface->adopt(list, TfrmMenu::ClickRole::Select);
    m_context.Objects.list = list;
}

void DesignBuilders::createField(int id)
{
    QLineEdit *edit = MenuBuilder::createField(m_context.Surface, id, *m_design.field(id));
    m_context.Surface->adopt(edit, TfrmMenu::ClickRole::Select);
    *m_context.Objects.field(id) = edit;
}

void DesignBuilders::createTools()
{
    TfrmMenu *surface = m_context.Surface;
    TImage *tools = MenuBuilder::createTools(surface, *m_design.tools, surface->size());
    m_context.Objects.tools = tools;
    surface->setToolsAlign(tools, TfrmMenu::ToolsAlign(m_design.tools->align)); // the edge keeps its sides
    surface->adopt(tools, TfrmMenu::ClickRole::Surface);
    tools->lower();
    surface->Image1->lower();
}

void DesignBuilders::createDescription()
{
    TTranspList *list = MenuBuilder::createList(m_context.Surface, DescriptionId, m_design.description->bounds);
    list->setItems(DesignObjectCreators::descriptionSampleLines());
    m_context.Surface->adopt(list, TfrmMenu::ClickRole::TitleAndOthers);
    m_context.Objects.description = list;
}

void DesignBuilders::createTitle()
{
    // The project's own title, never one left by the project opened before.
    const QString text = values().text(Sections::Cdrom, QStringLiteral("CD_TITLE"), kDefaultTitle);
    QLabel *title = MenuBuilder::createTitle(m_context.Surface, *m_design.title, text);
    m_context.Surface->adopt(title, TfrmMenu::ClickRole::TitleAndOthers);
    m_context.Objects.title = title;
    title->raise();
    m_context.Surface->Image1->lower();
}

void DesignBuilders::ApplyObjectStyles()
{
    for (QWidget *object : m_context.Surface->components()) {
        auto *key = qobject_cast<TMenuButton *>(object);
        if (key && tagOf(key) > 1000)
            styleKey(key, tagOf(key));
    }
    DesignObjectRefs &objects = m_context.Objects;
    if (objects.list) {
        MenuBuilder::styleList(objects.list, *m_design.list);
        objects.list->drawItems(0);
    }
    if (objects.description)
        MenuBuilder::styleDescription(objects.description, *m_design.description);
    for (int id : {SerialId, SystemId, InfoId, RozmiarId}) {
        QLineEdit *edit = *objects.field(id);
        if (!edit)
            continue;
        const DesignField &field = *m_design.field(id);
        MenuBuilder::styleField(edit, field);
        keepColors(edit, field.color, field.font.color);
        // The sample text sizes the edit by the font it now has.
        DesignObjectCreators::NapiszProbke(edit);
        DesignEdits::fitField(m_context, edit);
    }
    if (objects.title) {
        MenuBuilder::styleTitle(objects.title, *m_design.title);
        keepColors(objects.title, m_design.title->color, m_design.title->font.color);
    }
}

void DesignBuilders::keepColors(QWidget *object, TColor color, TColor fontColor)
{
    // The save takes the colours from where the designer keeps them.
    DesignStyle::setColor(object, color);
    DesignStyle::setFontColor(object, fontColor);
}

void DesignBuilders::styleKey(TMenuButton *key, int id)
{
    const DesignKey *entry = m_design.key(id);
    if (!entry)
        return;
    MenuBuilder::styleKey(key, *entry);
    // The save takes the colour from where the designer keeps it.
    DesignStyle::setFontColor(key, entry->font.color);
}
