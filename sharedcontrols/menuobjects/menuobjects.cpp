#include "menuobjects.h"

#include <transplist/transplist.h>

#include <fonts.h>
#include <screenlimits.h>

#include <QFont>
#include <QPalette>
#include <QWidget>

#include <algorithm>
#include <vector>

using namespace ProjectFormat;
using Platform::TColor;

namespace MenuObjects {

namespace {
const char *const kTagProperty = "Tag";
}

int tagOf(const QObject *object)
{
    return object ? object->property(kTagProperty).toInt() : 0;
}

void setTag(QObject *object, int id)
{
    object->setProperty(kTagProperty, id);
}

QString buttonKey(int id)
{
    return QString::number(id);
}

ButtonEnums::TButtonLayout toButtonLayout(GlyphLayout layout)
{
    switch (layout) {
    case GlyphLayout::Right: return ButtonEnums::blGlyphRight;
    case GlyphLayout::Top: return ButtonEnums::blGlyphTop;
    case GlyphLayout::Bottom: return ButtonEnums::blGlyphBottom;
    case GlyphLayout::Left: break;
    }
    return ButtonEnums::blGlyphLeft;
}

GlyphLayout fromButtonLayout(ButtonEnums::TButtonLayout layout)
{
    switch (layout) {
    case ButtonEnums::blGlyphRight: return GlyphLayout::Right;
    case ButtonEnums::blGlyphTop: return GlyphLayout::Top;
    case ButtonEnums::blGlyphBottom: return GlyphLayout::Bottom;
    case ButtonEnums::blGlyphLeft: break;
    }
    return GlyphLayout::Left;
}

namespace {

// The last palette made, with what it was made from: the keys of a menu
// mostly give one colour to one inherited palette, and comparing palettes
// costs less than making a new one for each key.
struct MadePalette {
    QPalette from;
    std::vector<QPalette::ColorRole> roles;
    QColor color;
    QPalette made;

    bool fits(const QPalette &base, std::initializer_list<QPalette::ColorRole> wanted, const QColor &wantedColor) const
    {
        return color == wantedColor && std::equal(roles.begin(), roles.end(), wanted.begin(), wanted.end())
               && from.resolveMask() == base.resolveMask() && from == base;
    }
};

// One new palette for all the roles: each palette set on a widget goes
// through the widget and its children.
void setColorRoles(QWidget *widget, std::initializer_list<QPalette::ColorRole> roles, TColor color)
{
    static MadePalette last;
    const QPalette &base = widget->palette();
    const QColor qtColor = Platform::toQColor(color);
    if (!last.fits(base, roles, qtColor)) {
        QPalette palette = base;
        for (const QPalette::ColorRole role : roles)
            palette.setColor(role, qtColor);
        last = MadePalette{base, roles, qtColor, palette};
    }
    widget->setPalette(last.made);
}

} // namespace

void setColorRole(QWidget *widget, QPalette::ColorRole role, TColor color)
{
    setColorRoles(widget, {role}, color);
}

void setBackgroundColor(QWidget *widget, TColor color)
{
    setColorRoles(widget, {QPalette::Window, QPalette::Base}, color);
    widget->setAutoFillBackground(true);
}

void setFontColor(QWidget *widget, TColor color)
{
    setColorRoles(widget, {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}, color);
}

FontStyles fontStylesOf(const QFont &font)
{
    FontStyles styles = 0;
    if (font.bold())
        styles |= FontBold;
    if (font.italic())
        styles |= FontItalic;
    if (font.underline())
        styles |= FontUnderline;
    return styles;
}

void applyFont(QWidget *widget, const ProjectValues &project, const QString &objectKey, TColor defaultColor)
{
    FontSpec font;
    font.name = project.text(Sections::FontName, objectKey, widget->font().family());
    font.size = project.integer(Sections::FontSize, objectKey, widget->font().pointSize());
    font.styles = project.fontStyles(Sections::FontStyle, objectKey, 0);
    font.color = project.color(Sections::FontColor, objectKey, defaultColor);
    applyFont(widget, font);
}

void applyFont(QWidget *widget, const FontSpec &spec)
{
    QFont font = widget->font();
    Platform::setStoredFamily(font, spec.name);
    if (spec.size > 0)
        font.setPointSize(qMin(spec.size, Platform::ScreenLimits::MaxFontPointSize));
    if (spec.styles & FontBold)
        font.setBold(true);
    if (spec.styles & FontItalic)
        font.setItalic(true);
    if (spec.styles & FontUnderline)
        font.setUnderline(true);
    widget->setFont(font);
    if (auto *list = dynamic_cast<TTranspList *>(widget))
        list->setFontColor(spec.color);
    else
        setFontColor(widget, spec.color);
}

} // namespace MenuObjects
