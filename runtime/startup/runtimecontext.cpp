#include "runtimecontext.h"

#include <paths.h>

#include <QCoreApplication>
#include <QFileInfo>

RuntimeContext::RuntimeContext(const QString &programPath, const QString &userOptionsDir)
    : DriveRoot(Platform::driveRootOf(programPath))
{
    ProgramDir = QFileInfo(programPath).absolutePath() + u'/';
    const QString menuName = Platform::findEntryCaseInsensitive(ProgramDir, MenuFileName);
    MenuIni = std::make_unique<TIniPlus>(ProgramDir + (menuName.isEmpty() ? MenuFileName : menuName));

    QString optionsDir = userOptionsDir;
    if (!optionsDir.endsWith(u'/'))
        optionsDir += u'/';
    const QString optionsName = Platform::findEntryCaseInsensitive(optionsDir, UserOptionsFileName);
    UserOptionsIni = std::make_unique<Platform::ProfileFile>(
        optionsDir + (optionsName.isEmpty() ? UserOptionsFileName : optionsName));
    readOptions();
}

std::unique_ptr<RuntimeContext> RuntimeContext::forThisProgram()
{
    auto context = std::make_unique<RuntimeContext>(QCoreApplication::applicationFilePath(),
                                                    Platform::userSettingsDir());
    // Started by the designer for a test run: the project's paths are
    // relative to the designer's root, not to the folder this program lies in.
    const QString designerRoot = Platform::driveRootFromEnvironment();
    if (!designerRoot.isEmpty())
        context->DriveRoot = designerRoot;
    return context;
}

QString RuntimeContext::cdId() const
{
    return MenuIni->readString(ProjectFormat::Sections::Zeltrin, QStringLiteral("CDROM_ID"), DefaultCdId);
}

ProjectFormat::ProjectValues RuntimeContext::menuValues() const
{
    return ProjectFormat::ProjectValues(*MenuIni, ProjectFormat::Reader::Runtime, DriveRoot);
}

void RuntimeContext::readOptions()
{
    const QString cd = cdId();
    auto read = [&](const char *key, bool fallback) {
        return UserOptionsIni->readBool(cd, QLatin1String(key), fallback);
    };
    Options.NOSOUND = read("NOSOUND", false);
    Options.NoClicks = read("NoClicks", false);
    Options.NoMusic = read("NoMusic", false);
    Options.OpenZIP = read("OpenZIP", false);
    Options.OpenRAR = read("OpenRAR", false);
    Options.MINONRUN = read("MINONRUN", true);
}

StartMode RuntimeContext::startMode(int parameterCount) const
{
    if (parameterCount <= 0)
        return StartMode::ShowMenu;
    const QString cd = cdId();
    if (UserOptionsIni->readBool(cd, QStringLiteral("RUNMenu"), true))
        return StartMode::ShowMenu;
    return UserOptionsIni->readBool(cd, QStringLiteral("Explorer"), false) ? StartMode::OpenExplorerAndQuit
                                                                           : StartMode::Quit;
}

QString RuntimeContext::fileBesideProgram(const QString &name) const
{
    const QString found = Platform::findEntryCaseInsensitive(ProgramDir, name);
    return found.isEmpty() ? QString() : ProgramDir + found;
}
