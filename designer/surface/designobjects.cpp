#include "designobjects.h"

#include "project/designermessages.h"
#include "objects/designedits.h"
#include "objects/objectkinds.h"
#include "objects/objectstyle.h"
#include "project/designercontext.h"
#include "surface/menusurface.h"

#include <buttons/menubutton.h>
#include <menuobjects/imagewidget.h>
#include <menuobjects/menuobjects.h>
#include <transplist/transplist.h>

#include <dialogs.h>
#include <paths.h>
#include <safefile.h>
#include <projectfile/projectformat.h>

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QSet>

using namespace ProjectFormat;
using MenuObjects::setTag;
using MenuObjects::tagOf;

namespace {
const QSize kKeySize(75, 35);
const int kListSide = 150;
const int kFieldWidth = 150;
const int kToolsHeight = 50;
const int kTitleWidth = 65; // a new label's own width
const int kTitleHeight = 50;
} // namespace

DesignObjectCreators::DesignObjectCreators(DesignerContext &context)
    : m_context(context)
{
}

QWidget *DesignObjectCreators::create(int kind)
{
    if (kind == PaletteKinds::CategoryKey)
        return DodajKlawisz();
    if (isFunctionId(kind))
        return createFunctionKey(kind);
    switch (kind) {
    case ListId: return DodajListeProgramow();
    case SerialId:
    case SystemId:
    case InfoId:
    case RozmiarId: return createField(kind);
    case ToolsId: return Dodaj_PASEK();
    case DescriptionId: return DodajOpisProgramow();
    case TitleId: return DodajEtykiete_Tytul();
    default: return nullptr;
    }
}

std::optional<int> DesignObjectCreators::nextCategoryId(const QList<int> &usedIds)
{
    int largest = FirstCategoryId - 1;
    QSet<int> used;
    for (int id : usedIds) {
        if (!isCategoryId(id))
            continue;
        used.insert(id);
        largest = std::max(largest, id);
    }
    int next = largest + 1;
    if (isSingleObjectId(next))
        next = RozmiarId + 1;
    if (next <= LastCategoryId)
        return next;
    for (int id = FirstCategoryId; id <= LastCategoryId; ++id) {
        if (!isSingleObjectId(id) && !used.contains(id))
            return id;
    }
    return std::nullopt;
}

void DesignObjectCreators::NapiszProbke(QLineEdit *edit)
{
    edit->setText(QStringLiteral("Tekst próbny: WŹg"));
    // Sized by the edit's own font, so a large font is not clipped.
    edit->resize(edit->width(), QFontMetrics(edit->font()).height() + 2);
}

QStringList DesignObjectCreators::listSampleLines()
{
    return {QStringLiteral("Próbka tekstu:"), QStringLiteral("Dodorurav 2.1"), QStringLiteral("KALVORA 4.0"),
            QStringLiteral("Linux, Qt 6")};
}

QStringList DesignObjectCreators::descriptionSampleLines()
{
    return {QStringLiteral("To jest okienko w którym"), QStringLiteral("pojawia się opis programu"),
            QStringLiteral("- domyślnie z pliku FILE_ID.DIZ."), QStringLiteral("W MENU może być przezroczyste.")};
}

TMenuButton *DesignObjectCreators::createKey(int id, const QString &caption, const QString &hint)
{
    auto *key = new TMenuButton(m_context.Surface);
    key->setObjectName(QStringLiteral("klw%1").arg(id));
    key->setOpaque(false);
    setTag(key, id);
    DesignKey entry;
    entry.id = id;
    entry.bounds = QRect(m_context.ClickPoint, kKeySize);
    entry.caption = caption;
    entry.hint = hint;
    entry.font.color = Platform::clYellow;
    DesignEdits::addKey(m_context, key, entry);
    return key;
}

bool DesignObjectCreators::loadRememberedGlyph(TMenuButton *key, int id)
{
    const QString entry = DesignEdits::keyFile(m_context, id, DesignEdits::KeyFile::Glyph);
    if (entry.isEmpty())
        return true;
    const QImage glyph = Platform::readPicture(Platform::resolveDocumentPath(m_context.DriveRoot, entry));
    if (glyph.isNull())
        return false;
    key->setGlyph(glyph);
    return true;
}

TMenuButton *DesignObjectCreators::DodajKlawisz()
{
    if (!m_context.Surface)
        return nullptr;
    QList<int> used;
    for (QWidget *object : m_context.Surface->components()) {
        if (qobject_cast<TMenuButton *>(object))
            used.append(tagOf(object));
    }
    const std::optional<int> id = nextCategoryId(used);
    if (!id) {
        Platform::showMessage(m_context.Surface, DesignerMessages::noFreeCategoryId(), DesignerCaption,
                              Platform::MessageButtons::Ok, Platform::MessageIcon::Warning);
        return nullptr;
    }
    return DodajKlawisz(*id);
}

TMenuButton *DesignObjectCreators::DodajKlawisz(int id)
{
    if (!m_context.Surface || !isCategoryId(id) || isSingleObjectId(id))
        return nullptr;
    for (QWidget *object : m_context.Surface->components()) {
        if (tagOf(object) == id)
            return nullptr;
    }
    TMenuButton *key = createKey(id, newObjectCaption(id));
    m_context.Surface->adopt(key, TfrmMenu::ClickRole::Category);
    loadRememberedGlyph(key, id); // a category key goes without a missing glyph silently
    makeCurrent(key);
    return key;
}

TMenuButton *DesignObjectCreators::createFunctionKey(int id)
{
    QPointer<TMenuButton> &reference = m_context.Objects.functionKey(id);
    if (!m_context.Surface || reference)
        return nullptr;
    TMenuButton *key = createKey(id, newObjectCaption(id), newObjectHint(id));
    key->setShowHint(true);
    m_context.Surface->adopt(key, TfrmMenu::ClickRole::Select);
    reference = key;
    if (!loadRememberedGlyph(key, id)) {
        const QString entry = DesignEdits::keyFile(m_context, id, DesignEdits::KeyFile::Glyph);
        Platform::showMessage(m_context.Surface, DesignerMessages::noKeyGlyph(m_context.DriveRoot + entry),
                              DesignerCaption, Platform::MessageButtons::Ok, Platform::MessageIcon::Warning);
    }
    makeCurrent(key);
    return key;
}

TMenuButton *DesignObjectCreators::DodajKlawisz_Start() { return createFunctionKey(StartId); }
TMenuButton *DesignObjectCreators::DodajKlawisz_Kopiuj() { return createFunctionKey(CopyId); }
TMenuButton *DesignObjectCreators::DodajKlawisz_OPIS() { return createFunctionKey(DescriptionEditId); }
TMenuButton *DesignObjectCreators::DodajKlawisz_Exploracja() { return createFunctionKey(ExploreId); }
TMenuButton *DesignObjectCreators::DodajKlawiszInformacja_o() { return createFunctionKey(AboutId); }
TMenuButton *DesignObjectCreators::DodajKlawisz_Koniec() { return createFunctionKey(CloseId); }
TMenuButton *DesignObjectCreators::Dodaj_Szukaj() { return createFunctionKey(SearchId); }
TMenuButton *DesignObjectCreators::DodajKlawiszEdycji() { return createFunctionKey(DescriptionToggleId); }
TMenuButton *DesignObjectCreators::DodajKlawiszMIN() { return createFunctionKey(MinimizeId); }
TMenuButton *DesignObjectCreators::DodajKlawisz_Muzyka() { return createFunctionKey(MusicId); }
TMenuButton *DesignObjectCreators::Dodaj_Zrzuty() { return createFunctionKey(ScreenshotId); }
TMenuButton *DesignObjectCreators::DodajKlawisz_Opcje() { return createFunctionKey(OptionsId); }

TTranspList *DesignObjectCreators::createList(int id, const QStringList &lines)
{
    auto *list = new TTranspList(m_context.Surface);
    list->setObjectName(objectKey(id));
    setTag(list, id);
    list->setItems(lines);
    return list;
}

// The bounds and font of a new list or description.
template<typename Entry>
Entry DesignObjectCreators::newListEntry() const
{
    Entry entry;
    entry.bounds = QRect(m_context.ClickPoint, QSize(kListSide, kListSide));
    entry.font.color = Platform::clWhite;
    return entry;
}

TTranspList *DesignObjectCreators::DodajListeProgramow()
{
    if (!m_context.Surface || m_context.Objects.list)
        return nullptr;
    TTranspList *list = createList(ListId, listSampleLines());
    m_context.Design.list = newListEntry<DesignList>();
    m_context.Design.list->color = Platform::clYellow;
    m_context.Design.list->selectedColor = Platform::clBlue;
    DesignEdits::show(m_context, list);
    m_context.Surface->adopt(list, TfrmMenu::ClickRole::Select);
    m_context.Objects.list = list;
    makeCurrent(list);
    return list;
}

TTranspList *DesignObjectCreators::DodajOpisProgramow()
{
    if (!m_context.Surface || m_context.Objects.description)
        return nullptr;
    TTranspList *list = createList(DescriptionId, descriptionSampleLines());
    m_context.Design.description = newListEntry<DesignDescription>();
    m_context.Design.description->color = Platform::clYellow;
    m_context.Design.description->transparent = true;
    DesignEdits::show(m_context, list);
    m_context.Surface->adopt(list, TfrmMenu::ClickRole::Select);
    m_context.Objects.description = list;
    makeCurrent(list);
    return list;
}

QLineEdit *DesignObjectCreators::createField(int id)
{
    QPointer<QLineEdit> *reference = m_context.Objects.field(id);
    if (!m_context.Surface || !reference || *reference)
        return nullptr;
    auto *edit = new QLineEdit(m_context.Surface);
    edit->setObjectName(objectKey(id));
    setTag(edit, id);
    edit->setFrame(false);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    DesignField &entry = m_context.Design.field(id).emplace();
    entry.bounds = QRect(m_context.ClickPoint, QSize(kFieldWidth, 1));
    entry.color = Platform::clWindow;
    entry.font.color = Platform::clBtnText;
    entry.hint = newObjectHint(id);
    DesignEdits::show(m_context, edit);
    NapiszProbke(edit);
    DesignEdits::fitField(m_context, edit);
    m_context.Surface->adopt(edit, TfrmMenu::ClickRole::Select);
    *reference = edit;
    makeCurrent(edit);
    return edit;
}

QLineEdit *DesignObjectCreators::DodajNumerySeryjne() { return createField(SerialId); }
QLineEdit *DesignObjectCreators::DodajWymaganySystem() { return createField(SystemId); }
QLineEdit *DesignObjectCreators::DodajPRGInfo() { return createField(InfoId); }
QLineEdit *DesignObjectCreators::DodajRozmiar() { return createField(RozmiarId); }

TImage *DesignObjectCreators::Dodaj_PASEK()
{
    if (!m_context.Surface || m_context.Objects.tools)
        return nullptr;
    auto *tools = new TImage(m_context.Surface);
    tools->setObjectName(objectKey(ToolsId));
    setTag(tools, ToolsId);
    m_context.Objects.tools = tools;
    DesignTools &entry = m_context.Design.tools.emplace();
    entry.align = TfrmMenu::AlignNone;
    entry.bounds = QRect(0, 0, m_context.Surface->width(), kToolsHeight);
    entry.color = Platform::clBlack;
    DesignEdits::show(m_context, tools);
    m_context.Surface->setToolsAlign(tools, TfrmMenu::AlignTop);
    m_context.Surface->adopt(tools, TfrmMenu::ClickRole::Surface);
    m_context.Surface->ToolStripPlaced = true;
    makeCurrent(tools);
    return tools;
}

QLabel *DesignObjectCreators::DodajEtykiete_Tytul()
{
    if (!m_context.Surface || m_context.Objects.title)
        return nullptr;
    auto *title = new QLabel(m_context.Surface);
    title->setObjectName(objectKey(TitleId));
    setTag(title, TitleId);
    title->setTextFormat(Qt::PlainText);
    title->setText(newObjectCaption(TitleId));
    title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    DesignTitle &entry = m_context.Design.title.emplace();
    entry.bounds = QRect(m_context.ClickPoint, QSize(kTitleWidth, kTitleHeight));
    entry.font.size = 16;
    entry.font.styles = FontBold | FontItalic;
    entry.font.color = Platform::clRed;
    entry.color = Platform::clWindow;
    DesignEdits::show(m_context, title);
    m_context.Surface->adopt(title, TfrmMenu::ClickRole::Select);
    m_context.Objects.title = title;
    makeCurrent(title);
    return title;
}

void DesignObjectCreators::makeCurrent(QWidget *object)
{
    m_context.Surface->restack();
    object->show();
    m_context.CurrentObject = object;
}
