#pragma once

#include <QString>

#include <optional>

class QWidget;

// Files the property editors name are stored relative to the designer's
// drive root; a file the project could not name that way is refused.
namespace PickedPaths {

struct Stored
{
    QString path;  // drive-relative, "\"-separated; empty when refused
    QString error; // the message when refused
    bool ok() const { return error.isEmpty(); }
};

// A file chosen in a dialog (an absolute path): its stored form, refused
// when it lies outside root or a link leads it out.
Stored fromChosenFile(const QString &root, const QString &absolutePath);

// A path typed into a field: kept as typed, refused when ".." would climb
// above root or a link leads it out. An empty text is accepted (no file).
Stored fromTypedPath(const QString &root, const QString &typed);

// What a field holds: an absolute path (not one starting with "\") as a
// chosen file, anything else as a typed path.
Stored fromField(const QString &root, const QString &text);

// A file chosen in a dialog, stored from root; nothing when none was chosen
// or it cannot be stored, which is told over parent.
std::optional<QString> storeChosenOrTell(QWidget *parent, const QString &root, const QString &chosen);

} // namespace PickedPaths
