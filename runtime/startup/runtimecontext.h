#pragma once

#include <colors.h>
#include <profilefile.h>
#include <projectfile/projectformat.h>

#include <QString>

#include <memory>

// The project copy the runtime reads; a profile file that keeps its name.
class TIniPlus : public Platform::ProfileFile
{
public:
    using ProfileFile::ProfileFile;
};

// The per-CD choices of the user, read once at start.
struct UserOptions {
    bool NOSOUND = false;
    bool NoClicks = false;
    bool NoMusic = false;
    bool OpenZIP = false;
    bool OpenRAR = false;
    bool MINONRUN = true;
};

// What start-up does, decided before any window exists.
enum class StartMode { ShowMenu, OpenExplorerAndQuit, Quit };

// The runtime's process-wide state: its drive root, the project copy beside
// it and the per-CD options file in the user's settings folder.
class RuntimeContext
{
public:
    static inline const QString MenuFileName = QStringLiteral("ORVANTA.INI");
    static inline const QString UserOptionsFileName = QStringLiteral("KALVOR.RUN");
    static inline const QString DefaultCdId = QStringLiteral("ZELTRIN CDROM");

    // programPath: the running program; userOptionsDir: where "KALVOR.RUN" lives.
    RuntimeContext(const QString &programPath, const QString &userOptionsDir);
    // The context of the running program; started by the designer, it
    // takes the designer's drive root (Platform::DriveRootVariable).
    static std::unique_ptr<RuntimeContext> forThisProgram();

    QString DriveRoot;
    // The runtime's own folder, with a trailing "/": the libraries it
    // loads lie there.
    QString ProgramDir;
    // A file of the runtime's folder, found without regard to letter case;
    // empty when there is none.
    QString fileBesideProgram(const QString &name) const;
    std::unique_ptr<TIniPlus> MenuIni;
    std::unique_ptr<Platform::ProfileFile> UserOptionsIni;
    UserOptions Options;

    // The menu's title ([CDROM] CD_TITLE): caption of its message boxes.
    QString ApplicationTitle = QStringLiteral("ZELTRIN KALVORA 4.0");

    // [ZELTRIN] CDROM_ID of the project: the section of this CD's options.
    QString cdId() const;
    // Reads of the project with the runtime's defaults.
    ProjectFormat::ProjectValues menuValues() const;

    // With a parameter (autostart) RUNMenu decides; without one the menu shows.
    StartMode startMode(int parameterCount) const;

private:
    void readOptions();
};
