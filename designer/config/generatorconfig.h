#pragma once

// The designer's settings file "Dodorurav.cfg": where the companion
// programs and libraries lie ([PLIKI]), the editing preferences ([OPCJE])
// and where the tool windows stood. Every reader goes through this one
// value type and its one table of defaults, so a missing key means the
// same everywhere.

#include <colors.h>
#include <profilefile.h>

#include <QString>

#include <array>
#include <memory>
#include <optional>

// The [PLIKI] keys, in the order the file and the dialog list them.
enum class GeneratorFile {
    Menu,        // MENU: the runtime, copied to the CD and started by the test run
    ZazavaRv3,   // ZAZAVA_RV3: the data editor
    MenuFolder,  // KATALOG_MENU: the folder generation proposes
    MpegDll,     // MPEGDLL: the MP3 decoder plug-in
    Copier,      // KOPIARKA: the copy program
    Autostart,   // AUTOSTART: the autostart program
    BitmapEditor, // ZAZAVA_BMP: the bitmap editor
    Unzip,       // UNZIP: the unzip library copied to the CD
    Unrar,       // UNRAR: the RAR library copied to the CD
    ZipSfx,      // ZIPSFX: the self-extractor stub copied to the CD
};
inline constexpr int GeneratorFileCount = 10;

namespace GeneratorConfigNames {
inline const QString FileName = QStringLiteral("Dodorurav.cfg");
inline const QString Files = QStringLiteral("PLIKI");
inline const QString Options = QStringLiteral("OPCJE");
// The key of a [PLIKI] entry.
QString fileKey(GeneratorFile file);
} // namespace GeneratorConfigNames

// The undo depth kept: at least 2 (the first snapshot always stays), at most 200.
inline constexpr int MinUndoLimit = 2;
inline constexpr int MaxUndoLimit = 200;

struct GeneratorConfig {
    // Full paths.
    std::array<QString, GeneratorFileCount> files;
    bool clickSelects = true;                          // OPCJE Klamra
    Platform::TColor handleColor = Platform::clBlack;  // OPCJE Klamra_Kolor
    Platform::TColor handleColorII = Platform::clBlack; // OPCJE Klamra_KolorII
    std::optional<bool> toolbarShown;                  // OPCJE PASEK; none: as designed
    bool minimizeOnTest = true;                        // OPCJE MINONTEST
    int maxUndo = 10;                                  // OPCJE MAXUNDO

    QString &file(GeneratorFile key) { return files[size_t(key)]; }
    const QString &file(GeneratorFile key) const { return files[size_t(key)]; }
};

// The one table of defaults. programDir is the designer's folder (with a
// trailing "/"): the runtime "orvanta", the data editor "zazava" and the
// other companions lie beside it. KATALOG_MENU is empty: generation proposes
// the folder MENU of the project's CD folder.
GeneratorConfig defaultGeneratorConfig(const QString &programDir);
// The defaults for the running designer.
GeneratorConfig defaultGeneratorConfig();

// Every value of the file, the defaults for missing keys; numbers out of
// range are brought into it and unreadable values give the default.
GeneratorConfig readGeneratorConfig(const Platform::ProfileFile &cfg, const GeneratorConfig &defaults);

// The ten [PLIKI] keys as they stand, in table order.
void writeGeneratorFiles(Platform::ProfileFile &cfg, const GeneratorConfig &config);
// What the configuration dialog writes to [OPCJE]: MINONTEST and MAXUNDO.
void writeDialogOptions(Platform::ProfileFile &cfg, const GeneratorConfig &config);
// What the designer writes to [OPCJE] when it closes: Klamra, the two handle
// colours and PASEK (when known).
void writeCloseOptions(Platform::ProfileFile &cfg, const GeneratorConfig &config);

// Where a tool window stood ([OBIEKTY], [ASYSTENT], [UNDO]); a missing key
// is left to the window.
struct WindowPlacement {
    std::optional<int> width, height, top, left;
};
WindowPlacement readWindowPlacement(const Platform::ProfileFile &cfg, const QString &section);
void writeWindowPlacement(Platform::ProfileFile &cfg, const QString &section, int width, int height, int top,
                          int left);

// "Dodorurav.cfg" in the user's settings folder ($XDG_CONFIG_HOME/ZeltrinSoftware/).
QString generatorConfigPath();
// Opens the settings file at path; a missing file is first written whole
// from defaults. error (when given) tells why it could not be written.
std::unique_ptr<Platform::ProfileFile> openGeneratorConfig(const QString &path, const GeneratorConfig &defaults,
                                                          QString *error = nullptr);
