#pragma once

#include "designerfixture.h"

#include <QDir>
#include <QFile>

#include <testsupport.h>

// A drive with the files the data files of the tests name: a program
// folder with its setup, a description, a screenshot, a FIFO, and links
// that stay on the drive or lead off it.
class CheckerFixture : public DesignerFixture
{
protected:
    void SetUp() override
    {
        DesignerFixture::SetUp();
        writeText(QStringLiteral("PROGS/Gra/Setup.exe"), QStringLiteral("MZ"));
        writeText(QStringLiteral("PROGS/Gra/ekran.bmp"), QStringLiteral("BM"));
        writeText(QStringLiteral("OPISY/Gry.txt"), QStringLiteral("Gry"));
        writeText(QStringLiteral("OPISY/gra.txt"), QStringLiteral("Gra"));
        TestSupport::writeFile(outside(QStringLiteral("secret.txt")), "secret");
        QFile::link(outside(), drivePath(QStringLiteral("OUT")));
        QFile::link(drivePath(QStringLiteral("PROGS/Gra")), drivePath(QStringLiteral("INSIDE")));
        TestSupport::makeSpecialFiles(drivePath(QStringLiteral("SPECIAL")));
    }

    QString outside(const QString &name = {}) const
    {
        QDir().mkpath(other.path());
        return other.path() + u'/' + name;
    }

    // A data file with the header lines and one section per program, each
    // given as its "KEY=value" lines.
    QString writeDataFile(const QString &name, const QString &description,
                          const QList<std::pair<QString, QStringList>> &programs) const
    {
        QString text = QStringLiteral("TITLE=Gry\nDESC=") + description + QStringLiteral("\n\n");
        for (const auto &[program, lines] : programs)
            text += u'[' + program + QStringLiteral("]\n") + lines.join(u'\n') + u'\n';
        return writeText(name, text);
    }

    QTemporaryDir other;
};
