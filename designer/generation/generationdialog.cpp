#include "generationdialog.h"

#include "project/designercontext.h"
#include "document/designerproject.h"
#include "project/cdfolder.h"

#include <checkbox/bitcheckbox.h>
#include <browse/browsefolder.h>
#include <dialogs.h>
#include <paths.h>
#include <fileicons/fileindexicon.h>
#include <lists/horlistbox.h>
#include <buttons/menubutton.h>
#include <safefile.h>

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Generation;
using Platform::MessageAnswer;
using Platform::MessageButtons;
using Platform::MessageIcon;

namespace {

const QString WarningText = QStringLiteral(
    "Uwaga!!!\rJeżeli jakikolwiek plik docelowy już istnieje to najpierw zostanie on skasowany!\r"
    "Dopiero po skasowaniu wszystkich takich plików rozpocznie się generowanie.\r"
    "W związku z czym anulowanie generowania nie uratuje plików!\r\rCzy chcesz kontynuować?");

// Source lines: unticked headers in blue, unticked files and messages in
// red, ticked lines in the list's own colour; one pixel in from the corner.
class SourceLineDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QString text = opt.text;
        opt.text.clear();
        QApplication::style()->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
        const bool ticked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
        QColor color = opt.palette.color(QPalette::Text);
        if (!ticked)
            color = text.startsWith(u'>') ? QColor(Qt::blue) : QColor(Qt::red);
        if (opt.state & QStyle::State_Selected)
            color = opt.palette.color(QPalette::HighlightedText);
        const QRect textRect =
            QApplication::style()->subElementRect(QStyle::SE_ItemViewItemText, &opt, opt.widget).translated(1, 1);
        painter->setPen(color);
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, text);
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(std::max(size.height(), option.fontMetrics.height() + 2));
        return size;
    }
};

// The final message; programs counts those naming files the CD lacks.
QString finishedMessage(int programs)
{
    QString text = QStringLiteral("Generowanie zakończone!");
    if (programs > 0)
        text += QStringLiteral("\r\rProgramy, które wskazują pliki spoza płyty (lista \"Pliki źródłowe\"): %1").arg(programs);
    return text;
}

TMenuButton *browseButton(QWidget *parent)
{
    auto *button = new TMenuButton(parent);
    button->setCaption(QStringLiteral("..."));
    button->setFixedSize(24, 22);
    return button;
}

} // namespace

TfrmGeneruj::TfrmGeneruj(QWidget *parent, DesignerContext &context, const GeneratorConfig &settings)
    : QDialog(parent), m_context(context), m_settings(settings)
{
    setObjectName(QStringLiteral("frmGeneruj"));
    setWindowTitle(QStringLiteral("Generowanie MENU"));
    buildForm();
    OdczytPlikow();
}

void TfrmGeneruj::buildForm()
{
    auto *layout = new QVBoxLayout(this);
    auto *fields = new QGridLayout;
    const auto addField = [&](int row, const QString &label, QLineEdit *&edit, TMenuButton *&button,
                              const QString &title) {
        fields->addWidget(new QLabel(label, this), row, 0);
        edit = new QLineEdit(this);
        fields->addWidget(edit, row, 1);
        button = browseButton(this);
        fields->addWidget(button, row, 2);
        button->OnClick = [this, edit, title](QObject *) { browseFolder(edit, title); };
        connect(edit, &QLineEdit::returnPressed, this, [this] { Slesze(); });
    };
    addField(0, QStringLiteral("Folder dla MENU:"), edtKatalogMenu, BrowseMenu, QStringLiteral("Folder dla MENU:"));
    addField(1, QStringLiteral("Folder dla plików multimedialnych:"), edtKatalogMulti, BrowseMulti,
             QStringLiteral("Folder dla plików multimedialnych:"));
    addField(2, QStringLiteral("Folder dla plików danych:"), edtKatalogDane, BrowseDane,
             QStringLiteral("Folder dla plików danych:"));
    edtKatalogMenu->setObjectName(QStringLiteral("edtKatalogMenu"));
    edtKatalogMulti->setObjectName(QStringLiteral("edtKatalogMulti"));
    edtKatalogDane->setObjectName(QStringLiteral("edtKatalogDane"));
    layout->addLayout(fields);
    BrowseFld = new TBrowseFolder(this);

    auto *middle = new QHBoxLayout;
    PageControl1 = new QTabWidget(this);
    tabSource = buildSourcePage();
    tabTarget = buildTargetPage();
    tabAutoStart = buildAutorunPage();
    PageControl1->addTab(tabSource, QStringLiteral("Pliki źródłowe"));
    PageControl1->addTab(tabTarget, QStringLiteral("Pliki docelowe"));
    PageControl1->addTab(tabAutoStart, QStringLiteral("AUTORUN.INF"));
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] { PageControl1Change(PageControl1); });
    middle->addWidget(PageControl1, 3);

    auto *previewPanel = new QVBoxLayout;
    Image = new QLabel(this);
    Image->setObjectName(QStringLiteral("Image"));
    Image->setFixedSize(160, 120);
    Image->setFrameShape(QFrame::Panel);
    Image->setFrameShadow(QFrame::Sunken);
    Image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    previewPanel->addWidget(Image);
    BitCheckBox1 = new TBitCheckBox(this);
    BitCheckBox1->setCaption(QStringLiteral("Rozciągaj"));
    BitCheckBox1->setFixedSize(110, 20);
    BitCheckBox1->OnClick = [this](QObject *) { showPreview({}); };
    previewPanel->addWidget(BitCheckBox1);
    previewPanel->addStretch();
    middle->addLayout(previewPanel, 1);
    layout->addLayout(middle, 1);

    lblProgress = new QLabel(this);
    Progress = new QProgressBar(this);
    lblProgress->hide();
    Progress->hide();
    layout->addWidget(lblProgress);
    layout->addWidget(Progress);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    klwOK = new QPushButton(QStringLiteral("&OK"), this);
    klwAnuluj = new QPushButton(QStringLiteral("&Anuluj"), this);
    klwOK->setObjectName(QStringLiteral("klwOK"));
    klwAnuluj->setObjectName(QStringLiteral("klwAnuluj"));
    klwOK->setAutoDefault(false);
    klwAnuluj->setAutoDefault(false);
    buttons->addWidget(klwOK);
    buttons->addWidget(klwAnuluj);
    layout->addLayout(buttons);
    connect(klwOK, &QPushButton::clicked, this, [this] { klwOKClick(klwOK); });
    connect(klwAnuluj, &QPushButton::clicked, this, [this] { klwAnulujClick(klwAnuluj); });
    resize(720, 480);
}

QWidget *TfrmGeneruj::buildSourcePage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    Lista = new THCheckListBox(page);
    Lista->setObjectName(QStringLiteral("Lista"));
    Lista->setItemDelegate(new SourceLineDelegate(Lista));
    Lista->setToolTip(QStringLiteral("Pozycja ze znaczkiem = OK!\nPozycja bez znaczka = BRAK PLIKU!"));
    Lista->viewport()->installEventFilter(this);
    connect(Lista, &QListWidget::itemClicked, this, [this] { ListaClick(Lista); });
    layout->addWidget(Lista);
    return page;
}

QWidget *TfrmGeneruj::buildTargetPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    ListaTarget = new THCheckListBox(page);
    ListaTarget->setObjectName(QStringLiteral("ListaTarget"));
    ListaTarget->setToolTip(QStringLiteral("Pozycja ze znaczkiem =już istnieje!\nPozycja bez znaczka = OK!"));
    ListaTarget->viewport()->installEventFilter(this);
    connect(ListaTarget, &QListWidget::itemClicked, this, [this] { ListaClick(ListaTarget); });
    layout->addWidget(ListaTarget);
    return page;
}

QWidget *TfrmGeneruj::buildAutorunPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    auto *iconRow = new QHBoxLayout;
    edtPlikIkony = new QLineEdit(page);
    edtPlikIkony->setObjectName(QStringLiteral("edtPlikIkony"));
    edtPlikIkony->setReadOnly(true);
    edtPlikIkony->setToolTip(QStringLiteral("Plik zawierający ikonę dla CDROM'u"));
    BrowseICO = new QPushButton(QStringLiteral("..."), page);
    BrowseICO->setAutoDefault(false);
    connect(BrowseICO, &QPushButton::clicked, this, [this] { BrowseICOClick(BrowseICO); });
    iconRow->addWidget(new QLabel(QStringLiteral("Ikona:"), page));
    iconRow->addWidget(edtPlikIkony, 1);
    iconRow->addWidget(BrowseICO);
    layout->addLayout(iconRow);

    ListaIkon = new QListWidget(page);
    ListaIkon->setObjectName(QStringLiteral("ListaIkon"));
    ListaIkon->setViewMode(QListView::IconMode);
    ListaIkon->setIconSize(QSize(32, 32));
    ListaIkon->setToolTip(QStringLiteral("Wszystkie ikony dostępne w wybranym pliku"));
    ListaIkon->installEventFilter(this);
    connect(ListaIkon, &QListWidget::currentRowChanged, this, [this] { ListaIkonChange(ListaIkon); });
    layout->addWidget(ListaIkon, 1);

    lblAutoGo = new QLabel(QStringLiteral("Automatyczny start programu:"), page);
    chkAuto = new TBitCheckBox(page);
    chkAuto->setObjectName(QStringLiteral("chkAuto"));
    chkAuto->setCaption(QStringLiteral("AUTOSTART"));
    chkAuto->setChecked(true);
    chkMenu = new TBitCheckBox(page);
    chkMenu->setObjectName(QStringLiteral("chkMenu"));
    chkMenu->setCaption(QStringLiteral("MENU"));
    chkAuto->setFixedSize(110, 20);
    chkMenu->setFixedSize(80, 20);
    // The two exclude each other.
    chkAuto->OnClick = [this](QObject *) { chkMenu->setChecked(!chkAuto->checked()); };
    chkMenu->OnClick = [this](QObject *) { chkAuto->setChecked(!chkMenu->checked()); };
    for (QWidget *w : {static_cast<QWidget *>(lblAutoGo), static_cast<QWidget *>(chkAuto),
                       static_cast<QWidget *>(chkMenu)})
        w->installEventFilter(this);
    auto *autoRow = new QHBoxLayout;
    autoRow->addWidget(lblAutoGo);
    autoRow->addWidget(chkAuto);
    autoRow->addWidget(chkMenu);
    autoRow->addStretch();
    layout->addLayout(autoRow);
    lblNoAutostart = new QLabel(QStringLiteral("Brak programu autostartu (Dodorurav.cfg, AUTOSTART) - "
                                               "AUTORUN.INF uruchomi menu."),
                                page);
    lblNoAutostart->setObjectName(QStringLiteral("lblNoAutostart"));
    lblNoAutostart->setWordWrap(true);
    lblNoAutostart->hide();
    layout->addWidget(lblNoAutostart);
    auto *note = new QLabel(
        QStringLiteral("Uwaga! Nazwa katalogu z programem startującym musi być nazwą krótką (konwencja MS-DOS) np. X:\\MENU"),
        page);
    note->setStyleSheet(QStringLiteral("color: red"));
    note->setWordWrap(true);
    layout->addWidget(note);
    return page;
}

QString TfrmGeneruj::hintKeyOf(const QObject *control)
{
    const QString name = control ? control->objectName() : QString();
    if (name == QLatin1String("Lista"))
        return QStringLiteral("PlikiProjektu");
    if (name == QLatin1String("ListaTarget"))
        return QStringLiteral("PlikiDocelowe");
    if (name == QLatin1String("ListaIkon"))
        return QStringLiteral("Ikony");
    if (name == QLatin1String("chkAuto") || name == QLatin1String("chkMenu") || name == QLatin1String("lblAutoGo"))
        return QStringLiteral("AutoGo");
    return {};
}

bool TfrmGeneruj::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Enter && OnHintKey) {
        QObject *control = watched;
        if (watched == Lista->viewport())
            control = Lista;
        else if (watched == ListaTarget->viewport())
            control = ListaTarget;
        const QString key = hintKeyOf(control);
        if (!key.isEmpty())
            OnHintKey(control, key);
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmGeneruj::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        klwAnulujClick(this);
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfrmGeneruj::OdczytPlikow()
{
    lblAutoGo->setObjectName(QStringLiteral("lblAutoGo"));
    // The proposed menu folder (Dodorurav.cfg's, else the CD folder's MENU);
    // the other two below it.
    const Folders proposed = proposedFolders(
        proposedMenuFolder(m_settings.file(GeneratorFile::MenuFolder), m_context.DriveRoot, QDir::homePath()));
    edtKatalogMenu->setText(proposed.menu);
    edtKatalogDane->setText(proposed.data);
    edtKatalogMulti->setText(proposed.multimedia);
    Slesze();

    Lista->clearItems();
    m_sources.clear();
    if (m_context.ProjectIni) {
        m_sources = listSources(*m_context.ProjectIni, m_context.ProjectIni->fileName(), m_context.DriveRoot,
                                m_settings);
        // What the data files name that the CD will not hold, before anything is copied.
        const std::vector<SourceLine> warnings = warningLines(checkDataFiles(m_sources, cdRootOf(edtKatalogMenu->text())));
        m_sources.insert(m_sources.end(), warnings.begin(), warnings.end());
    }
    // AUTORUN.INF can start the autostart program only when the CD holds it.
    if (!Platform::isRegularFile(m_settings.file(GeneratorFile::Autostart))) {
        chkAuto->setChecked(false);
        chkMenu->setChecked(true);
        lblNoAutostart->show();
    }
    for (const SourceLine &line : m_sources) {
        const int row = Lista->addItem(line.displayText());
        Lista->setChecked(row, line.exists);
    }
    PageControl1->setCurrentWidget(tabSource);
}

Folders TfrmGeneruj::folders() const
{
    return {edtKatalogMenu->text(), edtKatalogMulti->text(), edtKatalogDane->text()};
}

void TfrmGeneruj::Slesze()
{
    for (QLineEdit *field : {edtKatalogMenu, edtKatalogMulti, edtKatalogDane})
        field->setText(withSlash(field->text()));
}

void TfrmGeneruj::fillTargetList()
{
    ListaTarget->clearItems();
    const Plan plan = makePlan(m_sources, folders(), m_context.DriveRoot,
                               m_context.ProjectIni ? m_context.ProjectIni->fileName() : QString());
    for (const Target &target : plan.targets) {
        const int row = ListaTarget->addItem(target.path);
        ListaTarget->setChecked(row, target.exists);
    }
}

void TfrmGeneruj::PageControl1Change(QObject *)
{
    if (PageControl1->currentWidget() != tabSource)
        fillTargetList();
}

void TfrmGeneruj::browseFolder(QLineEdit *field, const QString &title)
{
    BrowseFld->Title = title;
    BrowseFld->Directory = field->text();
    BrowseFld->ParentWindow = this;
    if (BrowseFld->Execute())
        field->setText(BrowseFld->Directory);
    Slesze();
}

void TfrmGeneruj::ListaClick(QObject *sender)
{
    QString path;
    if (sender == Lista) {
        const int row = Lista->currentRow();
        if (row >= 0 && row < int(m_sources.size()))
            path = m_sources[size_t(row)].path;
    } else if (ListaTarget->currentItem()) {
        path = ListaTarget->currentItem()->text();
    }
    m_preview = QPixmap::fromImage(Platform::readPicture(path));
    showPreview(path);
}

void TfrmGeneruj::showPreview(const QString &)
{
    if (m_preview.isNull()) {
        Image->clear();
        return;
    }
    const QSize area = Image->contentsRect().size();
    Image->setPixmap(BitCheckBox1->checked() ? m_preview.scaled(area) : m_preview);
}

void TfrmGeneruj::BrowseICOClick(QObject *)
{
    ListaIkon->clear();
    const QString file = Platform::Dialogs::instance().openFile(
        this, QStringLiteral("Ikona dla CDROM'u"), QString(),
        QStringLiteral("Pliki ikon (*.ICO *.ico *.DLL *.dll *.ICL *.icl *.EXE *.exe);;Wszystkie pliki (*)"));
    if (file.isEmpty())
        return;
    edtPlikIkony->setText(file + QStringLiteral(",0"));
    TFileIndexIcon icons;
    icons.setFileName(file);
    for (int i = 0; i < icons.numberOfIcons(); ++i) {
        icons.setIconIndex(i);
        ListaIkon->addItem(new QListWidgetItem(icons.icon(), QStringLiteral("IKONA %1").arg(i)));
    }
}

QString TfrmGeneruj::iconFile() const
{
    const QString text = edtPlikIkony->text();
    const qsizetype comma = text.lastIndexOf(u',');
    return comma < 0 ? text : text.left(comma);
}

void TfrmGeneruj::ListaIkonChange(QObject *)
{
    const int row = ListaIkon->currentRow();
    if (row >= 0)
        edtPlikIkony->setText(iconFile() + QStringLiteral(",%1").arg(row));
}

bool TfrmGeneruj::showProgress(const QString &title, int done, int total, const QString &name)
{
    if (!m_progressPacer.due(title))
        return true;
    lblProgress->setText(title);
    lblProgress->show();
    Progress->show();
    Progress->setRange(0, total);
    Progress->setValue(done);
    Progress->setFormat(QFileInfo(name).fileName());
    // The window keeps painting while the copy runs.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return true;
}

void TfrmGeneruj::klwOKClick(QObject *)
{
    if (Platform::showMessage(this, WarningText, DesignerCaption, MessageButtons::YesNoCancel, MessageIcon::Warning)
        != MessageAnswer::Yes)
        return;
    Slesze();
    fillTargetList();
    const QString projectPath = m_context.ProjectIni ? m_context.ProjectIni->fileName() : QString();
    const Plan plan = makePlan(m_sources, folders(), m_context.DriveRoot, projectPath);
    if (!plan.ok()) {
        // Refused before anything was touched.
        Platform::showMessage(this, QStringLiteral("Generowanie nie zostało rozpoczęte:\r") + plan.refusals.join(u'\r'),
                              DesignerCaption, MessageButtons::Ok, MessageIcon::Error);
        return;
    }
    AutorunChoice autorun;
    autorun.menu = chkMenu->checked();
    if (!iconFile().isEmpty()) {
        const QString number = edtPlikIkony->text().mid(iconFile().size());
        autorun.icon = Platform::toStoredPath(plan.cdRoot, iconFile()) + number;
    }
    setEnabled(false);
    m_report = execute(plan, *m_context.ProjectIni, m_settings, autorun,
                       [this](const QString &title, int done, int total, const QString &name) {
                           return showProgress(title, done, total, name);
                       });
    setEnabled(true);
    lblProgress->hide();
    Progress->hide();
    if (m_report.renameFailed)
        Platform::showMessage(this, QStringLiteral("Wystąpił błąd przy zmianie nazwy pliku!\rMenu może działać nieprawidłowo!!!"),
                              DesignerCaption, MessageButtons::Ok, MessageIcon::Warning);
    if (!m_report.errors.isEmpty()) {
        Platform::showMessage(this, QStringLiteral("Generowanie nie powiodło się:\r") + m_report.errors.join(u'\r'),
                              DesignerCaption, MessageButtons::Ok, MessageIcon::Error);
        fillTargetList();
        return;
    }
    if (m_report.renameFailed)
        return;
    Platform::showMessage(this, finishedMessage(plan.dataFiles.programs), DesignerCaption, MessageButtons::Ok,
                          MessageIcon::Information);
    accept();
}

void TfrmGeneruj::klwAnulujClick(QObject *)
{
    reject();
}

bool runGenerationDialog(QWidget *parent, DesignerContext &context, GeneratorConfig &settings)
{
    if (!context.ProjectIni)
        return false;
    // Generation reads the project as saved: Yes saves it first, No takes
    // the saved one as it is.
    if (context.ProjectModified) {
        const MessageAnswer answer = Platform::showMessage(
            parent, QStringLiteral("Projekt zawiera niezapisane zmiany.\rGenerowanie korzysta z zapisanego projektu.\r\rCzy zapisać go teraz?"),
            DesignerCaption, MessageButtons::YesNoCancel, MessageIcon::Question);
        if (answer == MessageAnswer::Cancel || (answer == MessageAnswer::Yes && !DesignerProject(context).Zapisz()))
            return false;
    }
    // A CD made of no CD folder would name its files from "/": asked each time.
    if (!CdFolder::isCdFolder(context.DriveRoot)) {
        context.CdFolderOffered.remove(QFileInfo(context.ProjectIni->fileName()).absoluteFilePath());
        offerCdFolder(parent, context, context.ProjectIni->fileName());
    }
    TfrmGeneruj dialog(parent, context, settings);
    return dialog.exec() == QDialog::Accepted;
}
