#include "optionsdialog.h"

#include "dialogstyle.h"
#include "dialogtexts.h"
#include "sound/backgroundmusic.h"
#include "startup/runtimecontext.h"

#include <buttons/menubutton.h>
#include <checkbox/bitcheckbox.h>

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace {

QGroupBox *group(QWidget *parent, const QString &title, std::initializer_list<QWidget *> boxes)
{
    auto *frame = new QGroupBox(title, parent);
    auto *layout = new QVBoxLayout(frame);
    for (QWidget *box : boxes)
        layout->addWidget(box);
    layout->addStretch();
    return frame;
}

} // namespace

const QStringList &TfrmOpcje::savedKeys()
{
    static const QStringList keys{
        QStringLiteral("NOSOUND"), QStringLiteral("NoClicks"), QStringLiteral("NoMusic"),
        QStringLiteral("RUNAnim"), QStringLiteral("RUNMenu"),  QStringLiteral("Explorer"),
        QStringLiteral("OpenZIP"), QStringLiteral("OpenRAR"),  QStringLiteral("MINONRUN"),
    };
    return keys;
}

TfrmOpcje::TfrmOpcje(QWidget *owner, RuntimeContext &context, BackgroundMusic &music, Platform::TColor color,
                     Platform::TColor fontColor)
    : QDialog(owner)
    , m_context(context)
    , m_music(music)
{
    setObjectName(QStringLiteral("frmOpcje"));
    setWindowTitle(DialogTexts::OptionsCaptionPrefix + context.ApplicationTitle);

    const UserOptions &options = context.Options;
    const QString cd = context.cdId();
    const auto fromFile = [&](const char *key, bool fallback) {
        return context.UserOptionsIni->readBool(cd, QLatin1String(key), fallback);
    };
    chkNoSound = box(QStringLiteral("chkNoSound"), DialogTexts::NoSound, options.NOSOUND);
    chkNoMusic = box(QStringLiteral("chkNoMusic"), DialogTexts::NoMusic, options.NoMusic);
    chkNoClicks = box(QStringLiteral("chkNoClicks"), DialogTexts::NoClicks, options.NoClicks);
    chkAnim = box(QStringLiteral("chkAnim"), DialogTexts::Anim, fromFile("RUNAnim", true));
    chkMenu = box(QStringLiteral("chkMenu"), DialogTexts::RunMenu, fromFile("RUNMenu", true));
    chkExplorer = box(QStringLiteral("chkExplorer"), DialogTexts::Explorer, fromFile("Explorer", false));
    chkOpenZip = box(QStringLiteral("chkOpenZip"), DialogTexts::Zip, options.OpenZIP);
    chkOpenRAR = box(QStringLiteral("chkOpenRAR"), DialogTexts::Rar, options.OpenRAR);
    chkSave = box(QStringLiteral("chkSave"), DialogTexts::Save, false);
    chkMinONRun = box(QStringLiteral("chkMinONRun"), DialogTexts::MinOnRun, options.MINONRUN);
    chkSave->setToolTip(DialogTexts::SaveHint);
    chkMinONRun->setToolTip(DialogTexts::MinOnRunHint);

    chkAnim->OnClick = [this](QObject *sender) { chkAnimClick(sender); };
    chkMenu->OnClick = [this](QObject *sender) { chkAnimClick(sender); };
    chkExplorer->OnClick = [this](QObject *sender) { chkExplorerClick(sender); };

    klwOk = DialogStyle::button(this, QStringLiteral("klwOk"), DialogTexts::Ok);
    klwAnuluj = DialogStyle::button(this, QStringLiteral("klwAnuluj"), DialogTexts::Cancel);
    klwOk->OnClick = [this](QObject *sender) { klwOkClick(sender); };
    klwAnuluj->OnClick = [this](QObject *sender) { klwAnulujClick(sender); };

    QGroupBox *sound = group(this, DialogTexts::SoundGroup, {chkNoSound, chkNoMusic, chkNoClicks});
    QGroupBox *autostart = group(this, DialogTexts::AutostartGroup, {chkAnim, chkMenu, chkExplorer});
    QGroupBox *archives = group(this, DialogTexts::ArchiveGroup, {chkOpenZip, chkOpenRAR});
    QGroupBox *other = group(this, DialogTexts::OtherGroup, {chkSave, chkMinONRun});
    auto *groups = new QGridLayout;
    groups->addWidget(sound, 0, 0);
    groups->addWidget(autostart, 0, 1);
    groups->addWidget(archives, 1, 0);
    groups->addWidget(other, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(klwOk);
    buttons->addWidget(klwAnuluj);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(buttons);

    DialogStyle::paint(this, color, fontColor,
                       {sound, autostart, archives, other, chkNoSound, chkNoMusic, chkNoClicks, chkAnim, chkMenu,
                        chkExplorer, chkOpenZip, chkOpenRAR, chkSave, chkMinONRun, klwOk, klwAnuluj});
}

TBitCheckBox *TfrmOpcje::box(const QString &name, const QString &caption, bool checked)
{
    auto *box = new TBitCheckBox(this);
    box->setObjectName(name);
    box->setCaption(caption);
    box->setChecked(checked);
    box->setMinimumSize(220, 17);
    return box;
}

void TfrmOpcje::chkAnimClick(QObject *)
{
    if (chkMenu->checked())
        chkExplorer->setChecked(false);
    chkSave->setChecked(true);
}

void TfrmOpcje::chkExplorerClick(QObject *)
{
    if (chkExplorer->checked())
        chkMenu->setChecked(false);
    chkSave->setChecked(true);
}

void TfrmOpcje::klwOkClick(QObject *)
{
    UserOptions &options = m_context.Options;
    options.NOSOUND = chkNoSound->checked();
    options.NoMusic = chkNoMusic->checked();
    options.NoClicks = chkNoClicks->checked();
    options.OpenZIP = chkOpenZip->checked();
    options.OpenRAR = chkOpenRAR->checked();
    options.MINONRUN = chkMinONRun->checked();
    if (chkSave->checked())
        save();
    applyMusic();
    accept();
}

void TfrmOpcje::save()
{
    const QList<bool> values{chkNoSound->checked(), chkNoClicks->checked(), chkNoMusic->checked(),
                             chkAnim->checked(),    chkMenu->checked(),     chkExplorer->checked(),
                             chkOpenZip->checked(), chkOpenRAR->checked(),  chkMinONRun->checked()};
    const QString cd = m_context.cdId();
    Platform::ProfileFile &file = *m_context.UserOptionsIni;
    for (qsizetype i = 0; i < values.size(); ++i)
        file.writeString(cd, savedKeys().at(i), values.at(i) ? QStringLiteral("1") : QStringLiteral("0"));
    // An options file that cannot be written only means the choices last
    // for this run; the old file stays whole.
    file.flush();
}

void TfrmOpcje::applyMusic()
{
    // The music is one for both windows; whichever music keys exist show
    // its state.
    if (m_context.Options.NoMusic || m_context.Options.NOSOUND)
        m_music.switchOff();
}

void TfrmOpcje::klwAnulujClick(QObject *)
{
    reject();
}

void TfrmOpcje::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        klwOkClick(klwOk);
        return;
    }
    QDialog::keyPressEvent(event);
}
