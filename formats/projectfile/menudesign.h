#pragma once

// The design of one menu window as a plain value: what a project file
// describes, typed, with everything the file holds besides it kept as it
// stands. The designer edits one, saves it with write() and keeps copies of
// it for undo; a reader takes one from read().

#include "projectformat.h"

#include <colors.h>
#include <profilefile.h>

#include <QRect>
#include <QSize>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace ProjectFormat {

// A single-valued setting that the designer keeps as text, with the name
// its settings list uses, where it is stored and the text a read takes
// when the key is missing. A write stores them all in this order.
struct TextSetting {
    const char *name;
    const char *section;
    const char *key;
    const char *fallback;
};
inline constexpr int TextSettingCount = 36;
const std::array<TextSetting, TextSettingCount> &textSettings();
// The index of a setting by its name; nothing for names not in the table.
std::optional<int> textSettingIndex(const QString &name);

// The text a value is stored as: readers drop the blanks around a value and
// one pair of quotes that encloses it, so such a value goes in quotes and
// reads back as it was; line breaks become blanks.
QString storedText(QString value);

// The id that the name of a per-key entry gives: a category or function id
// in decimal; nothing for any other name.
std::optional<int> keyIdOf(const QString &name);

struct FontSpec {
    QString name = QStringLiteral("MS Sans Serif");
    int size = 8;
    FontStyles styles = 0;
    Platform::TColor color = Platform::clBtnText;

    bool operator==(const FontSpec &) const = default;
};

// A category key (ids 1001-9999) or a function key (10001-10012).
struct DesignKey {
    int id = 0;
    QRect bounds;
    QString caption;
    QString hint;
    FontSpec font;
    bool wordWrap = false;
    GlyphLayout layout = GlyphLayout::Left;
    int numGlyphs = 1;
    bool noBorder = false;
    bool newBorder = false;
    // Drive-relative files: the glyph bitmap, and for category keys the data
    // file and the second window's project file.
    QString glyphFile;
    QString dataFile;
    QString nextWindowFile;
    // [NEXT_WINDOW]: "1" when the category opens its second window.
    QString nextWindow;

    bool isFunctionKey() const { return isFunctionId(id); }
    // The switch as a reader of the file takes it: a number other than 0.
    bool opensSecondWindow() const;
    bool operator==(const DesignKey &) const = default;
};

struct DesignList {
    QRect bounds;
    FontSpec font;
    Platform::TColor color = Platform::clYellow;
    Platform::TColor selectedColor = Platform::clBlue;
    bool transparent = false;

    bool operator==(const DesignList &) const = default;
};

struct DesignDescription {
    QRect bounds;
    FontSpec font;
    Platform::TColor color = Platform::clYellow;
    bool transparent = true;

    bool operator==(const DesignDescription &) const = default;
};

// SERIAL, SYSTEM, INFO and ROZMIAR.
struct DesignField {
    QRect bounds;
    FontSpec font;
    Platform::TColor color = Platform::clWindow;
    QString hint;

    bool operator==(const DesignField &) const = default;
};

struct DesignTitle {
    QRect bounds;
    FontSpec font;
    Platform::TColor color = Platform::clWindow;
    bool wordWrap = false;

    bool operator==(const DesignTitle &) const = default;
};

// The toolbar strip: the edge it keeps to (0 none, 1 top, 2 right,
// 3 bottom, 4 left) and its bounds on the window.
struct DesignTools {
    int align = 1;
    QRect bounds;
    Platform::TColor color = Platform::clBlack;

    bool operator==(const DesignTools &) const = default;
};

// The entries that the designer's export writes for the runtime's
// information window.
struct InfoCd {
    FontSpec font;
    QRect bounds;
    QString mask;
    QString picture;
    QString textFile;

    bool operator==(const InfoCd &) const = default;
};

class MenuDesign
{
public:
    // The window: its client size, colour and background image.
    QSize windowSize{640, 480};
    Platform::TColor windowColor = Platform::clBlack;
    bool backgroundAligned = true;
    QRect backgroundBounds{0, 0, 640, 480};

    // Keys in the order the window holds them.
    std::vector<DesignKey> keys;
    std::optional<DesignList> list;
    std::optional<DesignDescription> description;
    std::optional<DesignField> serial;
    std::optional<DesignField> system;
    std::optional<DesignField> info;
    std::optional<DesignField> rozmiar;
    std::optional<DesignTools> tools;
    std::optional<DesignTitle> title;

    // The single-valued settings of textSettings(), by index: sounds, the
    // background and mask pictures, the titles, the option flags and the
    // start screen.
    std::array<QString, TextSettingCount> settings;
    // [INFOCD], when the file has one; a write changes it only where it
    // differs from what the file holds.
    std::optional<InfoCd> infoCd;

    // The file the design was read from, as it stands. It carries the
    // sections and keys the design does not own ([INFOCD], a second
    // window's switch, anything another program wrote) into a write onto
    // an empty file.
    QString sourceText;

    // The design that file describes, with the defaults of one reader (the
    // designer's unless said). A read takes the file as it is; a write
    // stores every value the design owns.
    static MenuDesign read(const Platform::ProfileFile &file, Reader reader = Reader::Designer);
    void write(Platform::ProfileFile &file) const;

    // [INFOCD] of the file, when it has one; as the designer's export
    // writes it.
    static std::optional<InfoCd> readInfoCd(const Platform::ProfileFile &file);
    static void writeInfoCd(Platform::ProfileFile &file, const InfoCd &infoCd);
    // The second-window switch of a category key, as write() stores it:
    // changed only where the file holds another value.
    static void writeNextWindow(Platform::ProfileFile &file, const DesignKey &key);

    DesignKey *key(int id);
    const DesignKey *key(int id) const;
    // The field of SerialId, SystemId, InfoId or RozmiarId.
    std::optional<DesignField> &field(int id);
    const std::optional<DesignField> &field(int id) const;
    QString setting(const QString &name) const;
    void setSetting(const QString &name, const QString &value);

    // Where the toolbar strip lies on a window of size when it keeps to
    // edge align and has bounds of its own: an edge takes the whole side.
    static QRect alignedToolsBounds(int align, const QRect &own, const QSize &window);

    bool operator==(const MenuDesign &) const = default;
};

} // namespace ProjectFormat
