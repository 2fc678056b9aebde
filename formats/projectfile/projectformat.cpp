#include "projectformat.h"

#include <paths.h>
#include <screenlimits.h>

#include <array>

namespace ProjectFormat {
namespace {

struct SingleObject {
    int id;
    const char *key;
    const char *hint; // the designer's hint of a new one
};

constexpr std::array<SingleObject, 9> kSingleObjects = {{
    {ListId, "LIST", ""},
    {SerialId, "SERIAL", "Numer seryjny"},
    {SystemId, "SYSTEM", "Wymagany system"},
    {ToolsId, "TOOLS", ""},
    {DescriptionId, "DESCRIPTION", ""},
    {TitleId, "TITLE", ""},
    {BackId, "BACK", ""},
    {InfoId, "INFO", "Informacje o programie"},
    {RozmiarId, "ROZMIAR", "Rozmiar programu"},
}};

struct FunctionKey {
    const char *caption;
    const char *hint;
};

// Indexed by id - 10001.
const std::array<FunctionKey, 12> kFunctionKeys = {{
    {"Start", "Start"},
    {"Kopiuj", "Kopiuj"},
    {"Opis", "Dodatkowy opis"},
    {"Eksploruj", "Eksploruj"},
    {"Informacja o...", "Informacja o..."},
    {"Koniec", "Zakończ program"},
    {"Szukaj", "Znajdź program(y)"},
    {"Edycja opisu", "Edycja opisu"},
    {"MIN", "Minimalizuj"},
    {"Muzyka", "ON"},
    {"Zrzut", "Zrzut ekranowy"},
    {"Opcje", "Opcje menu"},
}};

struct Default {
    const char *section;
    const char *key;
    const char *designer;
    const char *runtime; // nullptr: the same as the designer's
};

const std::array<Default, 59> kDefaults = {{
    {"WINDOW", "WIDTH", "640", nullptr},
    {"WINDOW", "HEIGHT", "480", nullptr},
    {"WINDOW", "NOBORDER", "0", nullptr},
    {"WINDOW", "NOBORDERICONS", "0", nullptr},
    {"WINDOW", "COLOR", "clBlack", nullptr},
    {"WINDOW", "BACK_ALIGN", "1", nullptr},
    {"WINDOW", "BACKGROUND", "", "BACK.BMP"},
    {"WINDOW", "TILE", "0", nullptr},
    {"WINDOW", "TOOLS_ALIGN", "1", nullptr},
    {"WINDOW", "TOOLS_COLOR", "clBLACK", nullptr},
    {"WINDOW", "TOOLS_BACKGROUND", "", "TOOLS.BMP"},
    {"WINDOW", "TOOLS_TILE", "0", nullptr},
    {"WINDOW", "LIST", "clYellow", "clWindow"},
    {"WINDOW", "LISTSelected", "clBlue", nullptr},
    {"WINDOW", "LISTTRANSP", "0", nullptr},
    {"WINDOW", "DESC", "clYellow", "clBlue"},
    {"WINDOW", "DESCTRANSP", "1", nullptr},
    {"WINDOW", "SERIAL", "clWINDOW", "clWindow"},
    {"WINDOW", "SYSTEM", "clWINDOW", "clWindow"},
    {"WINDOW", "INFO", "clWINDOW", "clWindow"},
    {"WINDOW", "ROZMIAR", "clWINDOW", "clWindow"},
    {"WINDOW", "TITLE", "clWINDOW", "clWindow"},
    {"WINDOW", "SERIAL_IF_IS", "0", nullptr},
    {"WINDOW", "SYSTEM_IF_IS", "0", nullptr},
    {"WINDOW", "PRGInfo_IF_IS", "0", nullptr},
    {"WINDOW", "SIZE_IF_IS", "0", nullptr},
    {"WINDOW", "LIST_ON_CLICK", "0", nullptr},
    {"WINDOW", "ONE_PROG_KAT", "0", nullptr},
    {"WINDOW", "DESC_ON_MOVE", "0", nullptr},
    {"WINDOW", "CURSOR_HAND", "0", nullptr},
    {"WINDOW", "ALWAYS_DOWN", "0", nullptr},
    {"WINDOW", "AUTOLOAD", "0", nullptr},
    {"WINDOW", "HintKolor", "clInfoBk", nullptr},
    {"WINDOW", "HintTextKolor", "clInfoText", nullptr},
    {"WINDOW", "HintOval", "0", nullptr},
    {"WINDOW", "KOPIA_FONT_COLOR", "clYellow", nullptr},
    {"SOUND", "BACKGROUND", "", nullptr},
    {"SOUND", "MPEG_DLL", "", nullptr},
    {"SOUND", "ON_UP", "", nullptr},
    {"SOUND", "ON_DOWN", "", nullptr},
    {"SOUND", "ON_MOVE", "", nullptr},
    {"BONUS", "MASKA", "", nullptr},
    {"CDROM", "CD_TITLE", "ZELTRIN KALVORA 4.0", nullptr},
    {"CDROM", "CD_DESCRIPTION", "", nullptr},
    {"ZELTRIN", "CDROM_ID", "", "ZELTRIN CDROM"},
    {"Ekran", "AVI", "*.AVI", nullptr},
    {"Ekran", "BMP", "*.BMP", nullptr},
    {"AVI", "H", "200", nullptr},
    {"AVI", "W", "320", nullptr},
    {"BMP", "H", "200", nullptr},
    {"BMP", "W", "320", nullptr},
    {"FUNCTIONS_HINT", "SERIAL", "Numer seryjny", nullptr},
    {"FUNCTIONS_HINT", "SYSTEM", "Wymagany system", nullptr},
    {"FUNCTIONS_HINT", "INFO", "Informacje o programie", ""},
    {"FUNCTIONS_HINT", "ROZMIAR", " ROZMIAR", ""},
    // The runtime's information window; the designer exports these keys.
    {"INFOCD", "FONT_COLOR", "", "clYellow"},
    {"INFOCD", "PLIK", "", "INFOCD.TXT"},
    {"INFOCD", "LEFT", "", "10"},
    {"INFOCD", "TOP", "", "10"},
}};

bool sameName(const QString &a, const char *b)
{
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

} // namespace

bool isCategoryId(int id)
{
    return id >= FirstCategoryId && id <= LastCategoryId;
}

bool isFunctionId(int id)
{
    return id >= FirstFunctionId && id <= LastFunctionId;
}

bool isSingleObjectId(int id)
{
    return id >= ListId && id <= RozmiarId;
}

QString objectKey(int id)
{
    // Made once: the readers and writers ask for these keys again and again.
    static const std::array<QString, kSingleObjects.size()> singleObjectKeys = [] {
        std::array<QString, kSingleObjects.size()> keys;
        for (size_t i = 0; i < kSingleObjects.size(); ++i)
            keys[i] = QLatin1String(kSingleObjects[i].key);
        return keys;
    }();
    if (isSingleObjectId(id))
        return singleObjectKeys[size_t(id - ListId)];
    return QString::number(id);
}

std::optional<int> objectIdFromKey(const QString &key)
{
    for (const SingleObject &object : kSingleObjects) {
        if (sameName(key.trimmed(), object.key))
            return object.id;
    }
    bool ok = false;
    const int id = key.trimmed().toInt(&ok);
    if (ok && (isCategoryId(id) || isFunctionId(id)))
        return id;
    return std::nullopt;
}

QString newObjectCaption(int id)
{
    if (id == TitleId)
        return QStringLiteral("Wybrana Kategoria");
    if (isSingleObjectId(id))
        return {};
    if (isFunctionId(id))
        return QString::fromUtf8(kFunctionKeys[size_t(id - FirstFunctionId)].caption);
    if (isCategoryId(id))
        return QStringLiteral("Kategoria%1").arg(id - 1000);
    return {};
}

QString newObjectHint(int id)
{
    if (isFunctionId(id))
        return QString::fromUtf8(kFunctionKeys[size_t(id - FirstFunctionId)].hint);
    if (isSingleObjectId(id))
        return QString::fromUtf8(kSingleObjects[size_t(id - ListId)].hint);
    return {};
}

FontStyles addFontStyles(const QString &text, FontStyles current)
{
    const QString upper = text.toUpper();
    if (upper.contains(u'B'))
        current |= FontBold;
    if (upper.contains(u'I'))
        current |= FontItalic;
    if (upper.contains(u'U'))
        current |= FontUnderline;
    return current;
}

QString fontStylesToString(FontStyles styles)
{
    QString text;
    if (styles & FontBold)
        text += u'B';
    if (styles & FontItalic)
        text += u'I';
    if (styles & FontUnderline)
        text += u'U';
    return text;
}

GlyphLayout glyphLayoutFromString(const QString &text, GlyphLayout current)
{
    const QString upper = text.toUpper();
    if (upper == u"L")
        return GlyphLayout::Left;
    if (upper == u"R")
        return GlyphLayout::Right;
    if (upper == u"T")
        return GlyphLayout::Top;
    if (upper == u"B")
        return GlyphLayout::Bottom;
    return current;
}

QString glyphLayoutToString(GlyphLayout layout)
{
    switch (layout) {
    case GlyphLayout::Right: return QStringLiteral("R");
    case GlyphLayout::Top: return QStringLiteral("T");
    case GlyphLayout::Bottom: return QStringLiteral("B");
    case GlyphLayout::Left: break;
    }
    return QStringLiteral("L");
}

QRect defaultBounds(Reader reader, int id)
{
    const int fieldHeight = reader == Reader::Runtime ? 22 : 25;
    switch (id) {
    case ListId: return {100, 100, 150, 300};
    case SerialId: return {10, 30, 75, fieldHeight};
    case SystemId:
    case InfoId:
    case RozmiarId: return {10, 10, 75, fieldHeight};
    case ToolsId: return reader == Reader::Runtime ? QRect(0, 0, 640, 50) : QRect(0, 0, 0, 50);
    case DescriptionId:
    case TitleId: return {375, 100, 150, 300};
    default: return {0, 0, 0, 0};
    }
}

QRect defaultInfoCdBounds(const QSize &window)
{
    return {10, 10, window.width() - 20, window.height() - 20};
}

QString defaultValue(Reader reader, const QString &section, const QString &key)
{
    for (const Default &entry : kDefaults) {
        if (sameName(section, entry.section) && sameName(key, entry.key)) {
            const char *value = reader == Reader::Runtime && entry.runtime ? entry.runtime
                                                                           : entry.designer;
            return QString::fromUtf8(value);
        }
    }
    return {};
}

ProjectValues::ProjectValues(const Platform::ProfileFile &file, Reader reader, QString driveRoot)
    : m_file(file)
    , m_reader(reader)
    , m_driveRoot(std::move(driveRoot))
{
}

QString ProjectValues::text(const QString &section, const QString &key, const QString &fallback) const
{
    return m_file.readString(section, key, fallback);
}

int ProjectValues::integer(const QString &section, const QString &key, int fallback) const
{
    return m_file.readInteger(section, key, fallback);
}

bool ProjectValues::boolean(const QString &section, const QString &key, bool fallback) const
{
    return m_file.readBool(section, key, fallback);
}

Platform::TColor ProjectValues::color(const QString &section, const QString &key,
                                      Platform::TColor fallback) const
{
    if (!m_file.valueExists(section, key))
        return fallback;
    return Platform::stringToColor(m_file.readString(section, key, {}), fallback);
}

FontStyles ProjectValues::fontStyles(const QString &section, const QString &key, FontStyles current) const
{
    return addFontStyles(m_file.readString(section, key, {}), current);
}

GlyphLayout ProjectValues::glyphLayout(const QString &section, const QString &key, GlyphLayout current) const
{
    return glyphLayoutFromString(m_file.readString(section, key, QStringLiteral("L")), current);
}

QString ProjectValues::path(const QString &section, const QString &key, const QString &fallback) const
{
    const QString stored = m_file.readString(section, key, fallback);
    return stored.isEmpty() ? QString() : resolve(stored);
}

QString ProjectValues::resolve(const QString &storedPath) const
{
    // The designer also finds what a project stored before its CD folder
    // was made; the runtime reads a generated CD, whose paths are its own.
    return m_reader == Reader::Designer ? Platform::resolveDocumentPath(m_driveRoot, storedPath)
                                        : Platform::resolveStoredPath(m_driveRoot, storedPath);
}

const QList<PathValuedKey> &pathValuedKeys()
{
    static const QList<PathValuedKey> keys = {
        {Sections::Data, {}},
        {Sections::Glyph, {}},
        {Sections::NextWindowIni, {}},
        {Sections::Window, QStringLiteral("BACKGROUND")},
        {Sections::Window, QStringLiteral("TOOLS_BACKGROUND")},
        {Sections::Bonus, QStringLiteral("MASKA")},
        {Sections::Sound, QStringLiteral("ON_UP")},
        {Sections::Sound, QStringLiteral("ON_DOWN")},
        {Sections::Sound, QStringLiteral("ON_MOVE")},
        {Sections::Sound, QStringLiteral("BACKGROUND")},
        {Sections::Cdrom, QStringLiteral("CD_DESCRIPTION")},
        {Sections::InfoCd, QStringLiteral("MASKA")},
        {Sections::InfoCd, QStringLiteral("BMP")},
        {Sections::InfoCd, QStringLiteral("PLIK")},
        {Sections::Ekran, QStringLiteral("AVI")},
        {Sections::Ekran, QStringLiteral("BMP")},
    };
    return keys;
}

int rebaseStoredPaths(Platform::ProfileFile &file, const QString &root)
{
    int rewritten = 0;
    Platform::DocumentPathResolver paths(root);
    const auto rebase = [&](const QString &section, const QString &key) {
        const QString rebased = paths.rebased(file.readString(section, key, {}));
        if (rebased.isEmpty())
            return;
        file.writeString(section, key, rebased);
        ++rewritten;
    };
    for (const PathValuedKey &entry : pathValuedKeys()) {
        if (!entry.key.isEmpty()) {
            if (file.valueExists(entry.section, entry.key))
                rebase(entry.section, entry.key);
            continue;
        }
        for (const QString &key : file.keyNames(entry.section))
            rebase(entry.section, key);
    }
    return rewritten;
}

QString ProjectValues::text(const QString &section, const QString &key) const
{
    return text(section, key, defaultValue(m_reader, section, key));
}

int ProjectValues::integer(const QString &section, const QString &key) const
{
    return integer(section, key, defaultValue(m_reader, section, key).toInt());
}

bool ProjectValues::boolean(const QString &section, const QString &key) const
{
    return boolean(section, key, defaultValue(m_reader, section, key).toInt() != 0);
}

Platform::TColor ProjectValues::color(const QString &section, const QString &key) const
{
    const auto fallback = Platform::colorFromString(defaultValue(m_reader, section, key));
    return color(section, key, fallback.value_or(Platform::clBlack));
}

QRect ProjectValues::bounds(int id) const
{
    return bounds(id, defaultBounds(m_reader, id));
}

QRect ProjectValues::bounds(int id, const QRect &fallback) const
{
    return bounds(objectKey(id), fallback);
}

QRect ProjectValues::bounds(const QString &key, const QRect &fallback) const
{
    using namespace Platform::ScreenLimits;
    return QRect(clampCoordinate(integer(Sections::Left, key, fallback.left())),
                 clampCoordinate(integer(Sections::Top, key, fallback.top())),
                 clampExtent(integer(Sections::Width, key, fallback.width())),
                 clampExtent(integer(Sections::Height, key, fallback.height())));
}

QSize ProjectValues::windowSize() const
{
    using namespace Platform::ScreenLimits;
    return QSize(clampExtent(integer(Sections::Window, QStringLiteral("WIDTH"))),
                 clampExtent(integer(Sections::Window, QStringLiteral("HEIGHT"))));
}

} // namespace ProjectFormat
