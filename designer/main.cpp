#include "project/designercontext.h"
#include "project/designerproject.h"
#include "selection/stretchselection.h"
#include "standins/palettestandin.h"

#include <paths.h>
#include <profilefile.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>

namespace {

// The designer's settings file: the user's own copy when there is one,
// else the one beside the program.
QString settingsFile(const DesignerContext &context)
{
    const QString name = QStringLiteral("Dodorurav.cfg");
    for (const QString &dir : {context.DataDir, context.GeneratorDir}) {
        const QString found = Platform::findEntryCaseInsensitive(dir, name);
        if (!found.isEmpty())
            return dir + found;
    }
    return {};
}

void readSettings(DesignerContext &context)
{
    const QString file = settingsFile(context);
    if (file.isEmpty())
        return;
    const Platform::ProfileFile cfg(file);
    context.MpegDllPath = cfg.readString(QStringLiteral("PLIKI"), QStringLiteral("MPEGDLL"), {});
    context.ClickSelects = cfg.readBool(QStringLiteral("OPCJE"), QStringLiteral("Klamra"), true);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    // The main window's stand-in owns the selection frame while nothing is
    // selected.
    TPaletteStandIn palette;
    DesignerContext context;
    TStretchSelection klamra(context, &palette);
    context.setSelection(&klamra);
    context.GeneratorDir = Platform::programDir();
    context.DriveRoot = Platform::driveRootOf(QCoreApplication::applicationFilePath());
    // Program folders are not writable: templates and temporary files go
    // to the user's data folder.
    context.DataDir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                      + QStringLiteral("/ZeltrinSoftware/");
    readSettings(context);

    palette.OnClose = [] { QCoreApplication::exit(0); };
    context.setPalette(&palette);
    palette.move(0, 0);
    palette.show();

    DesignerProject project(context);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1) {
        const QString fileName = QFileInfo(arguments.at(1)).absoluteFilePath();
        // Opened once the event loop runs, as on the main window's first
        // activation.
        QTimer::singleShot(0, [&project, &palette, &context, fileName] {
            project.LoadINI(fileName);
            palette.setWindowTitle(context.MainCaption);
        });
    }
    return app.exec();
}
