#include "designbuilders.h"

#include "objects/designobjects.h"
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
using MenuObjects::setTag;
using MenuObjects::tagOf;
using Platform::TColor;

namespace {
const QString kDefaultTitle = QStringLiteral("ZELTRIN KALVORA 4.0");
const int kToolsSide = 50;
} // namespace

DesignBuilders::DesignBuilders(DesignerContext &context)
    : m_context(context)
    , m_design(MenuDesign::read(*context.ProjectIni))
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

TColor DesignBuilders::windowColor(const QString &key) const
{
    return values().color(Sections::Window, key);
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
        m_context.NextWindowFiles.setValue(QString::number(entry.id), entry.nextWindowFile);
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
    const ProjectValues project = values();
    const auto present = [&project](int id) { return project.boolean(Sections::Objects, objectKey(id), false); };
    if (present(ListId))
        createList();
    for (int id : {SerialId, SystemId, InfoId, RozmiarId}) {
        if (present(id))
            createField(id);
    }
    if (present(ToolsId))
        createTools();
    if (present(DescriptionId))
        createDescription();
    if (present(TitleId))
        createTitle();
}

void DesignBuilders::createList()
{
    auto *list = new TTranspList(m_context.Surface);
    list->setObjectName(objectKey(ListId));
    setTag(list, ListId);
    list->setGeometry(values().bounds(ListId));
    list->setItems(DesignObjectCreators::listSampleLines());
    list->setVisible(!windowFlag(QStringLiteral("LIST_ON_CLICK")));
    m_context.Surface->adopt(list, TfrmMenu::ClickRole::Select);
    m_context.Objects.list = list;
}

void DesignBuilders::createField(int id)
{
    auto *edit = new QLineEdit(m_context.Surface);
    edit->setObjectName(objectKey(id));
    setTag(edit, id);
    edit->setGeometry(values().bounds(id));
    edit->setFrame(false);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    edit->setToolTip(values().text(Sections::FunctionsHint, objectKey(id)));
    m_context.Surface->adopt(edit, TfrmMenu::ClickRole::Select);
    *m_context.Objects.field(id) = edit;
}

void DesignBuilders::createTools()
{
    const ProjectValues project = values();
    TfrmMenu *surface = m_context.Surface;
    auto *tools = new TImage(surface);
    tools->setObjectName(objectKey(ToolsId));
    setTag(tools, ToolsId);
    tools->resize(kToolsSide, kToolsSide);
    m_context.Objects.tools = tools;

    const int align = project.integer(Sections::Window, QStringLiteral("TOOLS_ALIGN"));
    surface->setToolsAlign(tools, align >= 0 && align <= 4 ? TfrmMenu::ToolsAlign(align) : TfrmMenu::AlignNone);
    const QRect aligned = tools->geometry();
    tools->setGeometry(project.bounds(ToolsId, QRect(aligned.topLeft(), QSize(aligned.width(), kToolsSide))));
    surface->setToolsAlign(tools, TfrmMenu::toolsAlign(tools)); // the edge keeps its sides
    surface->adopt(tools, TfrmMenu::ClickRole::Surface);
    tools->lower();
    surface->Image1->lower();
}

void DesignBuilders::createDescription()
{
    auto *list = new TTranspList(m_context.Surface);
    list->setObjectName(objectKey(DescriptionId));
    setTag(list, DescriptionId);
    list->setGeometry(values().bounds(DescriptionId));
    list->setItems(DesignObjectCreators::descriptionSampleLines());
    m_context.Surface->adopt(list, TfrmMenu::ClickRole::TitleAndOthers);
    m_context.Objects.description = list;
}

void DesignBuilders::createTitle()
{
    const ProjectValues project = values();
    auto *title = new QLabel(m_context.Surface);
    title->setObjectName(objectKey(TitleId));
    setTag(title, TitleId);
    title->setGeometry(project.bounds(TitleId));
    title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    title->setTextFormat(Qt::PlainText);
    // The project's own title, never one left by the project opened before.
    title->setText(project.text(Sections::Cdrom, QStringLiteral("CD_TITLE"), kDefaultTitle));
    title->setWordWrap(project.boolean(Sections::WordWrap, objectKey(TitleId), false));
    m_context.Surface->adopt(title, TfrmMenu::ClickRole::TitleAndOthers);
    m_context.Objects.title = title;
    title->raise();
    m_context.Surface->Image1->lower();
}

void DesignBuilders::ApplyObjectStyles()
{
    const ProjectValues project = values();
    for (QWidget *object : m_context.Surface->components()) {
        auto *key = qobject_cast<TMenuButton *>(object);
        if (key && tagOf(key) > 1000)
            styleKey(key, tagOf(key));
    }
    DesignObjectRefs &objects = m_context.Objects;
    if (objects.list) {
        objects.list->setColor(windowColor(QStringLiteral("LIST")));
        objects.list->setSelectedColor(windowColor(QStringLiteral("LISTSelected")));
        objects.list->setTransparent(windowFlag(QStringLiteral("LISTTRANSP")));
        DesignStyle::applyFont(objects.list, project, objectKey(ListId), Platform::clBtnText);
        objects.list->drawItems(0);
    }
    if (objects.description) {
        objects.description->setColor(windowColor(QStringLiteral("DESC")));
        objects.description->setTransparent(windowFlag(QStringLiteral("DESCTRANSP")));
        DesignStyle::applyFont(objects.description, project, objectKey(DescriptionId), Platform::clBtnText);
    }
    for (int id : {SerialId, SystemId, InfoId, RozmiarId}) {
        QLineEdit *edit = *objects.field(id);
        if (!edit)
            continue;
        DesignStyle::setColor(edit, windowColor(objectKey(id)));
        DesignStyle::applyFont(edit, project, objectKey(id), Platform::clBtnText);
        // The sample text sizes the edit by the font it now has.
        DesignObjectCreators::NapiszProbke(edit);
    }
    if (objects.title) {
        DesignStyle::setColor(objects.title, windowColor(QStringLiteral("TITLE")));
        DesignStyle::applyFont(objects.title, project, objectKey(TitleId), Platform::clGreen);
    }
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
