#pragma once

#include <colors.h>
#include <profilefile.h>
#include <projectfile/projectformat.h>

class QString;
class QWidget;
class TImage;

// Colours and fonts of design objects. The colours are kept as the project
// names them (a system colour stays "clWindow"), so a save writes back what
// a load read; the widget paints with the matching QColor.
namespace DesignStyle {

Platform::TColor colorOf(const QWidget *object, Platform::TColor fallback);
void setColor(QWidget *object, Platform::TColor color);
Platform::TColor fontColorOf(const QWidget *object);
void setFontColor(QWidget *object, Platform::TColor color);

// Draws the picture of file over image, tiled or stretched; false when it
// does not load (an empty name included).
bool paintPicture(TImage *image, const QString &file, bool tile);

} // namespace DesignStyle
