#include "menuoptions/menuoptions.h"

#include "menuoptions/menuoptionsmessages.h"
#include "objects/designedits.h"
#include "project/designercontext.h"
#include "selection/surfacecommands.h"
#include "surface/menusurface.h"

#include <buttons/menubutton.h>
#include <menuobjects/menuobjects.h>
#include <transplist/transplist.h>

#include <projectfile/projectformat.h>

namespace {

const QString CdromId = QStringLiteral("CDROM_ID");
const QString CdCaption = QStringLiteral("CD_CAPTION");
const QString CdTitle = QStringLiteral("CD_TITLE");
const QString CdDescription = QStringLiteral("CD_DESCRIPTION");
const QString HintKolor = QStringLiteral("HintKolor");
const QString HintTextKolor = QStringLiteral("HintTextKolor");
const QString HintOval = QStringLiteral("HintOval");
const QString KopiaFontColor = QStringLiteral("KOPIA_FONT_COLOR");

QString bit(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

QList<TMenuButton *> categoryKeys(const TfrmMenu &surface)
{
    QList<TMenuButton *> keys;
    for (QWidget *object : surface.components()) {
        auto *key = qobject_cast<TMenuButton *>(object);
        if (key && ProjectFormat::isCategoryId(MenuObjects::tagOf(key)))
            keys.append(key);
    }
    return keys;
}

// The key last clicked stays down while the keys form one group.
void applyAlwaysDown(const TfrmMenu &surface, bool alwaysDown)
{
    for (TMenuButton *key : categoryKeys(surface)) {
        if (alwaysDown) {
            key->setGroupIndex(1000);
            continue;
        }
        key->setAllowAllUp(true);
        key->setDown(false);
        key->setGroupIndex(0);
        key->setAllowAllUp(false);
    }
}

void applyFrame(TfrmMenu &surface, bool noBorder, bool noSystemMenu)
{
    Qt::WindowFlags flags = surface.windowFlags();
    flags.setFlag(Qt::FramelessWindowHint, noBorder);
    // Without the system menu the title keeps no buttons either: a button
    // would bring the menu back (and the frame with it).
    constexpr Qt::WindowFlags buttons = Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;
    flags.setFlag(Qt::CustomizeWindowHint, noSystemMenu);
    flags.setFlag(Qt::WindowTitleHint, true);
    flags.setFlag(Qt::WindowSystemMenuHint, !noSystemMenu);
    if (noSystemMenu)
        flags &= ~buttons;
    else
        flags |= Qt::WindowMinimizeButtonHint;
    if (flags == surface.windowFlags())
        return;
    const bool shown = surface.isVisible();
    const QPoint place = surface.pos();
    surface.setWindowFlags(flags);
    surface.move(place);
    if (shown)
        surface.show();
}

} // namespace

const std::array<MenuOptions::Flag, 12> &MenuOptions::flagTable()
{
    static const std::array<Flag, 12> table = {{
        {"chkNoBorder", "Okno menu bez paska tytułowego", "NOBORDER"},
        {"chkNoSysMenu", "Okno menu bez menu systemowego", "NOBORDERICONS"},
        {"chkHand", "Kursor nad klawiszem w kształcie rączki", "CURSOR_HAND"},
        {"chkLISTAKLIK", "Lista widoczna po kliknięciu", "LIST_ON_CLICK"},
        {"chkONEPROG", "Obsługa tylko kilku programów", "ONE_PROG_KAT"},
        {"chkOpisONMove", "Opis widoczny po wybraniu", "DESC_ON_MOVE"},
        {"chkNumer", "Numer seryjny widoczny tylko jeśli jest", "SERIAL_IF_IS"},
        {"chkSystem", "System widoczny tylko jeśli jest", "SYSTEM_IF_IS"},
        {"chkPRGInfo", "Informacje widoczne tylko jeśli są", "PRGInfo_IF_IS"},
        {"chkRozmiar", "Rozmiar widoczny tylko jeśli jest", "SIZE_IF_IS"},
        {"chkIndex", "Klawisz po kliknięciu jest wciśnięty", "ALWAYS_DOWN"},
        {"chkAutoLoad", "Automatycznie otwórz kategorię", "AUTOLOAD"},
    }};
    return table;
}

MenuOptions MenuOptions::read(const ProjectFormat::MenuDesign &design)
{
    MenuOptions options;
    options.cdromId = design.setting(CdromId);
    options.caption = design.setting(CdCaption);
    options.title = design.setting(CdTitle);
    options.description = design.setting(CdDescription);
    for (size_t i = 0; i < options.flags.size(); ++i)
        options.flags[i] = design.setting(QLatin1String(flagTable()[i].setting)) == u"1";
    options.hintColor = design.setting(HintKolor);
    options.hintTextColor = design.setting(HintTextKolor);
    options.hintOval = design.setting(HintOval) != u"0";
    options.dialogFontColor = design.setting(KopiaFontColor);
    return options;
}

void MenuOptions::write(ProjectFormat::MenuDesign &design) const
{
    design.setSetting(HintKolor, hintColor);
    design.setSetting(HintTextKolor, hintTextColor);
    design.setSetting(HintOval, bit(hintOval));
    design.setSetting(KopiaFontColor, dialogFontColor);
    for (size_t i = 0; i < flags.size(); ++i)
        design.setSetting(QLatin1String(flagTable()[i].setting), bit(flags[i]));
    design.setSetting(CdromId, cdromId);
    design.setSetting(CdCaption, caption);
    design.setSetting(CdTitle, title);
    design.setSetting(CdDescription, description);
}

void MenuOptions::apply(DesignerContext &context) const
{
    DesignEdits::changeSettings(context, [this](ProjectFormat::MenuDesign &design) { write(design); });
    context.setApplicationTitle(MenuOptionsMessages::applicationTitle(title));
    TfrmMenu *surface = context.Surface;
    if (surface) {
        applyAlwaysDown(*surface, flags[AlwaysDown]);
        if (QLabel *titleObject = context.Objects.title)
            titleObject->setText(title);
        applyFrame(*surface, flags[NoBorder], flags[NoSysMenu]);
        surface->setWindowTitle(caption);
        if (TTranspList *list = context.Objects.list)
            list->setVisible(!flags[ListOnClick]);
        // A new native window has lost nothing of the shape, but the
        // refresh puts the mask on it again as "Odśwież okno menu" does.
        SurfaceCommands::reapplyMask(context);
    }
    context.undo().SaveUndo(MenuOptionsMessages::undoStep());
}
