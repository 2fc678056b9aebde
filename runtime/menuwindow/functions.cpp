#include "functions.h"

#include "menuview.h"
#include "menuwindowkind.h"

#include "archive/archivewindowhook.h"
#include "dialogs/copydialog.h"
#include "dialogs/dialogtexts.h"
#include "dialogs/infowindow.h"
#include "dialogs/optionsdialog.h"
#include "dialogs/screenshotviewer.h"
#include "dialogs/searchdialog.h"
#include "sound/backgroundmusic.h"
#include "startup/runtimecontext.h"
#include "texts/runtimetexts.h"

#include <buttons/menubutton.h>
#include <menuobjects/imagewidget.h>
#include <menuobjects/menuobjects.h>
#include <datafile/datafile.h>
#include <transplist/transplist.h>

#include <dialogs.h>
#include <launcher.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>

using namespace ProjectFormat;
using MenuObjects::tagOf;
using Platform::MessageAnswer;
using Platform::MessageButtons;
using Platform::MessageIcon;

QWidget &MenuFunctions::window() const
{
    return m_window.view().widget();
}

const MenuControls &MenuFunctions::controls() const
{
    return m_window.view().controls();
}

ProgramChoice &MenuFunctions::choice() const
{
    return m_window.view().choice();
}

RuntimeContext &MenuFunctions::context() const
{
    return m_window.context();
}

ProjectValues MenuFunctions::values() const
{
    return m_window.values();
}

void MenuFunctions::run(QObject *sender)
{
    switch (tagOf(sender)) {
    case StartId: START_PRG(sender); break;
    case CopyId: KOPIUJ_PRG(sender); break;
    case DescriptionEditId: OPIS_PRG(sender); break;
    case ExploreId: EXPLORE_PRG(sender); break;
    case AboutId: ABOUT_PRG(sender); break;
    case CloseId: ZAMKNIJ(sender); break;
    case SearchId: SZUKAJ_PRG(sender); break;
    case DescriptionToggleId: EDYCJA_PRG(sender); break;
    case MinimizeId: MIN_PRG(sender); break;
    case MusicId: GrajMuzyke(sender); break;
    case ScreenshotId: ZRZUTY_PRG(sender); break;
    case OptionsId: OPCJEMENU(sender); break;
    default: break;
    }
}

bool MenuFunctions::LaunchFile(const QString &path)
{
    return Platform::Launcher::instance().openDocument(path).ok;
}

void MenuFunctions::exclamation(const QString &text)
{
    Platform::showMessage(&window(), text, context().ApplicationTitle, MessageButtons::Ok, MessageIcon::Warning);
}

void MenuFunctions::showCannotOpen(const QString &path)
{
    exclamation(RuntimeTexts::CannotOpenFile + u'"' + path + u'"');
}

void MenuFunctions::START_PRG(QObject *)
{
    if (!choice().CategoryIni)
        return;
    const QString setup = choice().programValue(DataFile::Keys::Setup);
    // Resolving a stored path drops the leading backslash that the launch
    // must not see, and never leaves the CD.
    const QString path = values().resolve(setup);
    if (setup.isEmpty() || !QFileInfo(path).isFile()) {
        exclamation(RuntimeTexts::FileMissing + u'\n' + path);
        return;
    }
    if (LaunchFile(path)) {
        if (context().Options.MINONRUN)
            m_window.minimizeApplication();
        return;
    }
    if (!openWithArchiveWindow(path))
        showCannotOpen(path);
}

bool MenuFunctions::openWithArchiveWindow(const QString &path)
{
    const QString extension = QFileInfo(path).suffix().toUpper();
    const bool zip = extension == u"ZIP";
    if (!zip && (extension != u"RAR" || !m_window.kind().offersRarArchive))
        return false;
    if (context().fileBesideProgram(zip ? QStringLiteral("unzdll.dll") : QStringLiteral("unrar.dll")).isEmpty())
        return false;
    bool &agreed = zip ? context().Options.OpenZIP : context().Options.OpenRAR;
    if (!agreed) {
        const QString question = (zip ? RuntimeTexts::ZipShellFailed : RuntimeTexts::RarShellFailed) + u'\n'
                                 + RuntimeTexts::UseBuiltInArchiver;
        agreed = Platform::showMessage(&window(), question, context().ApplicationTitle, MessageButtons::YesNoCancel,
                                       MessageIcon::Question)
                 == MessageAnswer::Yes;
    }
    return agreed && showArchiveWindow(zip ? Archive::Zip : Archive::Rar, path);
}

bool MenuFunctions::showArchiveWindow(Archive kind, const QString &path)
{
    // The built-in archive window takes the archive over, once it has put
    // itself in the hook; until then the failed start is reported.
    return ArchiveWindowHook::open(&window(), kind == Archive::Zip ? ArchiveWindowHook::Kind::Zip
                                                               : ArchiveWindowHook::Kind::Rar,
                                   path);
}

void MenuFunctions::launchOrComplain(const QString &path)
{
    // An empty path names nothing, as a link leading off the CD does.
    if (!path.isEmpty() && LaunchFile(path))
        m_window.minimizeApplication();
    else
        showCannotOpen(path);
}

void MenuFunctions::KOPIUJ_PRG(QObject *)
{
    if (choice().CurrentProgram.isEmpty())
        return;
    // Targets start in the user's own folder, where the menu's tree opens
    // too.
    const QString home = QDir::homePath();
    const std::optional<QString> treeStart = m_window.kind().copyTreeOpensHome ? std::optional(home) : std::nullopt;
    const ProjectValues project = values();
    T_frmKopia dialog(&window(), context(), choice(), home, treeStart,
                      project.color(Sections::Window, QStringLiteral("COLOR")),
                      project.color(Sections::Window, QStringLiteral("KOPIA_FONT_COLOR"), Platform::clBlack));
    dialog.exec();
}

void MenuFunctions::OPIS_PRG(QObject *)
{
    const QString value = choice().programValue(DataFile::Keys::Ambitny);
    if (choice().CategoryIni && !value.isEmpty())
        launchOrComplain(values().resolve(value));
}

void MenuFunctions::EXPLORE_PRG(QObject *)
{
    const QString value = choice().programValue(DataFile::Keys::Katalog);
    if (choice().CategoryIni && !value.isEmpty())
        launchOrComplain(values().resolve(value));
}

void MenuFunctions::ABOUT_PRG(QObject *)
{
    Platform::Dialogs::instance().about(&window(), RuntimeTexts::AboutName, RuntimeTexts::AboutLine);
}

void MenuFunctions::ZAMKNIJ(QObject *)
{
    m_window.closeByButton();
}

void MenuFunctions::SZUKAJ_PRG(QObject *)
{
    std::optional<SearchHit> hit;
    {
        T_Szukaj dialog(&window(), context());
        dialog.exec();
        hit = dialog.chosen();
    }
    // Gone to once the dialog is gone: the way there may close this window.
    if (hit)
        ProgramSearch::goTo(m_window.menuWindows(), ProgramSearch::locate(context().menuValues(), *hit));
}

void MenuFunctions::EDYCJA_PRG(QObject *sender)
{
    if (!controls().descriptionList)
        return;
    const auto *button = dynamic_cast<TMenuButton *>(sender);
    const bool plainText = button && button->down();
    controls().descriptionMemo->setVisible(plainText);
    controls().descriptionList->setVisible(!plainText);
}

void MenuFunctions::MIN_PRG(QObject *)
{
    m_window.minimizeApplication();
}

void MenuFunctions::GrajMuzyke(QObject *)
{
    m_window.music().toggle();
}

void MenuFunctions::ZRZUTY_PRG(QObject *)
{
    const QString screenshot = choice().programValue(DataFile::Keys::Zrzut);
    if (!choice().CategoryIni || screenshot.isEmpty())
        return;
    const QString path = values().resolve(screenshot);
    const TfrmBMP_JPG::Screenshot shown = TfrmBMP_JPG::loadScreenshotResponsively(path);
    if (shown.picture.isNull()) {
        exclamation(DialogTexts::cannotShowPicture(path, shown.reason));
        return;
    }
    const QRect screenArea = window().screen()->geometry();
    TfrmBMP_JPG viewer(&window(), shown.picture, screenArea.size());
    viewer.move(screenArea.topLeft());
    viewer.exec();
}

void MenuFunctions::OPCJEMENU(QObject *)
{
    // In the colours of the window it is opened from.
    const ProjectValues project = values();
    TfrmOpcje dialog(&window(), context(), m_window.music(), project.color(Sections::Window, QStringLiteral("COLOR")),
                     project.color(Sections::Window, QStringLiteral("KOPIA_FONT_COLOR"), Platform::clYellow));
    dialog.exec();
}

void MenuFunctions::showInfoWindow()
{
    // The CD's window, in the menu's colour and, without a mask, its size.
    const ProjectValues menu = context().menuValues();
    TfrmInfoCD info(&window(), context(), menu.color(Sections::Window, QStringLiteral("COLOR")), menu.windowSize());
    info.exec();
}

void MenuFunctions::showKeyboardHelp()
{
    Platform::showMessage(&window(), RuntimeTexts::keyboardHelp(),
                          RuntimeTexts::HelpCaptionPrefix + context().ApplicationTitle,
                          MessageButtons::Ok, MessageIcon::Information);
}

void MenuFunctions::changeFontSize(QWidget *widget, int step)
{
    if (!widget)
        return;
    QFont font = widget->font();
    font.setPointSize(qMax(1, font.pointSize() + step));
    widget->setFont(font);
    if (auto *list = dynamic_cast<TTranspList *>(widget))
        list->drawItems(list->topIndex());
}

void MenuFunctions::chooseFonts(bool listsAndDescription)
{
    Platform::showMessage(&window(), listsAndDescription ? RuntimeTexts::FontForLists : RuntimeTexts::FontForKeys,
                          RuntimeTexts::ProductCaption, MessageButtons::Ok, MessageIcon::Information);
    const MenuControls &shown = controls();
    QWidget *sample = listsAndDescription
                          ? static_cast<QWidget *>(shown.programList ? shown.programList : shown.descriptionList)
                          : static_cast<QWidget *>(shown.categoryKeys.value(0));
    QFont font = sample ? sample->font() : window().font();
    QColor color = sample ? sample->palette().color(QPalette::WindowText) : QColor(Qt::black);
    if (auto *list = dynamic_cast<TTranspList *>(sample))
        color = Platform::toQColor(list->fontColor());
    if (!Platform::Dialogs::instance().chooseFont(&window(), font, color))
        return;

    const Platform::TColor chosen = Platform::fromQColor(color);
    const auto paint = [&](QWidget *widget) {
        widget->setFont(font);
        MenuObjects::setFontColor(widget, chosen);
    };
    if (!listsAndDescription) {
        for (TMenuButton *button : window().findChildren<TMenuButton *>())
            paint(button);
        for (QLabel *label : window().findChildren<QLabel *>())
            paint(label);
        return;
    }
    if (controls().descriptionMemo) {
        controls().descriptionMemo->setFont(font);
        MenuObjects::setFontColor(controls().descriptionMemo, chosen);
    }
    for (TTranspList *list : {controls().descriptionList, controls().programList}) {
        if (!list)
            continue;
        list->setFont(font);
        list->setFontColor(chosen);
    }
    if (controls().descriptionList)
        controls().descriptionList->setSelectedColor(chosen);
}

bool MenuFunctions::keyDown(int key, Qt::KeyboardModifiers modifiers)
{
    const bool shift = modifiers & Qt::ShiftModifier;
    const auto whenButton = [this](int id, auto function) {
        if (TMenuButton *button = controls().functionButton(id))
            (this->*function)(button);
        return true;
    };
    switch (key) {
    case Qt::Key_Escape:
        if (shift) {
            m_window.minimizeApplication();
        } else if (Platform::showMessage(&window(), RuntimeTexts::ConfirmQuit, context().ApplicationTitle,
                                         MessageButtons::YesNoCancel, MessageIcon::Question)
                   == MessageAnswer::Yes) {
            m_window.quitConfirmed();
        }
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (!controls().programList)
            return false;
        if (key == Qt::Key_Up)
            controls().programList->scrollUp(true);
        else
            controls().programList->scrollDown(true);
        return true;
    case Qt::Key_F1:
        // The information window belongs to the CD: the menu's project
        // tells whether there is one.
        if (!shift && !context().menuValues().text(Sections::InfoCd, QStringLiteral("FONT_NAME"), {}).isEmpty())
            showInfoWindow();
        else if (m_window.kind().hasKeyboardHelp)
            showKeyboardHelp();
        return true;
    case Qt::Key_Backspace:
        if (!m_window.kind().backspaceCloses)
            return false;
        window().close();
        return true;
    case Qt::Key_F2: changeFontSize(controls().programList, +1); return true;
    case Qt::Key_F3: changeFontSize(controls().programList, -1); return true;
    case Qt::Key_F4:
    case Qt::Key_F5: {
        const int step = key == Qt::Key_F4 ? +1 : -1;
        if (controls().descriptionList) {
            changeFontSize(controls().descriptionMemo, step);
            changeFontSize(controls().descriptionList, step);
        }
        return true;
    }
    case Qt::Key_F6: return whenButton(CopyId, &MenuFunctions::KOPIUJ_PRG);
    case Qt::Key_F7: return whenButton(StartId, &MenuFunctions::START_PRG);
    case Qt::Key_F8: return whenButton(MusicId, &MenuFunctions::GrajMuzyke);
    case Qt::Key_F9: return whenButton(SearchId, &MenuFunctions::SZUKAJ_PRG);
    case Qt::Key_F10: return whenButton(DescriptionEditId, &MenuFunctions::OPIS_PRG);
    case Qt::Key_F11: chooseFonts(shift); return true;
    case Qt::Key_F12: OPCJEMENU(&window()); return true;
    default: return false;
    }
}
