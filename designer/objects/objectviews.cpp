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

void showList(TTranspList *list, const DesignList &design)
{
    list->setGeometry(design.bounds);
    showFont(list, design.font);
    list->setColor(design.color);
    list->setSelectedColor(design.selectedColor);
    list->setTransparent(design.transparent);
}

void showDescription(TTranspList *list, const DesignDescription &design)
{
    list->setGeometry(design.bounds);
    showFont(list, design.font);
    list->setColor(design.color);
    list->setTransparent(design.transparent);
}

void showField(QLineEdit *edit, const DesignField &field)
{
    edit->setGeometry(field.bounds);
    showFont(edit, field.font);
    DesignStyle::setColor(edit, field.color);
    edit->setToolTip(field.hint);
}

void showTitle(QLabel *label, const DesignTitle &title)
{
    label->setGeometry(title.bounds);
    showFont(label, title.font);
    DesignStyle::setColor(label, title.color);
    label->setWordWrap(title.wordWrap);
}

void showTools(TImage *image, const DesignTools &tools)
{
    image->setGeometry(tools.bounds);
    DesignStyle::setColor(image, tools.color);
}

} // namespace ObjectViews
