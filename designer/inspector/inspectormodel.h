#pragma once

#include <QList>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QStringList>

#include <optional>

class DesignerContext;
class QFont;
class QWidget;

// What the inspector decides without a window: the rows, which objects
// they apply to, the object list, the row drag's limits and the font box.
namespace InspectorModel {

// The property rows from the top of the panel down.
enum class Row {
    Tekst,
    ZawijanieTekstu,
    Bitmapa,
    Polozenie,
    TypUlozenia,
    NumGlyphs,
    Dane,
    NextIni,
    Hint,
    Border,
    Szer,
    Wys,
    Lewa,
    Gora,
    Wyrownanie,
    Maska,
    Kolor,
    Przezroczysty
};
inline constexpr int RowCount = 18;
QList<Row> allRows();

// The editor each row has.
enum class EditorKind { Text, Choice, File, Number, Colour };

struct RowSpec {
    Row row;
    const char *panelName;  // the caption panel
    const char *caption;
    const char *editorName; // the editor
    EditorKind kind;
    const char *hintKey;    // the hint window's key; empty for none
};
const RowSpec &specOf(Row row);

// The kinds of object the rows tell apart.
enum class ObjectClass { None, Key, List, Edit, Label, Image, Window };
ObjectClass classOf(const QWidget *object);

// Whether the editor of row applies to object; the data-file and
// second-window rows only to category keys, the mask only to the
// background.
bool rowApplies(Row row, const QWidget *object);

// The object list: one entry per object on the surface in the fixed order,
// then the category keys in component order.
struct ObjectEntry {
    QString text;
    QPointer<QWidget> object;
};
QList<ObjectEntry> objectEntries(const DesignerContext &context);
QString categoryEntryText(const QString &caption, int id);

// Row drag: the panel's top while dragging and after the release; a panel
// never goes below its place and keeps at least 50 pixels in view.
int draggedTop(int top, int startY, int y, int panelHeight);
int releasedTop(int top, int panelHeight);

// A palette button of a single object or function key is enabled while its
// object is absent; the category key always.
bool paletteKindAvailable(int kind, const DesignerContext &context);

// The font box: the family when the list holds it, else the placeholder
// with the name after it.
QString fontBoxText(const QString &family, const QStringList &families);
// The family a font commit gives: the box's text, but the object's own
// family while the box shows the placeholder (or nothing).
QString committedFamily(const QString &boxText, const QString &ownFamily);
// A size typed or chosen in the size box; nothing for text that is not a
// positive number.
std::optional<int> fontSize(const QString &text);
// Every family of the font database and the Windows names that stand for
// its faces, sorted, each once.
QStringList availableFamilies();
// The size box's items: "6", "8", ... "72".
QStringList fontSizes();

// The tiling item stored as TILE or TOOLS_TILE; nothing for a value that is
// not 0 or 1.
std::optional<int> tilingIndex(const QString &stored);

// A window stored off every screen is brought back onto available (the
// first screen's working area), keeping its size where it fits.
QRect placeOnScreen(const QRect &stored, const QList<QRect> &screens);

} // namespace InspectorModel
