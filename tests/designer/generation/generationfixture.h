#pragma once

#include "designerfixture.h"

#include <generation/generationengine.h>

#include <QCryptographicHash>
#include <QDirIterator>
#include <QMap>

#include <testsupport.h>

// A drive with a project in a working layout, the programs that
// Dodorurav.cfg names, and an empty CD folder "cd/" with its own AUTORUN.INF.
class GenerationFixture : public DesignerFixture
{
protected:
    void SetUp() override
    {
        DesignerFixture::SetUp();
        writeText(QStringLiteral("work/proj.KLV"), QStringLiteral(
            "[WINDOW]\nBACKGROUND=work\\pics\\back.BMP\n"
            "[NAMES]\n1001=Gry\n1002=Programy\n"
            "[DATA]\n1001=work\\dane\\gry.RV3\n1002=work\\dane\\prog.RV3\n"
            "[GLYPH]\n1001=work\\pics\\glyph.BMP\n"
            "[SOUND]\nBACKGROUND=work\\music\\tlo.MP3\n"
            "[CDROM]\nCD_DESCRIPTION=work\\opis.txt\n"
            "[NEXT_WINDOW_INI]\n1=work\\okno.SBL\n"));
        writeText(QStringLiteral("work/okno.SBL"), QStringLiteral(
            "[WINDOW]\nBACKGROUND=work\\pics\\back.BMP\n"
            "[DATA]\n2001=work\\dane\\okno1.RV3\n2002=work\\dane\\okno2.RV3\n"));
        for (const char *name : {"work/dane/gry.RV3", "work/dane/prog.RV3", "work/dane/okno1.RV3",
                                 "work/dane/okno2.RV3", "work/music/tlo.MP3", "work/opis.txt"})
            writeText(QString::fromLatin1(name), QString::fromLatin1(name));
        writePicture(QStringLiteral("work/pics/back.BMP"), 4, 4, Qt::red);
        writePicture(QStringLiteral("work/pics/glyph.BMP"), 4, 4, Qt::blue);
        writeText(QStringLiteral("bin/orvanta"), QStringLiteral("runtime"));
        QFile::setPermissions(drivePath(QStringLiteral("bin/orvanta")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
        writeText(QStringLiteral("bin/mpegdll.dll"), QStringLiteral("mp3"));
        writeText(QStringLiteral("bin/peldix"), QStringLiteral("autostart"));
        writeText(QStringLiteral("cd/AUTORUN.INF"), QStringLiteral("[autorun]\nlabel=DEMO\n"));
        settings.file(GeneratorFile::Menu) = drivePath(QStringLiteral("bin/orvanta"));
        settings.file(GeneratorFile::MpegDll) = drivePath(QStringLiteral("bin/mpegdll.dll"));
        settings.file(GeneratorFile::Autostart) = drivePath(QStringLiteral("bin/peldix"));
        settings.file(GeneratorFile::MenuFolder) = drivePath(QStringLiteral("cd/MENU"));
        folders = {drivePath(QStringLiteral("cd/MENU/")), drivePath(QStringLiteral("cd/MENU/Multimedia/")),
                   drivePath(QStringLiteral("cd/MENU/Dane/"))};
        openProject();
    }

    void openProject(const QString &name = QStringLiteral("work/proj.KLV"))
    {
        context.ProjectIni = std::make_unique<Platform::ProfileFile>(drivePath(name));
    }

    Generation::Plan plan() const
    {
        const auto sources = Generation::listSources(*context.ProjectIni, context.ProjectIni->fileName(),
                                                     context.DriveRoot, settings);
        return Generation::makePlan(sources, folders, context.DriveRoot, context.ProjectIni->fileName());
    }

    Generation::Report generate(Generation::AutorunChoice autorun = {})
    {
        return Generation::execute(plan(), *context.ProjectIni, settings, autorun);
    }

    // Every file below a folder of the drive (relative names) with its checksum.
    QMap<QString, QByteArray> checksums(const QString &folder) const
    {
        QMap<QString, QByteArray> sums;
        const QString root = drivePath(folder);
        QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            sums.insert(QDir(root).relativeFilePath(path),
                        QCryptographicHash::hash(TestSupport::readFile(path), QCryptographicHash::Sha256));
        }
        return sums;
    }

    QStringList files(const QString &folder) const { return checksums(folder).keys(); }

    GeneratorConfig settings;
    Generation::Folders folders;
};
