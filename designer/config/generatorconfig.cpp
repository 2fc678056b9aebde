#include "generatorconfig.h"

#include <paths.h>
#include <screenlimits.h>

#include <QDir>
#include <QFileInfo>

namespace {

const char *const FileKeys[GeneratorFileCount] = {
    "MENU", "ZAZAVA_RV3", "KATALOG_MENU", "MPEGDLL", "KOPIARKA",
    "AUTOSTART", "ZAZAVA_BMP", "UNZIP", "UNRAR", "ZIPSFX",
};

QString key(const char *name)
{
    return QString::fromLatin1(name);
}

void writeColor(Platform::ProfileFile &cfg, const char *name, Platform::TColor color)
{
    cfg.writeString(GeneratorConfigNames::Options, key(name), Platform::colorToString(color));
}

Platform::TColor readColor(const Platform::ProfileFile &cfg, const char *name, Platform::TColor fallback)
{
    return Platform::stringToColor(cfg.readString(GeneratorConfigNames::Options, key(name), {}), fallback);
}

std::optional<int> readOptionalInteger(const Platform::ProfileFile &cfg, const QString &section, const char *name)
{
    // Two different defaults tell a missing or unreadable value from any number.
    const int a = cfg.readInteger(section, key(name), 0);
    const int b = cfg.readInteger(section, key(name), 1);
    if (a != b)
        return std::nullopt;
    return a;
}

} // namespace

QString GeneratorConfigNames::fileKey(GeneratorFile file)
{
    return key(FileKeys[int(file)]);
}

GeneratorConfig defaultGeneratorConfig(const QString &programDir)
{
    QString dir = programDir;
    if (!dir.endsWith(u'/'))
        dir += u'/';
    GeneratorConfig config;
    config.file(GeneratorFile::Menu) = dir + QStringLiteral("orvanta");
    config.file(GeneratorFile::ZazavaRv3) = dir + QStringLiteral("zazava");
    // No menu folder of its own: generation proposes the one in the CD folder.
    // The libraries keep the names the runtime looks for beside itself.
    config.file(GeneratorFile::MpegDll) = dir + QStringLiteral("mpegdll.dll");
    config.file(GeneratorFile::Copier) = dir + QStringLiteral("kopia");
    config.file(GeneratorFile::Autostart) = dir + QStringLiteral("peldix");
    config.file(GeneratorFile::BitmapEditor) = dir + QStringLiteral("pixanto");
    config.file(GeneratorFile::Unzip) = dir + QStringLiteral("unzdll.dll");
    config.file(GeneratorFile::Unrar) = dir + QStringLiteral("unrar.dll");
    config.file(GeneratorFile::ZipSfx) = dir + QStringLiteral("zipsfx.bin");
    return config;
}

GeneratorConfig defaultGeneratorConfig()
{
    return defaultGeneratorConfig(Platform::programDir());
}

GeneratorConfig readGeneratorConfig(const Platform::ProfileFile &cfg, const GeneratorConfig &defaults)
{
    using namespace GeneratorConfigNames;
    GeneratorConfig config = defaults;
    for (int i = 0; i < GeneratorFileCount; ++i)
        config.files[size_t(i)] = cfg.readString(Files, key(FileKeys[i]), defaults.files[size_t(i)]);
    config.clickSelects = cfg.readBool(Options, key("Klamra"), defaults.clickSelects);
    config.handleColor = readColor(cfg, "Klamra_Kolor", defaults.handleColor);
    config.handleColorII = readColor(cfg, "Klamra_KolorII", defaults.handleColorII);
    if (cfg.valueExists(Options, key("PASEK")))
        config.toolbarShown = cfg.readBool(Options, key("PASEK"), defaults.toolbarShown.value_or(true));
    config.minimizeOnTest = cfg.readBool(Options, key("MINONTEST"), defaults.minimizeOnTest);
    config.maxUndo = std::clamp(cfg.readInteger(Options, key("MAXUNDO"), defaults.maxUndo), MinUndoLimit,
                                MaxUndoLimit);
    return config;
}

void writeGeneratorFiles(Platform::ProfileFile &cfg, const GeneratorConfig &config)
{
    for (int i = 0; i < GeneratorFileCount; ++i)
        cfg.writeString(GeneratorConfigNames::Files, key(FileKeys[i]), config.files[size_t(i)]);
}

void writeDialogOptions(Platform::ProfileFile &cfg, const GeneratorConfig &config)
{
    using namespace GeneratorConfigNames;
    cfg.writeBool(Options, key("MINONTEST"), config.minimizeOnTest);
    cfg.writeInteger(Options, key("MAXUNDO"), std::clamp(config.maxUndo, MinUndoLimit, MaxUndoLimit));
}

void writeCloseOptions(Platform::ProfileFile &cfg, const GeneratorConfig &config)
{
    using namespace GeneratorConfigNames;
    cfg.writeBool(Options, key("Klamra"), config.clickSelects);
    writeColor(cfg, "Klamra_Kolor", config.handleColor);
    writeColor(cfg, "Klamra_KolorII", config.handleColorII);
    if (config.toolbarShown)
        cfg.writeBool(Options, key("PASEK"), *config.toolbarShown);
}

WindowPlacement readWindowPlacement(const Platform::ProfileFile &cfg, const QString &section)
{
    using namespace Platform::ScreenLimits;
    auto read = [&](const char *name, int (*clamp)(int)) -> std::optional<int> {
        if (const std::optional<int> value = readOptionalInteger(cfg, section, name))
            return clamp(*value);
        return std::nullopt;
    };
    return {read("W", clampExtent), read("H", clampExtent), read("T", clampCoordinate),
            read("L", clampCoordinate)};
}

void writeWindowPlacement(Platform::ProfileFile &cfg, const QString &section, int width, int height, int top,
                          int left)
{
    cfg.writeInteger(section, key("W"), width);
    cfg.writeInteger(section, key("H"), height);
    cfg.writeInteger(section, key("T"), top);
    cfg.writeInteger(section, key("L"), left);
}

QString generatorConfigPath()
{
    const QString dir = Platform::userSettingsDir();
    const QString found = Platform::findEntryCaseInsensitive(dir, GeneratorConfigNames::FileName);
    return dir + (found.isEmpty() ? GeneratorConfigNames::FileName : found);
}

std::unique_ptr<Platform::ProfileFile> openGeneratorConfig(const QString &path, const GeneratorConfig &defaults,
                                                          QString *error)
{
    const bool missing = !QFileInfo::exists(path);
    auto cfg = std::make_unique<Platform::ProfileFile>(path);
    if (missing) {
        writeGeneratorFiles(*cfg, defaults);
        writeDialogOptions(*cfg, defaults);
        writeCloseOptions(*cfg, defaults);
        if (!cfg->flush() && error)
            *error = cfg->errorString();
    }
    return cfg;
}
