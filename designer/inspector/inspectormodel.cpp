#include "inspectormodel.h"

#include "inspector/inspectortexts.h"
#include "objects/objectkinds.h"
#include "project/designercontext.h"
#include "surface/menusurface.h"

#include <buttons/menubutton.h>
#include <menuobjects/imagewidget.h>
#include <menuobjects/menuobjects.h>
#include <transplist/transplist.h>

#include <projectfile/projectformat.h>

#include <fonts.h>

#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <array>

using namespace ProjectFormat;
using MenuObjects::tagOf;

namespace InspectorModel {
namespace {

const std::array<RowSpec, RowCount> kRows = {{
    {Row::Tekst, "inTekst", "Tekst", "edtTekst", EditorKind::Text, "Tekst"},
    {Row::ZawijanieTekstu, "Panel2", "Zawijanie tekstu", "edtZawijanieTekstu", EditorKind::Choice, "WordWrap"},
    {Row::Bitmapa, "inBitmapa", "Bitmapa", "edtBitmapa", EditorKind::File, "Bitmapa"},
    {Row::Polozenie, "inPolozenie", "Położenie bitmapy", "edtPolozenie", EditorKind::Choice, "Położenie"},
    {Row::TypUlozenia, "Panel3", "Ułożenie bitmapy:", "edtTypUlozenia", EditorKind::Choice, "TypUłożenia"},
    {Row::NumGlyphs, "Panel14", "Dziel bitmapę na:", "edtNumGlyphs", EditorKind::Number, "NumGlyphs"},
    {Row::Dane, "inDane", "Dane", "edtDane", EditorKind::File, "Dane"},
    {Row::NextIni, "inNEXTINI", "Drugie okno", "edtNextINI", EditorKind::File, ""},
    {Row::Hint, "inHint", "Podpowiedź", "edtHint", EditorKind::Text, "Podpowiedź"},
    {Row::Border, "inBorder", "Obramowanie", "edtBorder", EditorKind::Choice, "Obramowanie"},
    {Row::Szer, "inSzer", "Szerokość", "edtSzer", EditorKind::Number, "Szerokość"},
    {Row::Wys, "inWys", "Wysokość", "edtWys", EditorKind::Number, "Wysokość"},
    {Row::Lewa, "inLewa", "Lewa", "edtLewa", EditorKind::Number, "Lewa"},
    {Row::Gora, "inGora", "Góra", "edtGora", EditorKind::Number, "Góra"},
    {Row::Wyrownanie, "inAlign", "Wyrównanie", "edtWyrownanie", EditorKind::Choice, "Wyrównanie"},
    {Row::Maska, "inMaska", "Maska", "edtMaska", EditorKind::File, "Maska"},
    {Row::Kolor, "inKolor", "Kolor", "edtKolor", EditorKind::Colour, "Kolor"},
    {Row::Przezroczysty, "Panel1", "Przezroczysty", "edtPrzezroczysty", EditorKind::Choice, "Przezroczystość"},
}};

bool isCategoryKey(const QWidget *object)
{
    return classOf(object) == ObjectClass::Key && isCategoryId(tagOf(object));
}

bool isBackground(const QWidget *object)
{
    return classOf(object) == ObjectClass::Image && tagOf(object) == BackId;
}

// The single objects and function keys in the order the list shows them.
struct FixedEntry {
    int id;
    const char *text;
};
const std::array<FixedEntry, 20> kFixedEntries = {{
    {ToolsId, "Pasek narzędziowy  [ID: TOOLS]"},
    {ListId, "Lista programów  [ID: LIST]"},
    {SerialId, "Numer seryjny  [ID: SERIAL]"},
    {SystemId, "Wymagany system  [ID: SYSTEM]"},
    {TitleId, "Tytuł kategorii  [ID: TITLE]"},
    {DescriptionId, "Opis programu  [ID: DESCRIPTION]"},
    {StartId, "Start  [ID: 10001]"},
    {CopyId, "Kopiuj  [ID: 10002]"},
    {DescriptionEditId, "Dodatkowy opis  [ID: 10003]"},
    {ExploreId, "Eksploracja  [ID: 10004]"},
    {AboutId, "Informacja o...  [ID: 10005]"},
    {InfoId, "Informacja o programie  [ID: INFO]"},
    {CloseId, "Koniec  [ID: 10006]"},
    {SearchId, "Szukaj  [ID: 10007]"},
    {DescriptionToggleId, "Edycja opisu  [ID: 10008]"},
    {MinimizeId, "Minimalizacja  [ID: 10009]"},
    {MusicId, "Muzyka  [ID: 10010]"},
    {ScreenshotId, "Zrzuty ekranowe  [ID: 10011]"},
    {OptionsId, "Opcje menu  [ID: 10012]"},
    {RozmiarId, "Rozmiar programu  [ID: ROZMIAR]"},
}};

} // namespace

QList<Row> allRows()
{
    QList<Row> rows;
    for (const RowSpec &spec : kRows)
        rows.append(spec.row);
    return rows;
}

const RowSpec &specOf(Row row)
{
    return kRows[size_t(row)];
}

ObjectClass classOf(const QWidget *object)
{
    if (!object)
        return ObjectClass::None;
    if (qobject_cast<const TMenuButton *>(object))
        return ObjectClass::Key;
    if (dynamic_cast<const TTranspList *>(object))
        return ObjectClass::List;
    if (qobject_cast<const QLineEdit *>(object))
        return ObjectClass::Edit;
    if (qobject_cast<const QLabel *>(object))
        return ObjectClass::Label;
    if (dynamic_cast<const TImage *>(object))
        return ObjectClass::Image;
    if (dynamic_cast<const TfrmMenu *>(object))
        return ObjectClass::Window;
    return ObjectClass::None;
}

bool rowApplies(Row row, const QWidget *object)
{
    const ObjectClass kind = classOf(object);
    if (kind == ObjectClass::None)
        return false;
    const bool key = kind == ObjectClass::Key;
    const bool image = kind == ObjectClass::Image;
    switch (row) {
    case Row::Tekst:
    case Row::Polozenie:
    case Row::NumGlyphs:
    case Row::Border: return key;
    case Row::ZawijanieTekstu: return key || kind == ObjectClass::Label;
    case Row::Bitmapa: return key || image;
    case Row::TypUlozenia:
    case Row::Wyrownanie: return image;
    case Row::Dane:
    case Row::NextIni: return isCategoryKey(object);
    case Row::Hint: return key || kind == ObjectClass::Edit;
    case Row::Szer:
    case Row::Wys:
    case Row::Lewa:
    case Row::Gora: return true;
    case Row::Maska: return isBackground(object);
    case Row::Kolor: return !key && kind != ObjectClass::Label;
    case Row::Przezroczysty: return kind == ObjectClass::List;
    }
    return false;
}

QString categoryEntryText(const QString &caption, int id)
{
    return InspectorTexts::categoryPrefix() + (caption.isEmpty() ? InspectorTexts::noCaption() : caption)
           + QStringLiteral("  [ID: ") + QString::number(id) + u']';
}

QList<ObjectEntry> objectEntries(const DesignerContext &context)
{
    QList<ObjectEntry> entries;
    QWidget *background = context.Surface ? context.Surface->Image1 : nullptr;
    entries.append({QStringLiteral("Tło okna  [ID: (BRAK) ]"), background});
    for (const FixedEntry &fixed : kFixedEntries) {
        if (QWidget *object = context.Objects.object(fixed.id))
            entries.append({QString::fromUtf8(fixed.text), object});
    }
    if (!context.Surface)
        return entries;
    for (QWidget *object : context.Surface->components()) {
        if (isCategoryKey(object))
            entries.append({categoryEntryText(static_cast<TMenuButton *>(object)->caption(), tagOf(object)), object});
    }
    return entries;
}

int draggedTop(int top, int startY, int y, int panelHeight)
{
    const int moved = top + y - startY;
    if (moved > 0)
        return 0;
    if (moved <= -panelHeight)
        return 50 - panelHeight;
    return moved;
}

int releasedTop(int top, int panelHeight)
{
    return std::max(top, 50 - panelHeight);
}

bool paletteKindAvailable(int kind, const DesignerContext &context)
{
    if (kind == PaletteKinds::CategoryKey)
        return true;
    return context.Objects.object(kind) == nullptr;
}

QString fontBoxText(const QString &family, const QStringList &families)
{
    if (families.contains(family, Qt::CaseInsensitive))
        return family;
    return InspectorTexts::missingFontPrefix() + family;
}

QString committedFamily(const QString &boxText, const QString &ownFamily)
{
    const QString text = boxText.trimmed();
    if (text.isEmpty() || boxText.startsWith(InspectorTexts::missingFontPrefix()))
        return ownFamily;
    return text;
}

std::optional<int> fontSize(const QString &text)
{
    bool isNumber = false;
    const int size = text.trimmed().toInt(&isNumber);
    if (!isNumber || size <= 0 || size > 1638)
        return std::nullopt;
    return size;
}

QStringList availableFamilies()
{
    // The Windows names that projects use are offered beside the faces
    // that draw them.
    QStringList families = QFontDatabase::families() + Platform::windowsFamilies();
    families.sort(Qt::CaseInsensitive);
    families.removeDuplicates();
    return families;
}

QStringList fontSizes()
{
    QStringList sizes;
    for (int size = 6; size <= 72; size += 2)
        sizes << QString::number(size);
    return sizes;
}

std::optional<int> tilingIndex(const QString &stored)
{
    bool isNumber = false;
    const int index = stored.trimmed().toInt(&isNumber);
    if (!isNumber || index < 0 || index > 1)
        return std::nullopt;
    return index;
}

QRect placeOnScreen(const QRect &stored, const QList<QRect> &screens)
{
    // Enough of the window to take hold of it must show on some screen.
    for (const QRect &screen : screens) {
        const QRect seen = screen.intersected(stored);
        if (seen.width() >= 40 && seen.height() >= 20)
            return stored;
    }
    if (screens.isEmpty())
        return stored;
    const QRect &area = screens.first();
    QRect placed(stored.topLeft(), stored.size().boundedTo(area.size()));
    placed.moveLeft(std::clamp(placed.left(), area.left(), area.right() + 1 - placed.width()));
    placed.moveTop(std::clamp(placed.top(), area.top(), area.bottom() + 1 - placed.height()));
    return placed;
}

} // namespace InspectorModel
