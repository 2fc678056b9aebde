#include "propertyeditors/pickedpaths.h"

#include "project/designercontext.h"
#include "propertyeditors/editormessages.h"

#include <dialogs.h>
#include <paths.h>

#include <QDir>

namespace {

QString cleanFolder(const QString &root)
{
    QString clean = QDir::cleanPath(QDir::fromNativeSeparators(root));
    if (!clean.endsWith(u'/'))
        clean += u'/';
    return clean;
}

// Whether the ".." of a stored path would lead above the root it starts
// from (the path helper stops them there, which would name another file).
bool climbsAboveRoot(const QString &stored)
{
    int depth = 0;
    QString path = stored;
    path.replace(u'\\', u'/');
    for (const QString &name : path.split(u'/', Qt::SkipEmptyParts)) {
        if (name == QLatin1String(".."))
            --depth;
        else if (name != QLatin1String(".") && !name.endsWith(u':'))
            ++depth;
        if (depth < 0)
            return true;
    }
    return false;
}

PickedPaths::Stored refused(const QString &shown, const QString &root)
{
    return {{}, EditorMessages::outsideDrive(shown, QDir::toNativeSeparators(root))};
}

} // namespace

namespace PickedPaths {

Stored fromChosenFile(const QString &root, const QString &absolutePath)
{
    const QString clean = QDir::cleanPath(QDir::fromNativeSeparators(absolutePath));
    if (!clean.startsWith(cleanFolder(root), Qt::CaseInsensitive))
        return refused(absolutePath, root);
    const QString stored = Platform::toStoredPath(root, clean);
    if (stored.isEmpty() || Platform::resolveStoredPath(root, stored).isEmpty())
        return refused(absolutePath, root);
    return {stored, {}};
}

Stored fromTypedPath(const QString &root, const QString &typed)
{
    if (typed.trimmed().isEmpty())
        return {typed, {}};
    if (climbsAboveRoot(typed) || Platform::resolveStoredPath(root, typed).isEmpty())
        return refused(typed, root);
    return {typed, {}};
}

Stored fromField(const QString &root, const QString &text)
{
    return QDir::isAbsolutePath(text) && !text.startsWith(u'\\') ? fromChosenFile(root, text)
                                                                  : fromTypedPath(root, text);
}

std::optional<QString> storeChosenOrTell(QWidget *parent, const QString &root, const QString &chosen)
{
    if (chosen.isEmpty())
        return std::nullopt;
    Stored stored = fromChosenFile(root, chosen);
    if (!stored.ok()) {
        Platform::showMessage(parent, stored.error, DesignerCaption, Platform::MessageButtons::Ok,
                              Platform::MessageIcon::Warning);
        return std::nullopt;
    }
    return std::move(stored.path);
}

} // namespace PickedPaths
