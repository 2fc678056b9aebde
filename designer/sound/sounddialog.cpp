#include "sound/sounddialog.h"

#include "mainwindow/hinttexts.h"
#include "objects/designedits.h"
#include "project/designercontext.h"
#include "project/dialogbutton.h"
#include "propertyeditors/pickedpaths.h"
#include "sound/soundmessages.h"
#include "sound/soundplayers.h"
#include "sound/soundsettings.h"

#include <dialogs.h>
#include <paths.h>

#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

TfrmDzwiek::TfrmDzwiek(DesignerContext &context, DesignerPlayers &players, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_players(players)
{
    setObjectName(QStringLiteral("frmDzwiek"));
    setWindowTitle(SoundMessages::caption());
    auto *layout = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    layout->addLayout(grid);
    addRow(grid, 0, QStringLiteral("Muzyka w tle:"), edtMuzyka, klwBrowseMusic, klwPlayMusic, QStringLiteral("Sound"));
    addRow(grid, 1, QStringLiteral("Wejście kursora:"), edtMove, klwBrowseMove, klwPlayMove, QStringLiteral("Down&Up"));
    addRow(grid, 2, QStringLiteral("Naciśnięcie klawisza:"), edtNacisniecie, klwBrowseDown, klwPlayDown,
           QStringLiteral("Down&Up"));
    addRow(grid, 3, QStringLiteral("Zwolnienie klawisza:"), edtZwolnienie, klwBrowseUp, klwPlayUp,
           QStringLiteral("Down&Up"));
    edtMuzyka->setObjectName(QStringLiteral("edtMuzyka"));
    edtMove->setObjectName(QStringLiteral("edtMove"));
    edtNacisniecie->setObjectName(QStringLiteral("edtNacisniecie"));
    edtZwolnienie->setObjectName(QStringLiteral("edtZwolnienie"));
    klwBrowseMusic->setObjectName(QStringLiteral("klwBrowseMusic"));
    klwPlayMusic->setObjectName(QStringLiteral("klwPlayMusic"));
    klwBrowseMove->setObjectName(QStringLiteral("klwBrowseMove"));
    klwPlayMove->setObjectName(QStringLiteral("klwPlayMove"));
    klwBrowseDown->setObjectName(QStringLiteral("klwBrowseDown"));
    klwPlayDown->setObjectName(QStringLiteral("klwPlayDown"));
    klwBrowseUp->setObjectName(QStringLiteral("klwBrowseUp"));
    klwPlayUp->setObjectName(QStringLiteral("klwPlayUp"));

    auto *buttons = new QHBoxLayout;
    layout->addLayout(buttons);
    klwStopPlaying = dialogButton(QStringLiteral("klwStopPlaying"), QStringLiteral("■"), SoundMessages::stopHint(), this);
    klwOk = dialogButton(QStringLiteral("klwOk"), QStringLiteral("&OK"), {}, this);
    klwAnuluj = dialogButton(QStringLiteral("klwAnuluj"), QStringLiteral("&Anuluj"), {}, this);
    klwOk->setDefault(true);
    buttons->addWidget(klwStopPlaying);
    buttons->addStretch();
    buttons->addWidget(klwOk);
    buttons->addWidget(klwAnuluj);

    connect(klwBrowseMusic, &QPushButton::clicked, this, [this] { klwBrowseMusicClick(klwBrowseMusic); });
    connect(klwPlayMusic, &QPushButton::clicked, this, [this] { klwPlayMusicClick(klwPlayMusic); });
    for (QPushButton *browse : {klwBrowseMove, klwBrowseDown, klwBrowseUp})
        connect(browse, &QPushButton::clicked, this, [this, browse] { klwBrowseSoundClick(browse); });
    for (QPushButton *play : {klwPlayMove, klwPlayDown, klwPlayUp})
        connect(play, &QPushButton::clicked, this, [this, play] { klwPlaySoundClick(play); });
    connect(klwStopPlaying, &QPushButton::clicked, this, [this] { klwStopPlayingClick(klwStopPlaying); });
    connect(klwOk, &QPushButton::clicked, this, [this] { klwOkClick(klwOk); });
    connect(klwAnuluj, &QPushButton::clicked, this, &QDialog::reject);
    FormCreate();
}

void TfrmDzwiek::addRow(QGridLayout *grid, int row, const QString &label, QLineEdit *&field, QPushButton *&browse,
                        QPushButton *&play, const QString &browseKey)
{
    field = new QLineEdit(this);
    field->setMinimumWidth(280);
    browse = dialogButton({}, QStringLiteral("···"), SoundMessages::browseHint(), this);
    play = dialogButton({}, QStringLiteral("▶"), SoundMessages::playHint(), this);
    // The hint window explains the buttons by keys of their own.
    browse->setProperty(HintTexts::KeyProperty, browseKey);
    play->setProperty(HintTexts::KeyProperty, QStringLiteral("TestSounds"));
    grid->addWidget(new QLabel(label, this), row, 0);
    grid->addWidget(field, row, 1);
    grid->addWidget(browse, row, 2);
    grid->addWidget(play, row, 3);
}

void TfrmDzwiek::FormCreate()
{
    const SoundSettings sounds = SoundSettings::read(m_context.Design);
    edtMuzyka->setText(sounds.music);
    edtMove->setText(sounds.move);
    edtNacisniecie->setText(sounds.down);
    edtZwolnienie->setText(sounds.up);
}

QLineEdit *TfrmDzwiek::fieldOf(QObject *button) const
{
    if (button == klwBrowseMusic || button == klwPlayMusic)
        return edtMuzyka;
    if (button == klwBrowseMove || button == klwPlayMove)
        return edtMove;
    if (button == klwBrowseDown || button == klwPlayDown)
        return edtNacisniecie;
    return edtZwolnienie;
}

QString TfrmDzwiek::fullPath(const QString &stored) const
{
    return Platform::resolveDocumentPath(m_context.DriveRoot, stored);
}

void TfrmDzwiek::warn(const QString &text)
{
    Platform::showMessage(this, text, DesignerCaption, Platform::MessageButtons::Ok, Platform::MessageIcon::Warning);
}

void TfrmDzwiek::klwBrowseMusicClick(QObject *)
{
    const QString start = edtMuzyka->text().isEmpty() ? m_context.DriveRoot : fullPath(edtMuzyka->text());
    const QString chosen = Platform::Dialogs::instance().openFile(this, QStringLiteral("Otwórz"), start,
                                                                  SoundMessages::musicFilter());
    if (const std::optional<QString> stored = PickedPaths::storeChosenOrTell(this, m_context.DriveRoot, chosen))
        edtMuzyka->setText(*stored);
}

void TfrmDzwiek::klwBrowseSoundClick(QObject *sender)
{
    QLineEdit *field = fieldOf(sender);
    const QString start = field->text().isEmpty() ? m_context.DriveRoot : fullPath(field->text());
    const QString chosen = Platform::Dialogs::instance().openFile(this, QStringLiteral("Otwórz"), start,
                                                                  SoundMessages::waveFilter());
    if (chosen.isEmpty())
        return;
    if (const std::optional<QString> refusal = SoundSettings::clickSoundRefusal(chosen)) {
        warn(*refusal);
        return;
    }
    if (const std::optional<QString> stored = PickedPaths::storeChosenOrTell(this, m_context.DriveRoot, chosen))
        field->setText(*stored);
}

void TfrmDzwiek::klwPlaySoundClick(QObject *sender)
{
    const QString stored = fieldOf(sender)->text();
    if (!stored.trimmed().isEmpty())
        m_players.playMedia(fullPath(stored));
}

void TfrmDzwiek::klwPlayMusicClick(QObject *sender)
{
    const QString stored = edtMuzyka->text();
    if (stored.trimmed().isEmpty())
        return;
    if (DesignerPlayers::carrierOf(stored) == DesignerPlayers::Carrier::Media) {
        klwPlaySoundClick(sender);
        return;
    }
    // Without a configured plug-in the player looks beside the program.
    const QString library = m_context.MpegDllPath.isEmpty() ? QString()
                                                             : QFileInfo(m_context.MpegDllPath).absolutePath();
    m_players.playMpeg(fullPath(stored), library);
}

void TfrmDzwiek::klwStopPlayingClick(QObject *)
{
    m_players.stopAll();
}

void TfrmDzwiek::klwOkClick(QObject *)
{
    m_players.stopAll();
    SoundSettings sounds;
    const std::array<std::pair<QLineEdit *, QString *>, 4> fields = {
        {{edtMuzyka, &sounds.music}, {edtMove, &sounds.move}, {edtNacisniecie, &sounds.down}, {edtZwolnienie, &sounds.up}}};
    for (const auto &[edit, value] : fields) {
        const PickedPaths::Stored stored = PickedPaths::fromField(m_context.DriveRoot, edit->text().trimmed());
        if (!stored.ok()) {
            warn(stored.error);
            edit->setFocus();
            return;
        }
        *value = stored.path;
    }
    DesignEdits::changeSettings(m_context, [&sounds](ProjectFormat::MenuDesign &design) { sounds.write(design); });
    m_context.undo().SaveUndo(SoundMessages::undoStep());
    accept();
}

void TfrmDzwiek::done(int result)
{
    m_players.stopOnClose();
    QDialog::done(result);
}

void runSoundDialog(QWidget *parent, DesignerContext &context, DesignerPlayers &players)
{
    TfrmDzwiek dialog(context, players, parent);
    dialog.exec();
}
