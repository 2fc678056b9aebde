#pragma once

// Templates on disk: a template is a folder "Szablony/<name>/" holding the
// project file "<name>.SBL" and maybe a preview picture "ZRZUT.BMP". The
// user's own templates lie in the designer's data folder (where "save as
// template" writes them); those shipped with the designer lie beside the
// program and are never changed. Names of files and folders are found
// without regard to letter case.

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

namespace Templates {

inline const QString FolderName = QStringLiteral("Szablony");
inline const QString PreviewName = QStringLiteral("ZRZUT.BMP");

struct Template {
    QString name;
    QString folder; // absolute, without a trailing "/"
    bool shipped = false;

    bool operator==(const Template &) const = default;
};

// Outcome of a change: the reason when it failed.
struct Result {
    QString error;
    bool ok() const { return error.isEmpty(); }
};

// The templates of the user's folder and of the program's folder, sorted by
// name. Only real folders count (no links, no files, no hidden names); a
// user's template hides a shipped one of the same name (any letter case).
// userDir and programDir are the folders that hold "Szablony".
QList<Template> listTemplates(const QString &userDir, const QString &programDir);

// Whether the template's folder is still a real folder.
bool stillThere(const Template &entry);

// The template's project file ("<name>.SBL", any letter case); the name as
// written when there is none.
QString projectFile(const Template &entry);

// The one name the preview is read from and written to: the folder's
// "ZRZUT.BMP" in whatever letter case it has, else "ZRZUT.BMP".
QString previewFile(const Template &entry);

// The preview picture; a null image when there is none or it cannot be read.
QImage readPreview(const Template &entry);

// The template's project file, byte for byte, as the new file target: the
// copy is complete or target is left as it was. Refused when target is the
// template's file itself (under any name) or the template has no file.
Result copyTo(const Template &entry, const QString &target);

// Deletes a user's template: its folder with everything in it. Links are
// removed as links, never followed, so nothing outside the folder goes.
Result remove(const Template &entry);

// The picture stretched over a preview area of size, as stored.
QImage previewPicture(const QImage &picture, const QSize &size);

// Writes picture as the template's preview (a 24-bit bitmap), whole or not
// at all. Refused for a shipped template.
Result savePreview(const Template &entry, const QImage &picture);

} // namespace Templates
