#include "config/generatorconfig.h"
#include "project/designercontext.h"
#include "project/designerproject.h"
#include "selection/stretchselection.h"
#include "standins/palettestandin.h"

#include <paths.h>
#include <profilefile.h>

#include <QApplication>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>

namespace {

// What the designer takes from its settings file for now: the MP3 library
// and how clicks select. The main window reads the rest.
void readSettings(DesignerContext &context, TStretchSelection &klamra)
{
    const Platform::ProfileFile cfg(generatorConfigPath());
    const GeneratorConfig config = readGeneratorConfig(cfg, defaultGeneratorConfig());
    context.MpegDllPath = config.file(GeneratorFile::MpegDll);
    context.ClickSelects = config.clickSelects;
    klamra.Klamra()->setColor(config.handleColor);
    klamra.Klamra()->setSecondaryColor(config.handleColorII);
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
    readSettings(context, klamra);

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
