// The function buttons of the menu window and its keys.
#include "menuwindowbase.h"

#include "archive/archivewindowhook.h"
#include "dialogs/copydialog.h"
#include "dialogs/dialogtexts.h"
#include "dialogs/infowindow.h"
#include "dialogs/optionsdialog.h"
#include "dialogs/screenshotviewer.h"
#include "dialogs/searchdialog.h"
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

void TMenuWindowBase::runFunction(QObject *sender)
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

bool TMenuWindowBase::LaunchFile(const QString &path)
{
    return Platform::Launcher::instance().openDocument(path).ok;
}

void TMenuWindowBase::exclamation(const QString &text)
{
    Platform::showMessage(this, text, m_context.ApplicationTitle, MessageButtons::Ok, MessageIcon::Warning);
}

void TMenuWindowBase::showCannotOpen(const QString &path)
{
    exclamation(RuntimeTexts::CannotOpenFile + u'"' + path + u'"');
}

void TMenuWindowBase::minimizeApplication()
{
    showMinimized();
}

void TMenuWindowBase::START_PRG(QObject *)
{
    if (!m_choice.CategoryIni)
        return;
    const QString setup = m_choice.programValue(DataFile::Keys::Setup);
    // Resolving a stored path drops the leading backslash that the launch
    // must not see, and never leaves the CD.
    const QString path = values().resolve(setup);
    if (setup.isEmpty() || !QFileInfo(path).isFile()) {
        exclamation(RuntimeTexts::FileMissing + u'\n' + path);
        return;
    }
    if (LaunchFile(path)) {
        if (m_context.Options.MINONRUN)
            minimizeApplication();
        return;
    }
    if (!openWithArchiveWindow(path))
        showCannotOpen(path);
}

bool TMenuWindowBase::openWithArchiveWindow(const QString &path)
{
    const QString extension = QFileInfo(path).suffix().toUpper();
    const bool zip = extension == u"ZIP";
    if (!zip && (extension != u"RAR" || !m_kind.offersRarArchive))
        return false;
    if (m_context.fileBesideProgram(zip ? QStringLiteral("unzdll.dll") : QStringLiteral("unrar.dll")).isEmpty())
        return false;
    bool &agreed = zip ? m_context.Options.OpenZIP : m_context.Options.OpenRAR;
    if (!agreed) {
        const QString question = (zip ? RuntimeTexts::ZipShellFailed : RuntimeTexts::RarShellFailed) + u'\n'
                                 + RuntimeTexts::UseBuiltInArchiver;
        agreed = Platform::showMessage(this, question, m_context.ApplicationTitle, MessageButtons::YesNoCancel,
                                       MessageIcon::Question)
                 == MessageAnswer::Yes;
    }
    return agreed && showArchiveWindow(zip ? Archive::Zip : Archive::Rar, path);
}

bool TMenuWindowBase::showArchiveWindow(Archive kind, const QString &path)
{
    // The built-in archive window takes the archive over, once it has put
    // itself in the hook; until then the failed start is reported.
    return ArchiveWindowHook::open(this, kind == Archive::Zip ? ArchiveWindowHook::Kind::Zip
                                                               : ArchiveWindowHook::Kind::Rar,
                                   path);
}

void TMenuWindowBase::launchOrComplain(const QString &path)
{
    // An empty path names nothing, as a link leading off the CD does.
    if (!path.isEmpty() && LaunchFile(path))
        minimizeApplication();
    else
        showCannotOpen(path);
}

void TMenuWindowBase::KOPIUJ_PRG(QObject *)
{
    if (m_choice.CurrentProgram.isEmpty())
        return;
    // Targets start in the user's own folder.
    T_frmKopia dialog(this, m_context, m_choice, QDir::homePath(), windowColor(QStringLiteral("COLOR")),
                      values().color(Sections::Window, QStringLiteral("KOPIA_FONT_COLOR"), Platform::clBlack));
    dialog.exec();
}

void TMenuWindowBase::OPIS_PRG(QObject *)
{
    const QString value = m_choice.programValue(DataFile::Keys::Ambitny);
    if (m_choice.CategoryIni && !value.isEmpty())
        launchOrComplain(values().resolve(value));
}

void TMenuWindowBase::EXPLORE_PRG(QObject *)
{
    const QString value = m_choice.programValue(DataFile::Keys::Katalog);
    if (m_choice.CategoryIni && !value.isEmpty())
        launchOrComplain(values().resolve(value));
}

void TMenuWindowBase::ABOUT_PRG(QObject *)
{
    Platform::Dialogs::instance().about(this, RuntimeTexts::AboutName, RuntimeTexts::AboutLine);
}

void TMenuWindowBase::ZAMKNIJ(QObject *)
{
    closeByButton();
}

void TMenuWindowBase::SZUKAJ_PRG(QObject *)
{
    std::optional<SearchHit> hit;
    {
        T_Szukaj dialog(this, m_context);
        dialog.exec();
        hit = dialog.chosen();
    }
    // Gone to once the dialog is gone: the way there may close this window.
    if (hit)
        ProgramSearch::goTo(menuWindows(), ProgramSearch::locate(m_context.menuValues(), *hit));
}

void TMenuWindowBase::EDYCJA_PRG(QObject *sender)
{
    if (!m_controls.descriptionList)
        return;
    const auto *button = dynamic_cast<TMenuButton *>(sender);
    const bool plainText = button && button->down();
    m_controls.descriptionMemo->setVisible(plainText);
    m_controls.descriptionList->setVisible(!plainText);
}

void TMenuWindowBase::MIN_PRG(QObject *)
{
    minimizeApplication();
}

void TMenuWindowBase::ZRZUTY_PRG(QObject *)
{
    const QString screenshot = m_choice.programValue(DataFile::Keys::Zrzut);
    if (!m_choice.CategoryIni || screenshot.isEmpty())
        return;
    const QString path = values().resolve(screenshot);
    const QImage picture = TfrmBMP_JPG::loadScreenshotResponsively(path);
    if (picture.isNull()) {
        exclamation(DialogTexts::CannotShowPicture + u'"' + path + u'"');
        return;
    }
    const QRect screenArea = screen()->geometry();
    TfrmBMP_JPG viewer(this, picture, screenArea.size());
    viewer.move(screenArea.topLeft());
    viewer.exec();
}

void TMenuWindowBase::OPCJEMENU(QObject *)
{
    // In the colours of the window it is opened from.
    TfrmOpcje dialog(this, m_context, *m_music, windowColor(QStringLiteral("COLOR")),
                     values().color(Sections::Window, QStringLiteral("KOPIA_FONT_COLOR"), Platform::clYellow));
    dialog.exec();
}

void TMenuWindowBase::showInfoWindow()
{
    // The CD's window, in the menu's colour and, without a mask, its size.
    const ProjectValues menu = m_context.menuValues();
    TfrmInfoCD info(this, m_context, menu.color(Sections::Window, QStringLiteral("COLOR")), menu.windowSize());
    info.exec();
}

void TMenuWindowBase::showKeyboardHelp()
{
    Platform::showMessage(this, RuntimeTexts::keyboardHelp(), RuntimeTexts::HelpCaptionPrefix + m_context.ApplicationTitle,
                          MessageButtons::Ok, MessageIcon::Information);
}

void TMenuWindowBase::changeFontSize(QWidget *widget, int step)
{
    if (!widget)
        return;
    QFont font = widget->font();
    font.setPointSize(qMax(1, font.pointSize() + step));
    widget->setFont(font);
    if (auto *list = dynamic_cast<TTranspList *>(widget))
        list->drawItems(list->topIndex());
}

void TMenuWindowBase::chooseFonts(bool listsAndDescription)
{
    Platform::showMessage(this, listsAndDescription ? RuntimeTexts::FontForLists : RuntimeTexts::FontForKeys,
                          RuntimeTexts::ProductCaption, MessageButtons::Ok, MessageIcon::Information);
    QWidget *sample = listsAndDescription ? static_cast<QWidget *>(m_controls.programList ? m_controls.programList : m_controls.descriptionList)
                                          : static_cast<QWidget *>(m_controls.categoryKeys.value(0));
    QFont font = sample ? sample->font() : this->font();
    QColor color = sample ? sample->palette().color(QPalette::WindowText) : QColor(Qt::black);
    if (auto *list = dynamic_cast<TTranspList *>(sample))
        color = Platform::toQColor(list->fontColor());
    if (!Platform::Dialogs::instance().chooseFont(this, font, color))
        return;

    const Platform::TColor chosen = Platform::fromQColor(color);
    const auto paint = [&](QWidget *widget) {
        widget->setFont(font);
        MenuObjects::setFontColor(widget, chosen);
    };
    if (!listsAndDescription) {
        for (TMenuButton *button : findChildren<TMenuButton *>())
            paint(button);
        for (QLabel *label : findChildren<QLabel *>())
            paint(label);
        return;
    }
    if (m_controls.descriptionMemo) {
        m_controls.descriptionMemo->setFont(font);
        MenuObjects::setFontColor(m_controls.descriptionMemo, chosen);
    }
    for (TTranspList *list : {m_controls.descriptionList, m_controls.programList}) {
        if (!list)
            continue;
        list->setFont(font);
        list->setFontColor(chosen);
    }
    if (m_controls.descriptionList)
        m_controls.descriptionList->setSelectedColor(chosen);
}

bool TMenuWindowBase::FormKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    const bool shift = modifiers & Qt::ShiftModifier;
    const auto whenButton = [this](int id, auto function) {
        if (TMenuButton *button = m_controls.functionButton(id))
            (this->*function)(button);
        return true;
    };
    switch (key) {
    case Qt::Key_Escape:
        if (shift) {
            minimizeApplication();
        } else if (Platform::showMessage(this, RuntimeTexts::ConfirmQuit, m_context.ApplicationTitle,
                                         MessageButtons::YesNoCancel, MessageIcon::Question)
                   == MessageAnswer::Yes) {
            quitConfirmed();
        }
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (!m_controls.programList)
            return false;
        if (key == Qt::Key_Up)
            m_controls.programList->scrollUp(true);
        else
            m_controls.programList->scrollDown(true);
        return true;
    case Qt::Key_F1:
        // The information window belongs to the CD: the menu's project
        // tells whether there is one.
        if (!shift && !m_context.menuValues().text(Sections::InfoCd, QStringLiteral("FONT_NAME"), {}).isEmpty())
            showInfoWindow();
        else if (m_kind.hasKeyboardHelp)
            showKeyboardHelp();
        return true;
    case Qt::Key_Backspace:
        if (!m_kind.backspaceCloses)
            return false;
        close();
        return true;
    case Qt::Key_F2: changeFontSize(m_controls.programList, +1); return true;
    case Qt::Key_F3: changeFontSize(m_controls.programList, -1); return true;
    case Qt::Key_F4:
    case Qt::Key_F5: {
        const int step = key == Qt::Key_F4 ? +1 : -1;
        if (m_controls.descriptionList) {
            changeFontSize(m_controls.descriptionMemo, step);
            changeFontSize(m_controls.descriptionList, step);
        }
        return true;
    }
    case Qt::Key_F6: return whenButton(CopyId, &TMenuWindowBase::KOPIUJ_PRG);
    case Qt::Key_F7: return whenButton(StartId, &TMenuWindowBase::START_PRG);
    case Qt::Key_F8: return whenButton(MusicId, &TMenuWindowBase::GrajMuzyke);
    case Qt::Key_F9: return whenButton(SearchId, &TMenuWindowBase::SZUKAJ_PRG);
    case Qt::Key_F10: return whenButton(DescriptionEditId, &TMenuWindowBase::OPIS_PRG);
    case Qt::Key_F11: chooseFonts(shift); return true;
    case Qt::Key_F12: OPCJEMENU(Image1); return true;
    default: return false;
    }
}
