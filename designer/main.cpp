#include "mainwindow/generatorwindow.h"

#include <programsetup.h>

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Platform::setUpProgram();
    // The designer ends with its main window, whatever tool windows stay.
    QApplication::setQuitOnLastWindowClosed(false);

    GeneratorSetup setup;
    setup.programPath = QCoreApplication::applicationFilePath();
    setup.arguments = QCoreApplication::arguments().mid(1);
    setup.configPath = generatorConfigPath();
    // Program folders are not writable: templates and temporary files go
    // to the user's data folder.
    setup.dataDir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                    + QStringLiteral("/ZeltrinSoftware/");
    setup.registerFileClasses = true;

    TfrmGenerator main(setup);
    main.OnClosed = [] { QCoreApplication::quit(); };
    main.show();
    return app.exec();
}
