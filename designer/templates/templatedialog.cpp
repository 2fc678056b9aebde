#include "templatedialog.h"

#include "project/designercontext.h"
#include "templates/templatemessages.h"

#include <lists/horlistbox.h>

#include <dialogs.h>
#include <profilefile.h>

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Templates;

namespace {

const QSize PreviewSize(256, 192);

Platform::MessageAnswer askYesNoCancel(QWidget *parent, const QString &text)
{
    return Platform::showMessage(parent, text, DesignerCaption, Platform::MessageButtons::YesNoCancel,
                                 Platform::MessageIcon::Question);
}

// The line of the file list for one named file.
QString lineOf(const ProjectFiles::NamedFile &file)
{
    if (file.source == ProjectFiles::Source::Project)
        return file.stored;
    if (file.key == u"MPEGDLL")
        return file.exists ? file.stored : TemplateMessages::noMp3Library();
    if (!file.stored.isEmpty())
        return file.stored;
    if (file.key == u"MENU")
        return TemplateMessages::noRuntime();
    if (file.key == u"KOPIARKA")
        return TemplateMessages::noCopier();
    return TemplateMessages::noAutostart();
}

QImage clipboardPicture()
{
    const QClipboard *clipboard = QGuiApplication::clipboard();
    return clipboard ? clipboard->image() : QImage();
}

} // namespace

TfrmSzablon::TfrmSzablon(QWidget *parent, TemplateChooserSetup setup)
    : QDialog(parent)
    , m_setup(std::move(setup))
{
    if (!m_setup.clipboardImage)
        m_setup.clipboardImage = clipboardPicture;
    buildForm();
    FormCreate();
}

void TfrmSzablon::buildForm()
{
    setObjectName(QStringLiteral("frmSzablon"));
    setWindowTitle(TemplateMessages::caption());
    Pages = new QTabWidget(this);
    tabNazwy = new QWidget;
    tabPliki = new QWidget;
    Pages->addTab(tabNazwy, QStringLiteral("Szablony"));
    Pages->addTab(tabPliki, QStringLiteral("Pliki szablonu"));
    ListaNazw = new THListBox(tabNazwy);
    ListaNazw->setObjectName(QStringLiteral("ListaNazw"));
    (new QVBoxLayout(tabNazwy))->addWidget(ListaNazw);
    Lista = new THCheckListBox(tabPliki);
    Lista->setObjectName(QStringLiteral("Lista"));
    (new QVBoxLayout(tabPliki))->addWidget(Lista);

    Panel = new QLabel;
    Panel->setObjectName(QStringLiteral("Panel"));
    Panel->setFixedSize(PreviewSize + QSize(4, 4));
    Panel->setFrameShape(QFrame::StyledPanel);
    Panel->setAlignment(Qt::AlignCenter);
    Image1 = new QLabel(Panel);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(2, 2, PreviewSize.width(), PreviewSize.height());
    Image1->setScaledContents(true);

    klwOk = new QPushButton(QStringLiteral("&OK"));
    klwUsun = new QPushButton(QStringLiteral("&Usuń"));
    klwZrzut = new QPushButton(QStringLiteral("&Zrzut"));
    klwAnuluj = new QPushButton(QStringLiteral("&Anuluj"));
    klwHelp = new QPushButton(QStringLiteral("Pomo&c"));
    klwOk->setDefault(true);

    auto *top = new QHBoxLayout;
    top->addWidget(Pages, 1);
    top->addWidget(Panel, 0, Qt::AlignTop);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {klwOk, klwUsun, klwZrzut, klwAnuluj, klwHelp})
        buttons->addWidget(button);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    resize(600, 360);

    connect(ListaNazw, &QListWidget::currentRowChanged, this, [this] { PreviewSzablon(ListaNazw); });
    connect(ListaNazw, &QListWidget::itemDoubleClicked, this, [this] { klwOkClick(ListaNazw); });
    connect(Pages, &QTabWidget::currentChanged, this, [this] { PagesChange(Pages); });
    connect(klwOk, &QPushButton::clicked, this, [this] { klwOkClick(klwOk); });
    connect(klwUsun, &QPushButton::clicked, this, [this] { klwUsunClick(klwUsun); });
    connect(klwZrzut, &QPushButton::clicked, this, [this] { klwZrzutClick(klwZrzut); });
    connect(klwAnuluj, &QPushButton::clicked, this, &QDialog::reject);
    connect(klwHelp, &QPushButton::clicked, this, [this] { m_setup.showHelp(); });
}

void TfrmSzablon::FormCreate()
{
    Pages->setCurrentWidget(tabNazwy);
    fillNames();
}

void TfrmSzablon::fillNames()
{
    m_templates = listTemplates(m_setup.userDir, m_setup.programDir);
    const QSignalBlocker quiet(ListaNazw);
    ListaNazw->clearItems();
    for (const Template &entry : m_templates)
        ListaNazw->addItem(entry.name);
    ListaNazw->setCurrentRow(m_templates.isEmpty() ? -1 : 0);
    PreviewSzablon(ListaNazw);
}

std::optional<Template> TfrmSzablon::selected() const
{
    const int row = ListaNazw->currentRow();
    if (row < 0 || row >= m_templates.size())
        return std::nullopt;
    return m_templates[row];
}

void TfrmSzablon::updateButtons()
{
    const std::optional<Template> entry = selected();
    // A shipped template is the program's own: it is neither deleted nor changed.
    const bool own = entry && !entry->shipped;
    klwUsun->setEnabled(own);
    klwZrzut->setEnabled(own);
    klwOk->setEnabled(entry.has_value());
}

void TfrmSzablon::PreviewSzablon(QObject *)
{
    updateButtons();
    const std::optional<Template> entry = selected();
    showPreview(entry ? readPreview(*entry) : QImage());
    if (Pages->currentWidget() == tabPliki)
        PagesChange(Pages);
}

void TfrmSzablon::showPreview(const QImage &picture)
{
    m_preview = picture;
    if (picture.isNull()) {
        Image1->clear();
        Image1->hide();
        Panel->setText(TemplateMessages::noPreview());
        return;
    }
    Panel->clear();
    Image1->setPixmap(QPixmap::fromImage(picture));
    Image1->show();
}

void TfrmSzablon::PagesChange(QObject *)
{
    if (Pages->currentWidget() != tabPliki)
        return;
    Lista->clearItems();
    const std::optional<Template> entry = selected();
    if (!entry)
        return;
    const Platform::ProfileFile project(projectFile(*entry));
    const QList<ProjectFiles::NamedFile> files = ProjectFiles::filesNamed(
        project, m_setup.driveRoot, m_setup.configured, ProjectFiles::FileList::Template);
    for (const ProjectFiles::NamedFile &file : files) {
        const int index = Lista->addItem(lineOf(file));
        Lista->setChecked(index, file.exists);
    }
}

void TfrmSzablon::tell(const QString &text)
{
    Platform::showMessage(this, text, DesignerCaption, Platform::MessageButtons::Ok, Platform::MessageIcon::Error);
}

std::optional<Template> TfrmSzablon::selectedStillThere()
{
    const std::optional<Template> entry = selected();
    if (!entry)
        return std::nullopt;
    if (stillThere(*entry))
        return entry;
    tell(TemplateMessages::templateGone(entry->name));
    fillNames();
    return std::nullopt;
}

QString TfrmSzablon::askTargetFile()
{
    QString target = Platform::Dialogs::instance().saveFile(this, TemplateMessages::saveCaption(), QString(),
                                                            TemplateMessages::projectFilter());
    if (target.isEmpty() || !QFileInfo(target).suffix().isEmpty())
        return target; // the save dialog asked about an existing file itself
    target += QStringLiteral(".KLV");
    if (QFileInfo::exists(target)
        && Platform::showMessage(this, TemplateMessages::fileExists(target), DesignerCaption,
                                 Platform::MessageButtons::YesNo, Platform::MessageIcon::Question)
               != Platform::MessageAnswer::Yes)
        return {};
    return target;
}

void TfrmSzablon::klwOkClick(QObject *)
{
    const std::optional<Template> entry = selectedStillThere();
    if (!entry || !m_setup.saveQuestion())
        return;
    const QString target = askTargetFile();
    if (target.isEmpty())
        return;
    const Result copied = copyTo(*entry, target);
    if (!copied.ok()) {
        tell(copied.error);
        return;
    }
    accept();
    m_setup.openProject(target);
}

void TfrmSzablon::klwUsunClick(QObject *)
{
    const std::optional<Template> entry = selectedStillThere();
    if (!entry || askYesNoCancel(this, TemplateMessages::deleteQuestion()) != Platform::MessageAnswer::Yes)
        return;
    const Result removed = remove(*entry);
    if (!removed.ok())
        tell(removed.error);
    fillNames();
}

void TfrmSzablon::klwZrzutClick(QObject *)
{
    const std::optional<Template> entry = selectedStillThere();
    if (!entry)
        return;
    const QImage picture = m_setup.clipboardImage();
    if (picture.isNull()) {
        Platform::showMessage(this, TemplateMessages::noBitmap(), DesignerCaption, Platform::MessageButtons::Ok,
                              Platform::MessageIcon::Warning);
        return;
    }
    if (askYesNoCancel(this, TemplateMessages::previewQuestion()) != Platform::MessageAnswer::Yes)
        return;
    const QImage preview = previewPicture(picture, PreviewSize);
    const Result saved = savePreview(*entry, preview);
    if (!saved.ok()) {
        tell(saved.error);
        return;
    }
    showPreview(readPreview(*entry));
}

void runTemplateChooser(QWidget *parent, TemplateChooserSetup setup)
{
    TfrmSzablon dialog(parent, std::move(setup));
    dialog.exec();
}
