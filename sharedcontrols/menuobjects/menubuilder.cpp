#include "menuobjects/menubuilder.h"

#include "menuobjects/imagewidget.h"
#include "menuobjects/menuobjects.h"

#include <buttons/menubutton.h>
#include <transplist/transplist.h>

#include <QLabel>
#include <QLineEdit>

#include <safefile.h>

using namespace ProjectFormat;

namespace MenuBuilder {

TMenuButton *createKey(QWidget *parent, const DesignKey &key)
{
    auto *button = new TMenuButton(parent);
    button->setObjectName(QStringLiteral("klw%1").arg(key.id));
    MenuObjects::setTag(button, key.id);
    button->setCaption(key.caption);
    button->setOpaque(false);
    button->setGeometry(key.bounds);
    button->setShowHint(true);
    return button;
}

void styleKey(TMenuButton *button, const DesignKey &key)
{
    MenuObjects::applyFont(button, key.font);
    button->setNumGlyphs(key.numGlyphs);
    button->setLayout(MenuObjects::toButtonLayout(key.layout));
    button->setNoBorder(key.noBorder);
    button->setNewBorder(key.newBorder);
    if (key.id != MusicId)
        button->setHint(key.hint);
    button->setShowHint(true);
    button->setWordWrap(key.wordWrap);
}

bool loadGlyph(TMenuButton *button, const DesignKey &key, const Resolve &resolve)
{
    if (key.glyphFile.isEmpty())
        return true;
    const QImage glyph = Platform::readPicture(resolve(key.glyphFile));
    if (glyph.isNull())
        return false;
    button->setGlyph(glyph);
    return true;
}

TTranspList *createList(QWidget *parent, int id, const QRect &bounds)
{
    auto *list = new TTranspList(parent);
    list->setObjectName(objectKey(id));
    MenuObjects::setTag(list, id);
    list->setGeometry(bounds);
    return list;
}

void styleList(TTranspList *list, const DesignList &design)
{
    list->setColor(design.color);
    list->setSelectedColor(design.selectedColor);
    list->setTransparent(design.transparent);
    MenuObjects::applyFont(list, design.font);
}

void styleDescription(TTranspList *list, const DesignDescription &design)
{
    MenuObjects::applyFont(list, design.font);
    list->setColor(design.color);
    list->setTransparent(design.transparent);
}

QLineEdit *createField(QWidget *parent, int id, const DesignField &field)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(objectKey(id));
    MenuObjects::setTag(edit, id);
    edit->setGeometry(field.bounds);
    edit->setFrame(false);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    edit->setToolTip(field.hint);
    return edit;
}

void styleField(QLineEdit *edit, const DesignField &field)
{
    MenuObjects::setBackgroundColor(edit, field.color);
    MenuObjects::applyFont(edit, field.font);
}

QLabel *createTitle(QWidget *parent, const DesignTitle &title, const QString &text)
{
    auto *label = new QLabel(parent);
    label->setObjectName(objectKey(TitleId));
    MenuObjects::setTag(label, TitleId);
    label->setGeometry(title.bounds);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->setWordWrap(title.wordWrap);
    return label;
}

void styleTitle(QLabel *label, const DesignTitle &title)
{
    // A transparent label keeps its colour for when it is made opaque.
    MenuObjects::setColorRole(label, QPalette::Window, title.color);
    MenuObjects::applyFont(label, title.font);
}

TImage *createTools(QWidget *parent, const DesignTools &tools, const QSize &window)
{
    auto *image = new TImage(parent);
    image->setObjectName(objectKey(ToolsId));
    MenuObjects::setTag(image, ToolsId);
    image->setGeometry(MenuDesign::alignedToolsBounds(tools.align, tools.bounds, window));
    return image;
}

} // namespace MenuBuilder
