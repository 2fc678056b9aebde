#include "objects/objectviews.h"

#include "objects/objectstyle.h"

#include <buttons/menubutton.h>
#include <menuobjects/imagewidget.h>
#include <menuobjects/menuobjects.h>
#include <transplist/transplist.h>

#include <fonts.h>
#include <screenlimits.h>

#include <QLabel>
#include <QLineEdit>

using namespace ProjectFormat;

namespace ObjectViews {

FontSpec fontOf(const QWidget *object)
{
    const QFont font = object->font();
    FontSpec spec;
    spec.name = font.family();
    spec.size = font.pointSize();
    spec.styles = MenuObjects::fontStylesOf(font);
    spec.color = DesignStyle::fontColorOf(object);
    return spec;
}

void showFont(QWidget *object, const FontSpec &spec)
{
    QFont font = object->font();
    Platform::setStoredFamily(font, spec.name);
    if (spec.size > 0)
        font.setPointSize(qMin(spec.size, Platform::ScreenLimits::MaxFontPointSize));
    font.setBold(spec.styles & FontBold);
    font.setItalic(spec.styles & FontItalic);
    font.setUnderline(spec.styles & FontUnderline);
    object->setFont(font);
    DesignStyle::setFontColor(object, spec.color);
}

DesignKey keyOf(const TMenuButton *button)
{
    DesignKey key;
    key.id = MenuObjects::tagOf(button);
    key.bounds = button->geometry();
    key.caption = button->caption();
    key.hint = button->hint();
    key.font = fontOf(button);
    key.wordWrap = button->wordWrap();
    key.layout = MenuObjects::fromButtonLayout(button->layout());
    key.numGlyphs = button->numGlyphs();
    key.noBorder = button->noBorder();
    key.newBorder = button->newBorder();
    return key;
}

void showKey(TMenuButton *button, const DesignKey &key)
{
    button->setGeometry(key.bounds);
    showFont(button, key.font);
    button->setCaption(key.caption);
    button->setHint(key.hint);
    button->setWordWrap(key.wordWrap);
    button->setNewBorder(key.newBorder);
    button->setNoBorder(key.noBorder);
    button->setNumGlyphs(key.numGlyphs);
    button->setLayout(MenuObjects::toButtonLayout(key.layout));
    button->update();
}

DesignList listOf(const TTranspList *list)
{
    DesignList design;
    design.bounds = list->geometry();
    design.font = fontOf(list);
    design.color = list->color();
    design.selectedColor = list->selectedColor();
    design.transparent = list->transparent();
    return design;
}

void showList(TTranspList *list, const DesignList &design)
{
    list->setGeometry(design.bounds);
    showFont(list, design.font);
    list->setColor(design.color);
    list->setSelectedColor(design.selectedColor);
    list->setTransparent(design.transparent);
}

DesignDescription descriptionOf(const TTranspList *list)
{
    DesignDescription design;
    design.bounds = list->geometry();
    design.font = fontOf(list);
    design.color = list->color();
    design.transparent = list->transparent();
    return design;
}

void showDescription(TTranspList *list, const DesignDescription &design)
{
    list->setGeometry(design.bounds);
    showFont(list, design.font);
    list->setColor(design.color);
    list->setTransparent(design.transparent);
}

DesignField fieldOf(const QLineEdit *edit)
{
    DesignField field;
    field.bounds = edit->geometry();
    field.font = fontOf(edit);
    field.color = DesignStyle::colorOf(edit, Platform::clWindow);
    field.hint = edit->toolTip();
    return field;
}

void showField(QLineEdit *edit, const DesignField &field)
{
    edit->setGeometry(field.bounds);
    showFont(edit, field.font);
    DesignStyle::setColor(edit, field.color);
    edit->setToolTip(field.hint);
}

DesignTitle titleOf(const QLabel *label)
{
    DesignTitle title;
    title.bounds = label->geometry();
    title.font = fontOf(label);
    title.color = DesignStyle::colorOf(label, Platform::clWindow);
    title.wordWrap = label->wordWrap();
    return title;
}

void showTitle(QLabel *label, const DesignTitle &title)
{
    label->setGeometry(title.bounds);
    showFont(label, title.font);
    DesignStyle::setColor(label, title.color);
    label->setWordWrap(title.wordWrap);
}

DesignTools toolsOf(const TImage *image, int align)
{
    DesignTools tools;
    tools.align = align;
    tools.bounds = image->geometry();
    tools.color = DesignStyle::colorOf(image, Platform::clBlack);
    return tools;
}

void showTools(TImage *image, const DesignTools &tools)
{
    image->setGeometry(tools.bounds);
    DesignStyle::setColor(image, tools.color);
}

} // namespace ObjectViews
