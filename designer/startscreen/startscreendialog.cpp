#include "startscreen/startscreendialog.h"

#include "objects/designedits.h"
#include "project/designercontext.h"
#include "project/dialogbutton.h"
#include "propertyeditors/pickedpaths.h"
#include "startscreen/startscreenmessages.h"
#include "startscreen/startscreensettings.h"

#include <checkbox/bitcheckbox.h>

#include <dialogs.h>
#include <paths.h>
#include <safefile.h>

#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMediaPlayer>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>
#include <QUrl>
#include <QVBoxLayout>
#include <QVideoWidget>

namespace {

constexpr int PreviewWidth = 340;

QSpinBox *sizeSpin(const QString &name, QWidget *parent)
{
    auto *spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(0, StartScreenSettings::MaxSize);
    return spin;
}

} // namespace

TfrmSetEkran::TfrmSetEkran(DesignerContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmSetEkran"));
    setWindowTitle(StartScreenMessages::caption());
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(buildFields());
    layout->addWidget(buildPreview());
    m_previewColumn->hide();
    FormCreate();
    // The preview lies beside the fields; "Podgląd" widens the dialog to it.
    setFixedSize(sizeHint());
    m_narrowWidth = width();
}

TfrmSetEkran::~TfrmSetEkran()
{
    closeAnimation();
}

QWidget *TfrmSetEkran::buildFields()
{
    auto *panel = new QWidget(this);
    auto *column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    const auto group = [&](const QString &title, const QString &fileLabel, QLineEdit *&field, QPushButton *&browse,
                           QSpinBox *height, QSpinBox *width) {
        auto *box = new QGroupBox(title, panel);
        auto *form = new QFormLayout(box);
        auto *row = new QHBoxLayout;
        field = new QLineEdit(box);
        field->setMinimumWidth(240);
        field->installEventFilter(this);
        browse = dialogButton({}, QStringLiteral("···"), box);
        row->addWidget(field);
        row->addWidget(browse);
        form->addRow(fileLabel, row);
        form->addRow(QStringLiteral("Wysokość:"), height);
        form->addRow(QStringLiteral("Szerokość:"), width);
        column->addWidget(box);
    };
    edtWysAVI = sizeSpin(QStringLiteral("edtWysAVI"), panel);
    edtSzerAVI = sizeSpin(QStringLiteral("edtSzerAVI"), panel);
    edtWysBMP = sizeSpin(QStringLiteral("edtWysBMP"), panel);
    edtSzerBMP = sizeSpin(QStringLiteral("edtSzerBMP"), panel);
    group(QStringLiteral("Animacja"), QStringLiteral("Plik AVI:"), edtAVI, BrowseAVI, edtWysAVI, edtSzerAVI);
    group(QStringLiteral("Obraz po animacji: "), QStringLiteral("Plik BMP:"), edtBMP, BrowseBMP, edtWysBMP, edtSzerBMP);
    edtAVI->setObjectName(QStringLiteral("edtAVI"));
    edtBMP->setObjectName(QStringLiteral("edtBMP"));
    BrowseAVI->setObjectName(QStringLiteral("BrowseAVI"));
    BrowseBMP->setObjectName(QStringLiteral("BrowseBMP"));

    Preview = new TBitCheckBox(panel);
    Preview->setObjectName(QStringLiteral("Preview"));
    Preview->setCaption(QStringLiteral("Podgląd"));
    Preview->setMinimumSize(Preview->fontMetrics().horizontalAdvance(Preview->caption()) + 30, 20);
    auto *buttons = new QHBoxLayout;
    klwOk = dialogButton(QStringLiteral("klwOk"), QStringLiteral("&OK"), panel);
    klwAnuluj = dialogButton(QStringLiteral("klwAnuluj"), QStringLiteral("&Anuluj"), panel);
    klwOk->setDefault(true);
    buttons->addWidget(Preview);
    buttons->addStretch();
    buttons->addWidget(klwOk);
    buttons->addWidget(klwAnuluj);
    column->addStretch();
    column->addLayout(buttons);

    connect(BrowseAVI, &QPushButton::clicked, this, [this] { BrowseAVIClick(BrowseAVI); });
    connect(BrowseBMP, &QPushButton::clicked, this, [this] { BrowseBMPClick(BrowseBMP); });
    Preview->OnClick = [this](QObject *sender) { PreviewClick(sender); };
    connect(klwOk, &QPushButton::clicked, this, [this] { klwOKClick(klwOk); });
    connect(klwAnuluj, &QPushButton::clicked, this, &QDialog::reject);
    return panel;
}

QWidget *TfrmSetEkran::buildPreview()
{
    m_previewColumn = new QWidget(this);
    m_previewColumn->setFixedWidth(PreviewWidth);
    auto *column = new QVBoxLayout(m_previewColumn);
    column->setContentsMargins(0, 0, 0, 0);
    ScrollBox1 = new QScrollArea(m_previewColumn);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    m_previewArea = new QWidget;
    imgPreview = new QLabel(m_previewArea);
    imgPreview->setObjectName(QStringLiteral("imgPreview"));
    hidePicture();
    ScrollBox1->setWidget(m_previewArea);
    column->addWidget(ScrollBox1, 1);

    auto *player = new QHBoxLayout;
    MPPlay = dialogButton(QStringLiteral("MPPlay"), QStringLiteral("▶"), m_previewColumn);
    MPStop = dialogButton(QStringLiteral("MPStop"), QStringLiteral("■"), m_previewColumn);
    MPPlay->setFixedWidth(40);
    MPStop->setFixedWidth(40);
    player->addWidget(MPPlay);
    player->addWidget(MPStop);
    player->addStretch();
    column->addLayout(player);
    connect(MPPlay, &QPushButton::clicked, this, [this] {
        MPClick(MPPlay);
        if (m_player)
            m_player->play();
    });
    connect(MPStop, &QPushButton::clicked, this, [this] {
        MPClick(MPStop);
        if (m_player)
            m_player->stop();
    });
    return m_previewColumn;
}

void TfrmSetEkran::FormCreate()
{
    const StartScreenSettings settings = StartScreenSettings::read(m_context.Design);
    edtAVI->setText(settings.animation.name);
    edtWysAVI->setValue(settings.animation.height);
    edtSzerAVI->setValue(settings.animation.width);
    edtBMP->setText(settings.picture.name);
    edtWysBMP->setValue(settings.picture.height);
    edtSzerBMP->setValue(settings.picture.width);
}

bool TfrmSetEkran::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == edtAVI)
            edtAVIClick(edtAVI);
        else if (watched == edtBMP)
            edtBMPClick(edtBMP);
    }
    return QDialog::eventFilter(watched, event);
}

QString TfrmSetEkran::fullPath(const QString &stored) const
{
    return Platform::resolveDocumentPath(m_context.DriveRoot, stored);
}

void TfrmSetEkran::warn(const QString &text)
{
    Platform::showMessage(this, text, DesignerCaption, Platform::MessageButtons::Ok, Platform::MessageIcon::Warning);
}

std::optional<QString> TfrmSetEkran::chosenFile(const QString &field, const QString &filter)
{
    const bool named = !field.trimmed().isEmpty() && !field.contains(u'*');
    const QString start = named ? fullPath(field) : m_context.DriveRoot;
    const QString chosen = Platform::Dialogs::instance().openFile(this, QStringLiteral("Otwórz"), start, filter);
    return PickedPaths::storeChosenOrTell(this, m_context.DriveRoot, chosen);
}

void TfrmSetEkran::BrowseAVIClick(QObject *)
{
    const std::optional<QString> stored = chosenFile(edtAVI->text(), StartScreenMessages::animationFilter());
    if (!stored)
        return;
    edtAVI->setText(*stored);
    if (!Preview->checked())
        return;
    if (!openAnimation(*stored, true)) {
        warn(StartScreenMessages::cannotOpen(*stored));
        return;
    }
    m_player->play();
}

void TfrmSetEkran::BrowseBMPClick(QObject *)
{
    const std::optional<QString> stored = chosenFile(edtBMP->text(), StartScreenMessages::bitmapFilter());
    if (!stored)
        return;
    edtBMP->setText(*stored);
    if (Preview->checked() && !showPicture(*stored))
        warn(StartScreenMessages::cannotOpen(m_context.DriveRoot + *stored));
}

void TfrmSetEkran::edtAVIClick(QObject *)
{
    hidePicture();
    if (Preview->checked())
        openAnimation(edtAVI->text().trimmed(), false);
}

void TfrmSetEkran::edtBMPClick(QObject *)
{
    closeAnimation();
    if (Preview->checked())
        showPicture(edtBMP->text().trimmed());
}

void TfrmSetEkran::MPClick(QObject *)
{
    hidePicture();
}

void TfrmSetEkran::PreviewClick(QObject *)
{
    m_previewColumn->setVisible(Preview->checked());
    const int width = Preview->checked() ? m_narrowWidth + PreviewWidth + 10 : m_narrowWidth;
    setFixedWidth(width);
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen)
        move((screen->geometry().width() - width) / 2, y());
}

bool TfrmSetEkran::showPicture(const QString &stored)
{
    // The bounded reader: a header claiming a huge picture costs nothing.
    const QImage picture = stored.isEmpty() ? QImage() : Platform::readPicture(fullPath(stored));
    if (picture.isNull())
        return false;
    if (m_video)
        m_video->hide();
    imgPreview->setPixmap(QPixmap::fromImage(picture));
    imgPreview->setGeometry(0, 0, picture.width(), picture.height());
    m_previewArea->resize(picture.size());
    return true;
}

void TfrmSetEkran::hidePicture()
{
    imgPreview->setPixmap({});
    imgPreview->setGeometry(0, 0, 1, 0);
}

bool TfrmSetEkran::openAnimation(const QString &stored, bool reportErrors)
{
    const QString file = stored.isEmpty() || stored.contains(u'*') ? QString() : fullPath(stored);
    // Only a regular file goes to the media framework: a FIFO would hold it.
    if (file.isEmpty() || !Platform::isRegularFile(file))
        return false;
    if (!m_player) {
        m_player = new QMediaPlayer(this);
        m_video = new QVideoWidget(m_previewArea);
        m_player->setVideoOutput(m_video);
        connect(m_player, &QMediaPlayer::errorOccurred, this, [this] {
            if (!m_reportFailureOf.isEmpty())
                warn(StartScreenMessages::cannotOpen(std::exchange(m_reportFailureOf, {})));
        });
    }
    if (!m_player->isAvailable())
        return false;
    m_reportFailureOf = reportErrors ? stored : QString();
    m_previewArea->resize(ScrollBox1->viewport()->size());
    m_video->setGeometry(QRect(QPoint(0, 0), ScrollBox1->viewport()->size()));
    m_video->show();
    m_player->setSource(QUrl::fromLocalFile(file));
    return true;
}

void TfrmSetEkran::closeAnimation()
{
    if (!m_player)
        return;
    m_reportFailureOf.clear();
    m_player->stop();
    m_player->setSource({});
    if (m_video)
        m_video->hide();
}

void TfrmSetEkran::klwOKClick(QObject *)
{
    StartScreenSettings confirmed;
    confirmed.animation = {edtAVI->text(), edtWysAVI->value(), edtSzerAVI->value()};
    confirmed.picture = {edtBMP->text(), edtWysBMP->value(), edtSzerBMP->value()};
    const QString dropped = StartScreenSettings::droppedSizes(StartScreenSettings::read(m_context.Design), confirmed);
    std::optional<QString> error;
    DesignEdits::changeSettings(m_context, [&](ProjectFormat::MenuDesign &design) {
        error = StartScreenSettings::store(design, confirmed, m_context.DriveRoot);
    });
    if (error) {
        warn(*error);
        return;
    }
    if (!dropped.isEmpty())
        warn(dropped);
    m_context.undo().SaveUndo(StartScreenMessages::undoStep());
    accept();
}

void runStartScreenDialog(QWidget *parent, DesignerContext &context)
{
    TfrmSetEkran dialog(context, parent);
    dialog.exec();
}
