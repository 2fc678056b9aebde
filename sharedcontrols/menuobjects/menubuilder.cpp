#include "menuobjects/menubuilder.h"

#include "menuobjects/menuobjects.h"

#include <buttons/menubutton.h>

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

} // namespace MenuBuilder
