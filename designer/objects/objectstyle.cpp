#include "objectstyle.h"

#include <menuobjects/imagewidget.h>
#include <menuobjects/menuobjects.h>
#include <transplist/transplist.h>

#include <safefile.h>

#include <QLabel>
#include <QVariant>
#include <QWidget>

using namespace ProjectFormat;
using Platform::TColor;

namespace DesignStyle {
namespace {
const char *const kColorProperty = "DesignColor";
const char *const kFontColorProperty = "DesignFontColor";
} // namespace

TColor colorOf(const QWidget *object, TColor fallback)
{
    if (const auto *list = dynamic_cast<const TTranspList *>(object))
        return list->color();
    const QVariant stored = object->property(kColorProperty);
    return stored.isValid() ? TColor(stored.toInt()) : fallback;
}

void setColor(QWidget *object, TColor color)
{
    if (auto *list = dynamic_cast<TTranspList *>(object)) {
        list->setColor(color);
        return;
    }
    object->setProperty(kColorProperty, int(color));
    if (qobject_cast<QLabel *>(object)) {
        // A transparent label keeps its colour for when it is made opaque.
        MenuObjects::setColorRole(object, QPalette::Window, color);
        return;
    }
    MenuObjects::setBackgroundColor(object, color);
}

TColor fontColorOf(const QWidget *object)
{
    if (const auto *list = dynamic_cast<const TTranspList *>(object))
        return list->fontColor();
    const QVariant stored = object->property(kFontColorProperty);
    return stored.isValid() ? TColor(stored.toInt()) : Platform::clBtnText;
}

void setFontColor(QWidget *object, TColor color)
{
    if (auto *list = dynamic_cast<TTranspList *>(object)) {
        list->setFontColor(color);
        return;
    }
    object->setProperty(kFontColorProperty, int(color));
    MenuObjects::setFontColor(object, color);
}

bool paintPicture(TImage *image, const QString &file, bool tile)
{
    const QImage picture = file.isEmpty() ? QImage() : Platform::readPicture(file);
    if (picture.isNull())
        return false;
    if (tile)
        image->tile(picture);
    else
        image->stretch(picture);
    return true;
}

} // namespace DesignStyle
