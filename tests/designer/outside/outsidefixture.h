#pragma once

#include "designerfixture.h"

#include <outside/outsideprograms.h>

#include <QFile>
#include <QFileInfo>
#include <QWidget>

#include <testsupport.h>

// A drive with a project, the designer's main window and the settings file
// in the drive's folder; the outside programs are stand-in scripts.
class OutsideFixture : public DesignerFixture
{
protected:
    void SetUp() override
    {
        DesignerFixture::SetUp();
        window.resize(300, 200);
        window.show();
        programs.setMainWindow(&window);
        programs.setConfigPath(drivePath(QStringLiteral("Dodorurav.cfg")));
    }

    void configure(const QString &text) { writeText(QStringLiteral("Dodorurav.cfg"), text); }

    // A shell script at path that appends to log (beside it) its argument
    // count, each argument, its working folder and the drive root it was
    // given, keeps a copy of watchedFile as it was at its start, and runs
    // for a while so the designer can be seen waiting.
    static QString standIn(const QString &path, const QString &watchedFile = {}, const QByteArray &extra = {})
    {
        QByteArray script = "#!/bin/sh\n"
                            "here=$(dirname \"$0\")\n"
                            "{ echo \"args=$#\"; for a in \"$@\"; do echo \"arg=$a\"; done;"
                            " echo \"pwd=$(pwd)\"; echo \"root=$KALVORA_DRIVE_ROOT\"; } >> \"$here/log\"\n";
        if (!watchedFile.isEmpty())
            script += "cp \"" + QFile::encodeName(watchedFile) + "\" \"$here/seen\" 2>/dev/null\n";
        script += extra;
        TestSupport::writeFile(path, script);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }

    static QString logBeside(const QString &program)
    {
        return QString::fromUtf8(TestSupport::readFile(QFileInfo(program).absolutePath() + QStringLiteral("/log")));
    }

    QWidget window;
    OutsidePrograms programs{context, project};
};
