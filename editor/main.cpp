#include "mainwindow/datmain.h"
#include "mainwindow/editormessages.h"

#include <programsetup.h>

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Platform::setUpProgram();
    T_Form1 form(ZazavaConfig::path());
    form.show();
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1) {
        const QString fileName = QFileInfo(arguments.at(1)).absoluteFilePath();
        QTimer::singleShot(0, &form, [&form, fileName] { form.LoadINI(fileName); });
    }
    return app.exec();
}
