#include "fileclasses.h"

#include "launcher.h"
#include "safefile.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <optional>

namespace Platform {
namespace {

// Desktop tools answer at once; a hung one must not hold up a start.
constexpr int kToolMs = 10000;
// How long an opener may take to report success or failure.
constexpr int kHandOverMs = 3000;

const QString kProjectType = QStringLiteral("application/x-kalvora-project");
const QString kTemplateType = QStringLiteral("application/x-kalvora-template");
const QString kDataType = QStringLiteral("application/x-kalvora-data");

const QList<FileClass> &kalvoraClasses()
{
    static const QList<FileClass> classes{
        {kProjectType, QStringLiteral("Plik Konfiguracji KALVORA 4.0"), QStringLiteral("KLV")},
        {kTemplateType, QStringLiteral("Szablon dla KALVORA 4.0"), QStringLiteral("SBL")},
        {kDataType, QStringLiteral("Dane dla KALVORA 4.0"), QStringLiteral("RV3")},
    };
    return classes;
}

struct ToolRun {
    bool started = false;
    int exitCode = -1;
    QByteArray output;
};

// Runs a desktop tool found on PATH; nothing when it is not installed.
std::optional<ToolRun> runTool(const QString &tool, const QStringList &arguments)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        return std::nullopt;
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(program, arguments);
    ToolRun run;
    run.started = process.waitForStarted();
    if (!run.started)
        return run;
    if (!process.waitForFinished(kToolMs)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.output = process.readAllStandardOutput();
    if (process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    return run;
}

// Hands a file to an opener found on PATH and reads its status. An opener
// that stays while its application is open counts as started after a
// while and is left to run on. Nothing when the opener is not installed.
std::optional<bool> handOver(const QString &tool, const QStringList &arguments)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        return std::nullopt;
    auto *opener = new QProcess;
    QObject::connect(opener, &QProcess::finished, opener, &QObject::deleteLater);
    opener->start(program, arguments);
    if (!opener->waitForStarted()) {
        delete opener;
        return false;
    }
    if (!opener->waitForFinished(kHandOverMs))
        return true;
    return opener->exitStatus() == QProcess::NormalExit && opener->exitCode() == 0;
}

// Writes bytes unless the file already holds exactly them; false on failure.
bool writeWhenChanged(const QString &path, const QByteArray &bytes, bool &changed)
{
    changed = false;
    const ReadResult current = readRegularFile(path, SizeLimits::Text);
    if (current.ok() && current.bytes == bytes)
        return true;
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !writeWholeFile(path, bytes).ok())
        return false;
    changed = true;
    return true;
}

// A value of type string in a desktop entry: backslash and control
// characters escaped.
QString desktopString(const QString &text)
{
    QString result;
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\\': result += QStringLiteral("\\\\"); break;
        case '\n': result += QStringLiteral("\\n"); break;
        case '\t': result += QStringLiteral("\\t"); break;
        case '\r': result += QStringLiteral("\\r"); break;
        default: result += c;
        }
    }
    return result;
}

QString dataHome()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

void note(RegistrationReport &report, const QString &tool, const QStringList &arguments)
{
    if (runTool(tool, arguments))
        report.ran.append((QStringList{tool} + arguments).join(u' '));
}

// The entry of a desktop id: applications/<id>, or with the id's dashes
// read as sub-folders ("kde-kate.desktop" in applications/kde/).
QString findDesktopEntry(const QString &desktopId)
{
    QString relative = desktopId;
    for (;;) {
        const QString found = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, relative);
        if (!found.isEmpty())
            return found;
        const qsizetype dash = relative.indexOf(u'-');
        if (dash < 0)
            return {};
        relative[dash] = u'/';
    }
}

} // namespace

QString desktopExecArgument(const QString &argument)
{
    // Inside double quotes these four need a backslash; a percent sign is
    // doubled so it is not read as a field code.
    QString quoted = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        if (c == u'%')
            quoted += u'%';
        quoted += c;
    }
    quoted += u'"';
    // The string escapes are undone before the quoting is read.
    return desktopString(quoted);
}

QByteArray mimePackageText(const FileClassRegistration &registration)
{
    QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                  "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n");
    for (const FileClass &fileClass : registration.classes) {
        // Globs of shared-mime-info match without regard to case.
        text += QStringLiteral("  <mime-type type=\"%1\">\n"
                               "    <comment>%2</comment>\n"
                               "    <glob pattern=\"*.%3\"/>\n"
                               "  </mime-type>\n")
                    .arg(fileClass.mimeType.toHtmlEscaped(), fileClass.comment.toHtmlEscaped(),
                         fileClass.extension.toLower().toHtmlEscaped());
    }
    text += QStringLiteral("</mime-info>\n");
    return text.toUtf8();
}

QByteArray desktopEntryText(const DesktopApplication &application)
{
    QString text = QStringLiteral("[Desktop Entry]\n"
                                  "Type=Application\n"
                                  "Name=%1\n"
                                  "Exec=%2 %f\n"
                                  "MimeType=%3;\n"
                                  "NoDisplay=true\n"
                                  "Terminal=false\n")
                       .arg(desktopString(application.name), desktopExecArgument(application.program),
                            application.mimeTypes.join(u';'));
    return text.toUtf8();
}

RegistrationReport registerFileClasses(const FileClassRegistration &registration)
{
    RegistrationReport report;
    const QString mimeDir = dataHome() + QStringLiteral("/mime");
    const QString package = mimeDir + QStringLiteral("/packages/") + registration.packageName + QStringLiteral(".xml");
    bool changed = false;
    if (!writeWhenChanged(package, mimePackageText(registration), changed)) {
        report.error = QStringLiteral("%1 could not be written").arg(package);
        return report;
    }
    if (changed) {
        report.written.append(package);
        note(report, QStringLiteral("update-mime-database"), {mimeDir});
    }
    for (const DesktopApplication &application : registration.applications) {
        const QString entry = dataHome() + QStringLiteral("/applications/") + application.desktopId;
        if (!writeWhenChanged(entry, desktopEntryText(application), changed)) {
            report.error = QStringLiteral("%1 could not be written").arg(entry);
            return report;
        }
        if (!changed)
            continue;
        report.written.append(entry);
        note(report, QStringLiteral("xdg-mime"), QStringList{QStringLiteral("default"), application.desktopId} + application.mimeTypes);
    }
    return report;
}

FileClassRegistration kalvoraFileClasses(const QString &designerProgram, const QString &dataEditorProgram)
{
    return {QStringLiteral("zeltrin-kalvora"),
            kalvoraClasses(),
            {{QStringLiteral("zeltrin-dodorurav.desktop"), QStringLiteral("Dodorurav"), designerProgram, {kProjectType, kTemplateType}},
             {QStringLiteral("zeltrin-zazava.desktop"), QStringLiteral("Zazava"), dataEditorProgram, {kDataType}}}};
}

bool isKalvoraDocument(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix();
    for (const FileClass &fileClass : kalvoraClasses()) {
        if (suffix.compare(fileClass.extension, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

LaunchResult DesktopLauncher::openAsText(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return {false, QStringLiteral("%1 does not exist").arg(path)};
    const std::optional<ToolRun> query =
        runTool(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/plain")});
    const QString desktopId = query && query->exitCode == 0 ? QString::fromUtf8(query->output).trimmed() : QString();
    const QString entry = desktopId.isEmpty() ? QString() : findDesktopEntry(desktopId);
    if (!entry.isEmpty()) {
        if (const std::optional<bool> launched = handOver(QStringLiteral("gio"), {QStringLiteral("launch"), entry, path}))
            return *launched ? LaunchResult{true, {}}
                             : LaunchResult{false, QStringLiteral("%1 could not open %2").arg(desktopId, path)};
    }
    // Without a text editor the desktop picks by the file's type, and for
    // our own documents that is our own program again.
    if (isKalvoraDocument(path))
        return {false, QStringLiteral("no text editor is set up to open %1").arg(path)};
    if (handOver(QStringLiteral("xdg-open"), {path}).value_or(false))
        return {true, {}};
    return {false, QStringLiteral("no application opens %1").arg(path)};
}

} // namespace Platform
