#pragma once

// The project file: one menu window described property first. A section
// names a property ("LEFT", "FONT_NAME") and its keys name the objects (an
// object id in decimal, or the fixed name of a single object). The designer
// writes it, and the designer and the runtime read it with the readers here.

#include <colors.h>
#include <profilefile.h>

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

namespace ProjectFormat {

// Object ids.
inline constexpr int FirstCategoryId = 1001;
inline constexpr int LastCategoryId = 9999;
inline constexpr int FirstFunctionId = 10001;
inline constexpr int LastFunctionId = 10012;

enum FunctionId {
    StartId = 10001, CopyId, DescriptionEditId = 10003, ExploreId, AboutId, CloseId,
    SearchId, DescriptionToggleId, MinimizeId, MusicId, ScreenshotId, OptionsId
};

enum SingleObjectId {
    ListId = 1500, SerialId, SystemId, ToolsId, DescriptionId, TitleId, BackId, InfoId, RozmiarId
};

// The ids of single objects lie inside the range of category ids; where an
// id can be either, the single object is meant.
bool isCategoryId(int id);
bool isFunctionId(int id);
bool isSingleObjectId(int id);

// The key of an object in per-object sections: the id, or the fixed name.
QString objectKey(int id);
// The object a key names; nothing for keys that are neither.
std::optional<int> objectIdFromKey(const QString &key);

// Caption and hint that the designer gives a new object.
QString newObjectCaption(int id);
QString newObjectHint(int id);

// Section names, spelled as the designer writes them; readers match them
// without regard to letter case.
namespace Sections {
inline const QString Names = QStringLiteral("NAMES");
inline const QString Data = QStringLiteral("DATA");
inline const QString Glyph = QStringLiteral("GLYPH");
inline const QString Functions = QStringLiteral("FUNCTIONS");
inline const QString FunctionsCaption = QStringLiteral("FUNCTIONS_CAPTION");
inline const QString FunctionsHint = QStringLiteral("FUNCTIONS_HINT");
inline const QString WordWrap = QStringLiteral("WORDWRAP");
inline const QString LayHow = QStringLiteral("LAYHOW");
inline const QString NumGlyphs = QStringLiteral("NUMGLYPHS");
inline const QString NoBorder = QStringLiteral("NOBORDER");
inline const QString NewBorder = QStringLiteral("NEWBORDER");
inline const QString FontName = QStringLiteral("FONT_NAME");
inline const QString FontColor = QStringLiteral("FONT_COLOR");
inline const QString FontSize = QStringLiteral("FONT_SIZE");
inline const QString FontStyle = QStringLiteral("FONT_STYLE");
inline const QString Left = QStringLiteral("LEFT");
inline const QString Top = QStringLiteral("TOP");
inline const QString Width = QStringLiteral("WIDTH");
inline const QString Height = QStringLiteral("HEIGHT");
inline const QString Objects = QStringLiteral("OBJECTS");
inline const QString NextWindow = QStringLiteral("NEXT_WINDOW");
inline const QString NextWindowIni = QStringLiteral("NEXT_WINDOW_INI");
inline const QString Window = QStringLiteral("WINDOW");
inline const QString Sound = QStringLiteral("SOUND");
inline const QString Bonus = QStringLiteral("BONUS");
inline const QString Cdrom = QStringLiteral("CDROM");
inline const QString Zeltrin = QStringLiteral("ZELTRIN");
inline const QString Ekran = QStringLiteral("EKRAN");
inline const QString InfoCd = QStringLiteral("INFOCD");
} // namespace Sections

// The values of a project that are stored paths: every key of a section
// (key empty) or one key of it.
struct PathValuedKey
{
    QString section;
    QString key;
};
const QList<PathValuedKey> &pathValuedKeys();

// Rewrites, relative to root, each stored path of file that was stored from
// "/" and names a file inside root (see Platform::rebasedStoredPath); the
// other values stay as they are. The number of values rewritten.
int rebaseStoredPaths(Platform::ProfileFile &file, const QString &root);

// Which program reads: the two differ in some defaults.
enum class Reader { Designer, Runtime };

enum FontStyleFlag { FontBold = 1, FontItalic = 2, FontUnderline = 4 };
using FontStyles = int;

enum class GlyphLayout { Left, Right, Top, Bottom };

// Value forms, as text.
// Adds to current each style whose letter (B, I, U) occurs anywhere in text,
// in any letter case; never removes one.
FontStyles addFontStyles(const QString &text, FontStyles current);
// "B", "I", "U" in that order for the styles that are on.
QString fontStylesToString(FontStyles styles);
// The whole value, upper-cased, is one of "L", "R", "T", "B"; otherwise
// current stays.
GlyphLayout glyphLayoutFromString(const QString &text, GlyphLayout current);
QString glyphLayoutToString(GlyphLayout layout);

// Default position and size of an object on the window.
QRect defaultBounds(Reader reader, int id);

// Where the runtime's information window puts its text when [INFOCD] has no
// LEFT, TOP, WIDTH or HEIGHT: a margin of 10 inside a window of that size.
QRect defaultInfoCdBounds(const QSize &window);

// Defaults of the single-valued keys ([WINDOW], [SOUND], [CDROM], ...) as the
// text the file would hold; empty for keys without one.
QString defaultValue(Reader reader, const QString &section, const QString &key);

// Typed reads of one project file for one reader. Every read passes a
// default; a value of the wrong form reads as that default.
class ProjectValues
{
public:
    ProjectValues(const Platform::ProfileFile &file, Reader reader, QString driveRoot);

    const Platform::ProfileFile &file() const { return m_file; }
    Reader reader() const { return m_reader; }
    QString driveRoot() const { return m_driveRoot; }

    QString text(const QString &section, const QString &key, const QString &fallback) const;
    int integer(const QString &section, const QString &key, int fallback) const;
    // Any non-zero integer is true; no integer gives the fallback.
    bool boolean(const QString &section, const QString &key, bool fallback) const;
    // A colour name or number; any other text gives the fallback.
    Platform::TColor color(const QString &section, const QString &key, Platform::TColor fallback) const;
    FontStyles fontStyles(const QString &section, const QString &key, FontStyles current) const;
    GlyphLayout glyphLayout(const QString &section, const QString &key, GlyphLayout current) const;
    // The file a drive-relative value names below the drive root; empty when
    // the value is empty.
    QString path(const QString &section, const QString &key, const QString &fallback = {}) const;
    QString resolve(const QString &storedPath) const;

    // The same with this reader's own defaults of defaultValue().
    QString text(const QString &section, const QString &key) const;
    int integer(const QString &section, const QString &key) const;
    bool boolean(const QString &section, const QString &key) const;
    Platform::TColor color(const QString &section, const QString &key) const;

    // Position and size of an object, key by key, over its default bounds,
    // each number clamped to what a screen can hold.
    QRect bounds(int id) const;
    QRect bounds(int id, const QRect &fallback) const;
    // The same for the object whose key in the per-object sections is key.
    QRect bounds(const QString &key, const QRect &fallback) const;
    // [WINDOW] WIDTH and HEIGHT, clamped the same way.
    QSize windowSize() const;

private:
    const Platform::ProfileFile &m_file;
    Reader m_reader;
    QString m_driveRoot;
};

} // namespace ProjectFormat
