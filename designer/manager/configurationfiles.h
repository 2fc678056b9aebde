#pragma once

// The files a configuration (the project or a sub-window file) names, as
// the project manager lists them: each as its full path below the drive
// root and whether it is there. No windows.

#include <QList>
#include <QString>

namespace Platform {
class ProfileFile;
}

namespace ConfigurationFiles {

struct Line
{
    QString stored; // as the configuration holds it
    QString path;   // below the drive root, found without regard to case
                    // (as stored when a link leads off the drive)
    bool exists = false; // a regular file
};

// The sub-window files of [NEXT_WINDOW_INI], in order.
QList<Line> subWindowFiles(const Platform::ProfileFile &config, const QString &driveRoot);
// The data files of [DATA], in order.
QList<Line> dataFiles(const Platform::ProfileFile &config, const QString &driveRoot);
// The glyphs of [GLYPH], then the background, the mask and the toolbar's
// background.
QList<Line> bitmaps(const Platform::ProfileFile &config, const QString &driveRoot);

} // namespace ConfigurationFiles
