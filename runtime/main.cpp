#include "archive/archivewindow.h"
#include "menuwindow/menuwindow.h"
#include "startup/runtimecontext.h"

#include <launcher.h>

#include <programsetup.h>

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Platform::setUpProgram();
    const auto context = RuntimeContext::forThisProgram();

    // Any parameter means an autostart from the CD.
    switch (context->startMode(argc - 1)) {
    case StartMode::Quit:
        return 0;
    case StartMode::OpenExplorerAndQuit:
        Platform::Launcher::instance().openFolder(context->DriveRoot);
        return 0;
    case StartMode::ShowMenu:
        break;
    }

    TfrmZip::install(*context);
    TForm1 menu(*context);
    menu.show();
    return app.exec();
}
