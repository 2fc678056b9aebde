#include "menudesign.h"

#include <numbers.h>
#include <screenlimits.h>


using Platform::ProfileFile;
using Platform::TColor;

namespace ProjectFormat {

const std::array<TextSetting, TextSettingCount> &textSettings()
{
    static const std::array<TextSetting, TextSettingCount> table = {{
        {"PATHTODLL", "SOUND", "MPEG_DLL", ""},
        {"StreamName", "SOUND", "BACKGROUND", ""},
        {"ON_UP", "SOUND", "ON_UP", ""},
        {"ON_DOWN", "SOUND", "ON_DOWN", ""},
        {"ON_MOVE", "SOUND", "ON_MOVE", ""},
        {"NOBORDER", "WINDOW", "NOBORDER", "0"},
        {"NOBORDERICONS", "WINDOW", "NOBORDERICONS", "0"},
        {"CD_DESCRIPTION", "CDROM", "CD_DESCRIPTION", ""},
        {"CD_TITLE", "CDROM", "CD_TITLE", ""},
        {"CD_CAPTION", "CDROM", "CD_CAPTION", ""},
        {"CDROM_ID", "ZELTRIN", "CDROM_ID", ""},
        {"Tlo", "WINDOW", "BACKGROUND", ""},
        {"Maska", "BONUS", "MASKA", ""},
        {"ToolsBack", "WINDOW", "TOOLS_BACKGROUND", ""},
        {"TILE", "WINDOW", "TILE", "0"},
        {"TOOLS_TILE", "WINDOW", "TOOLS_TILE", "0"},
        {"KOPIA_FONT_COLOR", "WINDOW", "KOPIA_FONT_COLOR", "clYellow"},
        {"SERIAL_IF_IS", "WINDOW", "SERIAL_IF_IS", "0"},
        {"SYSTEM_IF_IS", "WINDOW", "SYSTEM_IF_IS", "0"},
        {"PRGInfo_IF_IS", "WINDOW", "PRGInfo_IF_IS", "0"},
        {"SIZE_IF_IS", "WINDOW", "SIZE_IF_IS", "0"},
        {"ONE_PROG_KAT", "WINDOW", "ONE_PROG_KAT", "0"},
        {"LIST_ON_CLICK", "WINDOW", "LIST_ON_CLICK", "0"},
        {"DESC_ON_MOVE", "WINDOW", "DESC_ON_MOVE", "0"},
        {"CURSOR_HAND", "WINDOW", "CURSOR_HAND", "0"},
        {"ALWAYS_DOWN", "WINDOW", "ALWAYS_DOWN", "0"},
        {"AUTOLOAD", "WINDOW", "AUTOLOAD", "0"},
        {"HintKolor", "WINDOW", "HintKolor", "clInfoBk"},
        {"HintTextKolor", "WINDOW", "HintTextKolor", "clInfoText"},
        {"HintOval", "WINDOW", "HintOval", "0"},
        {"AVI_Name", "Ekran", "AVI", "*.AVI"},
        {"AVI_Wys", "AVI", "H", "200"},
        {"AVI_Szer", "AVI", "W", "320"},
        {"BMP_Name", "Ekran", "BMP", "*.BMP"},
        {"BMP_Wys", "BMP", "H", "200"},
        {"BMP_Szer", "BMP", "W", "320"},
    }};
    return table;
}

std::optional<int> textSettingIndex(const QString &name)
{
    const auto &table = textSettings();
    for (int i = 0; i < TextSettingCount; ++i) {
        if (name.compare(QLatin1String(table[i].name), Qt::CaseInsensitive) == 0)
            return i;
    }
    return std::nullopt;
}

QString storedText(QString value)
{
    value.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace(u'\r', u' ').replace(u'\n', u' ');
    const bool blanksAround = value != value.trimmed();
    const bool enclosedInQuotes = value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'')
                                  && value.back() == value.front();
    return blanksAround || enclosedInQuotes ? u'"' + value + u'"' : value;
}

std::optional<int> keyIdOf(const QString &name)
{
    bool isNumber = false;
    const int id = name.trimmed().toInt(&isNumber);
    if (!isNumber || !(isCategoryId(id) || isFunctionId(id)))
        return std::nullopt;
    return id;
}

namespace {

const QString kBack = QStringLiteral("BACK");
const int kToolsSide = 50;

// Where each text setting is stored, as strings made once: every read and
// write of a design looks up all of them.
struct SettingPlace {
    QString section;
    QString key;
    QString fallback;
};

const std::array<SettingPlace, TextSettingCount> &settingPlaces()
{
    static const std::array<SettingPlace, TextSettingCount> places = [] {
        std::array<SettingPlace, TextSettingCount> table;
        for (int i = 0; i < TextSettingCount; ++i) {
            const TextSetting &setting = textSettings()[size_t(i)];
            table[size_t(i)] = {QLatin1String(setting.section), QLatin1String(setting.key),
                                QLatin1String(setting.fallback)};
        }
        return table;
    }();
    return places;
}

// Reading ------------------------------------------------------------------

FontSpec readFont(const ProjectValues &project, const QString &key, TColor defaultColor)
{
    FontSpec font;
    font.name = project.text(Sections::FontName, key, font.name);
    const int size = project.integer(Sections::FontSize, key, font.size);
    if (size > 0)
        font.size = qMin(size, Platform::ScreenLimits::MaxFontPointSize);
    font.styles = project.fontStyles(Sections::FontStyle, key, 0);
    font.color = project.color(Sections::FontColor, key, defaultColor);
    return font;
}

DesignKey readKey(const ProjectValues &project, int id, const QString &namesKey = {})
{
    const QString name = QString::number(id);
    DesignKey key;
    key.id = id;
    key.bounds = project.bounds(name, QRect());
    key.caption = isFunctionId(id) ? project.text(QStringLiteral("FUNCTIONS_Caption"), name, {})
                                   : project.text(Sections::Names, namesKey.isEmpty() ? name : namesKey, {});
    if (id != MusicId)
        key.hint = project.text(Sections::FunctionsHint, name, {});
    key.font = readFont(project, name, Platform::clBtnText);
    key.numGlyphs = project.integer(Sections::NumGlyphs, name, 1);
    key.noBorder = project.boolean(Sections::NoBorder, name, false);
    key.newBorder = project.boolean(Sections::NewBorder, name, false);
    key.layout = project.glyphLayout(Sections::LayHow, name, GlyphLayout::Left);
    key.wordWrap = project.boolean(Sections::WordWrap, name, false);
    key.glyphFile = project.text(Sections::Glyph, name, {});
    if (!isFunctionId(id)) {
        key.dataFile = project.text(Sections::Data, name, {});
        key.nextWindowFile = project.text(Sections::NextWindowIni, name, {});
        key.nextWindow = project.text(Sections::NextWindow, name, {});
    }
    return key;
}

// Category keys in the order of [NAMES]: every entry whose name is a
// category id (other names name no key the file could keep); then the
// function keys that [FUNCTIONS] switches on.
void readKeys(const ProjectValues &project, MenuDesign &design)
{
    for (const QString &name : project.file().keyNames(Sections::Names)) {
        bool isNumber = false;
        const int id = name.trimmed().toInt(&isNumber);
        if (isNumber && isCategoryId(id) && !design.key(id))
            design.keys.push_back(readKey(project, id, name));
    }
    for (int id = FirstFunctionId; id <= LastFunctionId; ++id) {
        if (project.boolean(Sections::Functions, objectKey(id), false) && !design.key(id))
            design.keys.push_back(readKey(project, id));
    }
}

bool present(const ProjectValues &project, int id)
{
    return project.boolean(Sections::Objects, objectKey(id), false);
}

Platform::TColor windowColor(const ProjectValues &project, const QString &key)
{
    return project.color(Sections::Window, key);
}

bool windowFlag(const ProjectValues &project, const QString &key)
{
    return project.boolean(Sections::Window, key);
}

DesignList readList(const ProjectValues &project)
{
    DesignList list;
    list.bounds = project.bounds(ListId);
    list.font = readFont(project, objectKey(ListId), Platform::clBtnText);
    list.color = windowColor(project, QStringLiteral("LIST"));
    list.selectedColor = windowColor(project, QStringLiteral("LISTSelected"));
    list.transparent = windowFlag(project, QStringLiteral("LISTTRANSP"));
    return list;
}

DesignField readField(const ProjectValues &project, int id)
{
    DesignField field;
    field.bounds = project.bounds(id);
    field.font = readFont(project, objectKey(id), Platform::clBtnText);
    field.color = windowColor(project, objectKey(id));
    field.hint = project.text(Sections::FunctionsHint, objectKey(id));
    return field;
}

DesignTools readTools(const ProjectValues &project, const QSize &window)
{
    DesignTools tools;
    const int align = project.integer(Sections::Window, QStringLiteral("TOOLS_ALIGN"));
    tools.align = align >= 0 && align <= 4 ? align : 0;
    const QRect aligned = MenuDesign::alignedToolsBounds(tools.align, QRect(0, 0, kToolsSide, kToolsSide), window);
    // Without bounds of its own the runtime's strip has its default ones,
    // the designer's takes the edge's sides, 50 pixels across.
    const QRect own = project.reader() == Reader::Runtime
                          ? project.bounds(ToolsId)
                          : project.bounds(ToolsId, QRect(aligned.topLeft(), QSize(aligned.width(), kToolsSide)));
    tools.bounds = MenuDesign::alignedToolsBounds(tools.align, own, window);
    tools.color = windowColor(project, QStringLiteral("TOOLS_COLOR"));
    return tools;
}

DesignDescription readDescription(const ProjectValues &project)
{
    DesignDescription description;
    description.bounds = project.bounds(DescriptionId);
    description.font = readFont(project, objectKey(DescriptionId), Platform::clBtnText);
    description.color = windowColor(project, QStringLiteral("DESC"));
    description.transparent = windowFlag(project, QStringLiteral("DESCTRANSP"));
    return description;
}

DesignTitle readTitle(const ProjectValues &project)
{
    DesignTitle title;
    title.bounds = project.bounds(TitleId);
    title.font = readFont(project, objectKey(TitleId), Platform::clGreen);
    title.color = windowColor(project, QStringLiteral("TITLE"));
    title.wordWrap = project.boolean(Sections::WordWrap, objectKey(TitleId), false);
    return title;
}

void readObjects(const ProjectValues &project, MenuDesign &design)
{
    if (present(project, ListId))
        design.list = readList(project);
    for (int id : {SerialId, SystemId, InfoId, RozmiarId}) {
        if (present(project, id))
            design.field(id) = readField(project, id);
    }
    if (present(project, ToolsId))
        design.tools = readTools(project, design.windowSize);
    if (present(project, DescriptionId))
        design.description = readDescription(project);
    if (present(project, TitleId))
        design.title = readTitle(project);
}

InfoCd infoCdOf(const ProjectValues &project)
{
    const QString section = Sections::InfoCd;
    InfoCd infoCd;
    infoCd.font.name = project.text(section, Sections::FontName, {});
    infoCd.font.color = project.color(section, Sections::FontColor, Platform::clBtnText);
    infoCd.font.styles = project.fontStyles(section, Sections::FontStyle, 0);
    infoCd.font.size = project.integer(section, Sections::FontSize, 0);
    const QRect fallback = defaultInfoCdBounds(project.windowSize());
    infoCd.bounds = QRect(project.integer(section, Sections::Left, fallback.left()),
                          project.integer(section, Sections::Top, fallback.top()),
                          project.integer(section, Sections::Width, fallback.width()),
                          project.integer(section, Sections::Height, fallback.height()));
    infoCd.mask = project.text(section, QStringLiteral("MASKA"), {});
    infoCd.picture = project.text(section, QStringLiteral("BMP"), {});
    infoCd.textFile = project.text(section, QStringLiteral("PLIK"), {});
    return infoCd;
}

// Writing ------------------------------------------------------------------

void writeText(ProfileFile &file, const QString &section, const QString &key, const QString &value)
{
    file.writeString(section, key, storedText(value));
}

void writeColor(ProfileFile &file, const QString &section, const QString &key, TColor color)
{
    file.writeString(section, key, Platform::colorToString(color));
}

void writeWindowColor(ProfileFile &file, const QString &key, TColor color)
{
    writeColor(file, Sections::Window, key, color);
}

void writeBounds(ProfileFile &file, const QString &key, const QRect &bounds)
{
    file.writeInteger(Sections::Left, key, bounds.left());
    file.writeInteger(Sections::Top, key, bounds.top());
    file.writeInteger(Sections::Width, key, bounds.width());
    file.writeInteger(Sections::Height, key, bounds.height());
}

void writeFont(ProfileFile &file, const QString &key, const FontSpec &font)
{
    file.writeString(Sections::FontName, key, font.name);
    writeColor(file, Sections::FontColor, key, font.color);
    file.writeInteger(Sections::FontSize, key, font.size);
    file.writeString(Sections::FontStyle, key, fontStylesToString(font.styles));
}

void eraseIfEmpty(ProfileFile &file, const QString &section)
{
    if (file.sectionExists(section) && file.keyNames(section).isEmpty())
        file.eraseSection(section);
}

// A second window of a key that is gone would be inherited by a new key
// that gets the same id.
void dropStaleSecondWindows(ProfileFile &file, const MenuDesign &design)
{
    for (const QString &section : {Sections::NextWindow, Sections::NextWindowIni}) {
        for (const QString &name : file.keyNames(section)) {
            const std::optional<int> id = keyIdOf(name);
            if (id && !design.key(*id))
                file.deleteKey(section, name);
        }
    }
}

void writeKey(ProfileFile &file, const DesignKey &key)
{
    const QString name = QString::number(key.id);
    if (key.id < FirstFunctionId) {
        writeText(file, Sections::Names, name, key.caption);
        writeText(file, Sections::Data, name, key.dataFile);
    }
    file.writeBool(Sections::WordWrap, name, key.wordWrap);
    file.writeString(Sections::LayHow, name, glyphLayoutToString(key.layout));
    file.writeInteger(Sections::NumGlyphs, name, key.numGlyphs);
    file.writeBool(Sections::NoBorder, name, key.noBorder);
    file.writeBool(Sections::NewBorder, name, key.newBorder);
    writeText(file, Sections::FunctionsHint, name, key.hint);
    writeFont(file, name, key.font);
    writeBounds(file, name, key.bounds);
    writeText(file, Sections::Glyph, name, key.glyphFile);
    writeText(file, Sections::FunctionsCaption, name, key.caption);
}

void writeNextWindowSwitches(ProfileFile &file, const MenuDesign &design)
{
    for (const DesignKey &key : design.keys)
        MenuDesign::writeNextWindow(file, key);
}

void writeList(ProfileFile &file, const std::optional<DesignList> &list)
{
    const QString key = objectKey(ListId);
    if (!list) {
        file.writeBool(Sections::Objects, key, false);
        return;
    }
    writeWindowColor(file, QStringLiteral("LIST"), list->color);
    writeWindowColor(file, QStringLiteral("LISTSelected"), list->selectedColor);
    file.writeBool(Sections::Window, QStringLiteral("LISTTRANSP"), list->transparent);
    writeBounds(file, key, list->bounds);
    writeFont(file, key, list->font);
    file.writeBool(Sections::Objects, key, true);
}

void writeFields(ProfileFile &file, const MenuDesign &design)
{
    for (int id : {SerialId, SystemId, InfoId, RozmiarId}) {
        const QString key = objectKey(id);
        const std::optional<DesignField> &field = design.field(id);
        if (!field) {
            file.writeBool(Sections::Objects, key, false);
            continue;
        }
        writeWindowColor(file, key, field->color);
        writeBounds(file, key, field->bounds);
        writeFont(file, key, field->font);
        file.writeBool(Sections::Objects, key, true);
        writeText(file, Sections::FunctionsHint, key, field->hint);
    }
}

void writeTools(ProfileFile &file, const std::optional<DesignTools> &tools)
{
    const QString key = objectKey(ToolsId);
    if (!tools) {
        file.writeBool(Sections::Objects, key, false);
        return;
    }
    file.writeInteger(Sections::Window, QStringLiteral("TOOLS_ALIGN"), tools->align);
    file.writeInteger(Sections::Height, key, tools->bounds.height());
    file.writeInteger(Sections::Width, key, tools->bounds.width());
    file.writeInteger(Sections::Left, key, tools->bounds.left());
    file.writeInteger(Sections::Top, key, tools->bounds.top());
    writeWindowColor(file, QStringLiteral("TOOLS_COLOR"), tools->color);
    file.writeBool(Sections::Objects, key, true);
}

void writeBack(ProfileFile &file, const MenuDesign &design)
{
    file.writeBool(Sections::Window, QStringLiteral("BACK_ALIGN"), design.backgroundAligned);
    writeWindowColor(file, QStringLiteral("COLOR"), design.windowColor);
    file.writeInteger(Sections::Height, kBack, design.backgroundBounds.height());
    file.writeInteger(Sections::Width, kBack, design.backgroundBounds.width());
    file.writeInteger(Sections::Left, kBack, design.backgroundBounds.left());
    file.writeInteger(Sections::Top, kBack, design.backgroundBounds.top());
}

void writeDescription(ProfileFile &file, const std::optional<DesignDescription> &description)
{
    const QString key = objectKey(DescriptionId);
    if (!description) {
        file.writeBool(Sections::Objects, key, false);
        return;
    }
    writeWindowColor(file, QStringLiteral("DESC"), description->color);
    file.writeBool(Sections::Window, QStringLiteral("DESCTRANSP"), description->transparent);
    writeWindowColor(file, QStringLiteral("DESCRIPTION"), description->color);
    writeBounds(file, key, description->bounds);
    writeFont(file, key, description->font);
    file.writeBool(Sections::Objects, key, true);
}

void writeTitle(ProfileFile &file, const std::optional<DesignTitle> &title)
{
    const QString key = objectKey(TitleId);
    if (!title) {
        file.writeBool(Sections::Objects, key, false);
        return;
    }
    writeWindowColor(file, key, title->color);
    file.writeBool(Sections::WordWrap, key, title->wordWrap);
    writeBounds(file, key, title->bounds);
    file.writeBool(Sections::Objects, key, true);
    writeFont(file, key, title->font);
}

void writeSettings(ProfileFile &file, const MenuDesign &design)
{
    const auto &places = settingPlaces();
    for (int i = 0; i < TextSettingCount; ++i)
        writeText(file, places[i].section, places[i].key, design.settings[i]);
}

void writeNextWindowFiles(ProfileFile &file, const MenuDesign &design)
{
    for (const DesignKey &key : design.keys) {
        if (!key.nextWindowFile.isEmpty())
            writeText(file, Sections::NextWindowIni, QString::number(key.id), key.nextWindowFile);
    }
}

} // namespace

MenuDesign MenuDesign::read(const ProfileFile &file, Reader reader)
{
    const ProjectValues project(file, reader, QString());
    MenuDesign design;
    design.sourceText = file.text();
    design.windowSize = project.windowSize();
    design.windowColor = project.color(Sections::Window, QStringLiteral("COLOR"));
    design.backgroundAligned = project.boolean(Sections::Window, QStringLiteral("BACK_ALIGN"));
    const QRect client(QPoint(0, 0), design.windowSize);
    design.backgroundBounds = design.backgroundAligned ? client : project.bounds(kBack, client);
    readKeys(project, design);
    readObjects(project, design);
    const auto &places = settingPlaces();
    for (int i = 0; i < TextSettingCount; ++i)
        design.settings[i] = file.readString(places[i].section, places[i].key, places[i].fallback);
    design.infoCd = readInfoCd(file);
    return design;
}

void MenuDesign::write(ProfileFile &file) const
{
    if (file.sectionNames().isEmpty() && !sourceText.isEmpty())
        file.setText(sourceText);
    // Emptied, not erased, so each section keeps its place in the file and
    // every save after the first gives the same file.
    for (const QString &section : {Sections::Names, Sections::Data, Sections::Glyph})
        file.deleteKeys(section);
    dropStaleSecondWindows(file, *this);
    for (const DesignKey &key : keys)
        writeKey(file, key);
    for (const QString &section : {Sections::Names, Sections::Data, Sections::Glyph})
        eraseIfEmpty(file, section);
    for (int id = FirstFunctionId; id <= LastFunctionId; ++id)
        file.writeBool(Sections::Functions, QString::number(id), key(id) != nullptr);
    writeList(file, list);
    writeFields(file, *this);
    writeTools(file, tools);
    writeBack(file, *this);
    writeDescription(file, description);
    writeTitle(file, title);
    writeSettings(file, *this);
    writeNextWindowFiles(file, *this);
    writeNextWindowSwitches(file, *this);
    file.writeInteger(Sections::Window, QStringLiteral("WIDTH"), windowSize.width());
    file.writeInteger(Sections::Window, QStringLiteral("HEIGHT"), windowSize.height());
    if (infoCd
        && readInfoCd(file) != infoCd)
        writeInfoCd(file, *infoCd);
}

std::optional<InfoCd> MenuDesign::readInfoCd(const ProfileFile &file)
{
    if (!file.sectionExists(Sections::InfoCd))
        return std::nullopt;
    return infoCdOf(ProjectValues(file, Reader::Designer, QString()));
}

void MenuDesign::writeInfoCd(ProfileFile &file, const InfoCd &infoCd)
{
    const QString section = Sections::InfoCd;
    writeText(file, section, Sections::FontName, infoCd.font.name);
    writeColor(file, section, Sections::FontColor, infoCd.font.color);
    file.writeString(section, Sections::FontStyle, fontStylesToString(infoCd.font.styles));
    file.writeInteger(section, Sections::Left, infoCd.bounds.left());
    file.writeInteger(section, Sections::Top, infoCd.bounds.top());
    file.writeInteger(section, Sections::Width, infoCd.bounds.width());
    file.writeInteger(section, Sections::Height, infoCd.bounds.height());
    file.writeInteger(section, Sections::FontSize, infoCd.font.size);
    writeText(file, section, QStringLiteral("MASKA"), infoCd.mask);
    writeText(file, section, QStringLiteral("BMP"), infoCd.picture);
    writeText(file, section, QStringLiteral("PLIK"), infoCd.textFile);
}

// The switch of a second window is the user's, kept in the file; it changes
// only where the design says otherwise.
void MenuDesign::writeNextWindow(ProfileFile &file, const DesignKey &key)
{
    if (key.isFunctionKey())
        return;
    const QString name = QString::number(key.id);
    if (file.readString(Sections::NextWindow, name, {}) == key.nextWindow)
        return;
    if (key.nextWindow.isEmpty())
        file.deleteKey(Sections::NextWindow, name);
    else
        writeText(file, Sections::NextWindow, name, key.nextWindow);
}

bool DesignKey::opensSecondWindow() const
{
    return Platform::parseInt32(nextWindow).value_or(0) != 0;
}

DesignKey *MenuDesign::key(int id)
{
    for (DesignKey &key : keys) {
        if (key.id == id)
            return &key;
    }
    return nullptr;
}

const DesignKey *MenuDesign::key(int id) const
{
    return const_cast<MenuDesign *>(this)->key(id);
}

std::optional<DesignField> &MenuDesign::field(int id)
{
    switch (id) {
    case SerialId: return serial;
    case SystemId: return system;
    case InfoId: return info;
    default: return rozmiar;
    }
}

const std::optional<DesignField> &MenuDesign::field(int id) const
{
    return const_cast<MenuDesign *>(this)->field(id);
}

QString MenuDesign::setting(const QString &name) const
{
    const std::optional<int> index = textSettingIndex(name);
    return index ? settings[*index] : QString();
}

void MenuDesign::setSetting(const QString &name, const QString &value)
{
    if (const std::optional<int> index = textSettingIndex(name))
        settings[*index] = value;
}

QRect MenuDesign::alignedToolsBounds(int align, const QRect &own, const QSize &window)
{
    switch (align) {
    case 1: return QRect(0, 0, window.width(), own.height());
    case 2: return QRect(window.width() - own.width(), 0, own.width(), window.height());
    case 3: return QRect(0, window.height() - own.height(), window.width(), own.height());
    case 4: return QRect(0, 0, own.width(), window.height());
    default: return own;
    }
}

} // namespace ProjectFormat
