#include "archivewindow.h"

#include "archivetexts.h"
#include "archivewindowhook.h"
#include "buttons/menubutton.h"
#include "dirtree/dirtree.h"
#include "startup/runtimecontext.h"

#include <language.h>
#include <launcher.h>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QVBoxLayout>

using Platform::MessageIcon;

QString ArchiveTexts::filesCount(qint64 count)
{
    return Platform::countOf(count, QStringLiteral("plik"), QStringLiteral("pliki"), QStringLiteral("plików"))
           + u'.';
}

namespace {

TMenuButton *makeButton(QWidget *parent, const QString &caption, std::function<void(QObject *)> click)
{
    auto *button = new TMenuButton(parent);
    button->setCaption(caption);
    button->setMinimumSize(110, 26);
    button->OnClick = std::move(click);
    return button;
}

// A group of two-column radio buttons; the first is button 0.
QButtonGroup *radioGroup(QWidget *parent, QGridLayout *layout, int row, const QString &title, const QStringList &items)
{
    auto *box = new QGroupBox(title, parent);
    auto *grid = new QGridLayout(box);
    auto *group = new QButtonGroup(box);
    for (int i = 0; i < items.size(); ++i) {
        auto *radio = new QRadioButton(items[i], box);
        grid->addWidget(radio, i / 2, i % 2);
        group->addButton(radio, i);
    }
    layout->addWidget(box, row, 0, 1, 2);
    return group;
}

QPixmap arrow(bool up)
{
    QPixmap pixmap(12, 12);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::darkGray);
    painter.setPen(Qt::NoPen);
    const QPolygon triangle = up ? QPolygon({QPoint(1, 9), QPoint(11, 9), QPoint(6, 3)})
                                 : QPolygon({QPoint(1, 3), QPoint(11, 3), QPoint(6, 9)});
    painter.drawPolygon(triangle);
    return pixmap;
}

// "ddddd  t" of an MS-DOS date and time.
QString dosDateTime(std::uint32_t value)
{
    const QDate date(int((value >> 25) & 0x7F) + 1980, int((value >> 21) & 0x0F), int((value >> 16) & 0x1F));
    const QTime time(int((value >> 11) & 0x1F), int((value >> 5) & 0x3F), int(value & 0x1F) * 2);
    return SortGrid::formatDateTime(QDateTime(date, time.isValid() ? time : QTime(0, 0), Qt::UTC));
}

// The inside of folder for a name of an entry, or nothing when the name
// would lead out of it.
QString insideFolder(const QString &folder, const QString &entryName)
{
    QString relative = entryName;
    relative.replace(u'\\', u'/');
    const QString root = QDir(folder).canonicalPath();
    const QFileInfo file(QDir(root).filePath(relative));
    const QString canonical = file.canonicalFilePath();
    if (canonical.isEmpty() || !canonical.startsWith(root + u'/') || !file.isFile())
        return {};
    return canonical;
}

} // namespace

// ---- extraction dialog ----

TExtract::TExtract(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(ArchiveTexts::ExtractCaption);
    auto *layout = new QGridLayout(this);
    Dirs = new TDirTree(this);
    Dirs->setDriveTypes(TDirTree::drtAllTypes);
    Dirs->setDirTypes(TDirTree::dtNormal);
    Dirs->setReadOnStart(true);
    Dirs->setMinimumSize(320, 240);
    layout->addWidget(Dirs, 0, 0, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("Rozpakuj do katalogu: "), this), 1, 0, 1, 2);
    edtKatalog = new QLineEdit(this);
    layout->addWidget(edtKatalog, 2, 0, 1, 2);
    RadioGroup1 = radioGroup(this, layout, 3, QStringLiteral("Zachowaj strukturę katalogów"), {"NIE", "TAK"});
    RadioGroup2 = radioGroup(this, layout, 4, QStringLiteral("Nadpisuj istniejące"), {"NIE", "TAK"});
    RadioGroup3 = radioGroup(this, layout, 5, QStringLiteral("Rozpakuj pliki"), {"Wszystkie", "Zaznaczone"});
    RadioGroup1->button(1)->setChecked(true);
    RadioGroup2->button(1)->setChecked(true);
    RadioGroup3->button(0)->setChecked(true);
    OKBut = makeButton(this, QStringLiteral("&OK"), [this](QObject *s) { OKButClick(s); });
    CancelBut = makeButton(this, QStringLiteral("&Anuluj"), [this](QObject *s) { CancelButClick(s); });
    layout->addWidget(OKBut, 6, 0);
    layout->addWidget(CancelBut, 6, 1);
    Dirs->OnChange = [this](QObject *, QTreeWidgetItem *) {
        const QString folder = Dirs->GetSelectedDir();
        if (folder != u"?")
            edtKatalog->setText(folder);
    };
    const QString proposed = proposedFolder();
    Dirs->setInitialDirectory(proposed);
    edtKatalog->setText(proposed);
}

namespace {
QString g_lastChosenFolder;
}

QString TExtract::proposedFolder()
{
    if (!g_lastChosenFolder.isEmpty() && QFileInfo(g_lastChosenFolder).isDir())
        return g_lastChosenFolder;
    return QDir::homePath();
}

void TExtract::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    LeftWithoutOk = true;
}

void TExtract::OKButClick(QObject *)
{
    const QString folder = edtKatalog->text().trimmed();
    if (!folder.isEmpty() && !QDir().mkpath(folder)) {
        Platform::showMessage(this, ArchiveTexts::FolderNotCreated + folder, applicationTitle, Platform::MessageButtons::Ok,
                              MessageIcon::Warning);
        return;
    }
    LeftWithoutOk = false;
    Target = folder.isEmpty() ? QString() : QDir(folder).absolutePath();
    if (!Target.isEmpty())
        g_lastChosenFolder = Target;
    KeepFolders = RadioGroup1->checkedId() != 0;
    OverWrite = RadioGroup2->checkedId() != 0;
    AllEntries = RadioGroup3->checkedId() == 0;
    accept();
}

void TExtract::CancelButClick(QObject *)
{
    Target.clear();
    if (hideGauge)
        hideGauge();
    reject();
}

// ---- conversion dialog ----

TMakeSFX::TMakeSFX(QWidget *parent, const QString &archivePath) : QDialog(parent), m_archivePath(archivePath)
{
    setWindowTitle(ArchiveTexts::ConvertCaption);
    auto *layout = new QVBoxLayout(this);
    const auto edit = [&](const QString &caption) {
        layout->addWidget(new QLabel(caption, this));
        auto *line = new QLineEdit(this);
        layout->addWidget(line);
        return line;
    };
    // Where the designer's own machine would say "C:\", the user's home
    // folder stands.
    const QString home = QDir::homePath();
    edtSFXFileName = edit(QStringLiteral("Nazwa pliku exe:"));
    edtSFXFileName->setText(QDir(home).filePath(QFileInfo(archivePath).completeBaseName() + QStringLiteral(".exe")));
    CaptionEdit = edit(QStringLiteral("Etykieta archiwum samorozpakowującego:"));
    CaptionEdit->setText(ArchiveTexts::DefaultSfxCaption);
    DirectoryEdit = edit(QStringLiteral(
        "Domyślny katalog rozpakowania (jeśli '><' to wtedy użyty zostanie katalog tymczasowy systemu)"));
    DirectoryEdit->setText(home);
    CommandEdit = edit(QStringLiteral("Linia komend do wykonania po ekstrakcji:"));
    for (const char *help : {"Opis symboli dla lini komend:",
                             "Pionowa kreska '|' oddziela nazwę programu od parametrów uruchomieniowych",
                             "Znaki mniejszości i większości '><' zostaną zastąpione ścieżką wskazaną dla plików w czasie ekstrakcji",
                             "Poniższy przykład pokazuje jak otworzyć plik CZYTAJ.TXT w NOTATNIKU:"})
        layout->addWidget(new QLabel(QString::fromUtf8(help), this));
    auto *example = new QLabel(QStringLiteral("notepad|><CZYTAJ.TXT"), this);
    QFont bold = example->font();
    bold.setBold(true);
    example->setFont(bold);
    layout->addWidget(example);
    CmdLineCB = new QCheckBox(QStringLiteral("Pozwól użytkownikowi anulować wykonanie lini komend"), this);
    FileListCB = new QCheckBox(QStringLiteral("Pozwól na modyfikację listy plików do ekstrakcji"), this);
    HideOverwriteCB = new QCheckBox(QStringLiteral("Ukryj pole z wyborem akcji jeśli plik istnieje"), this);
    for (QCheckBox *box : {CmdLineCB, FileListCB, HideOverwriteCB})
        layout->addWidget(box);
    auto *groupBox = new QGroupBox(QStringLiteral("Domyślna akcja jeśli plik istnieje"), this);
    auto *groupLayout = new QVBoxLayout(groupBox);
    DfltOverWriteGrp = new QButtonGroup(groupBox);
    int id = 0;
    for (const char *item : {"Zawsze pytaj", "Nadpisuj bez pytania", "Pomiń plik"}) {
        auto *radio = new QRadioButton(QString::fromUtf8(item), groupBox);
        groupLayout->addWidget(radio);
        DfltOverWriteGrp->addButton(radio, id++);
    }
    DfltOverWriteGrp->button(0)->setChecked(true);
    layout->addWidget(groupBox);
    auto *buttons = new QHBoxLayout;
    ExecBut = makeButton(this, QStringLiteral("&Utwórz EXE"), [this](QObject *s) { ExecButClick(s); });
    CancelBut = makeButton(this, QStringLiteral("&Anuluj"), [this](QObject *s) { CancelButClick(s); });
    buttons->addWidget(ExecBut);
    buttons->addWidget(CancelBut);
    layout->addLayout(buttons);
}

QString TMakeSFX::programPath() const
{
    return QDir(QDir::homePath()).absoluteFilePath(edtSFXFileName->text().trimmed());
}

void TMakeSFX::ExecButClick(QObject *)
{
    // The conversion works on a copy in a folder of its own, so the archive
    // itself is never the file the conversion replaces, wherever the
    // program goes.
    const QFileInfo target(programPath());
    const QFileInfo folder(target.absolutePath());
    if (!m_work)
        m_work = std::make_unique<QTemporaryDir>(QDir::temp().filePath(QStringLiteral("orvanta-sfx-XXXXXX")));
    const QString copy = QDir(m_work->path()).filePath(target.completeBaseName() + QStringLiteral(".zip"));
    QFile::remove(copy);
    if (edtSFXFileName->text().trimmed().isEmpty() || !folder.isDir() || !folder.isWritable() || !m_work->isValid()
        || !Platform::copyWholeFile(m_archivePath, copy).ok()) {
        Platform::showMessage(this, ArchiveTexts::CopyFailed, applicationTitle, Platform::MessageButtons::Ok,
                              MessageIcon::Error);
        return;
    }
    WorkCopy = copy;
    tool->SFXOptions = (tool->SFXOptions & ~(TZipTool::SFXAskCmdLine | TZipTool::SFXAskFiles | TZipTool::SFXHideOverWriteBox))
                       | (CmdLineCB->isChecked() ? TZipTool::SFXAskCmdLine : 0)
                       | (FileListCB->isChecked() ? TZipTool::SFXAskFiles : 0)
                       | (HideOverwriteCB->isChecked() ? TZipTool::SFXHideOverWriteBox : 0);
    const TZipTool::OverWriteMode modes[] = {TZipTool::OvrConfirm, TZipTool::OvrAlways, TZipTool::OvrNever};
    tool->SFXOverWriteMode = modes[std::clamp(DfltOverWriteGrp->checkedId(), 0, 2)];
    tool->SFXCaption = CaptionEdit->text();
    tool->SFXDefaultDir = DirectoryEdit->text();
    tool->SFXCommandLine = CommandEdit->text();
    Confirmed = true;
    accept();
}

void TMakeSFX::CancelButClick(QObject *)
{
    reject();
}

// ---- the archive window ----

TfrmZip::TfrmZip(QWidget *parent, const ArchiveWindowSettings &settings) : QDialog(parent), m_settings(settings)
{
    setWindowTitle(ArchiveTexts::WindowCaption);
    resize(560, 420);
    auto *layout = new QVBoxLayout(this);
    StringGrid1 = new TSortGrid(this);
    layout->addWidget(StringGrid1, 1);

    auto *panel = new QGridLayout;
    panel->addWidget(new QLabel(QStringLiteral("Archiwum:"), this), 0, 0);
    ZipFName = new QLabel(this);
    ZipFName->setMinimumWidth(200);
    ZipFName->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    panel->addWidget(ZipFName, 0, 1, 1, 3);
    panel->addWidget(new QLabel(QStringLiteral("Plików w archiwum:"), this), 1, 0);
    lblFileCount = new QLabel(this);
    panel->addWidget(lblFileCount, 1, 1);
    ExtractBut = makeButton(this, QStringLiteral("&Rozpakuj"), [this](QObject *s) { ExtractButClick(s); });
    ConvertBut = makeButton(this, ArchiveTexts::ConvertButton, [this](QObject *s) { ConvertButClick(s); });
    MenuButton1 = makeButton(this, QStringLiteral("&Zamknij"), [this](QObject *s) { MenuButton1Click(s); });
    panel->addWidget(ExtractBut, 2, 1);
    panel->addWidget(ConvertBut, 2, 2);
    panel->addWidget(MenuButton1, 2, 3);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->hide();
    panel->addWidget(ProgressBar1, 3, 0, 1, 4);
    layout->addLayout(panel);

    ZipTool1 = new TZipTool(this);
    ZipTool1->MessageParent = this;
    ZipTool1->setDLLDirectory(m_settings.programDir);
    ZipTool1->OnDirUpdate = [this](QObject *s) { ZipTool1DirUpdate(s); };
    ZipTool1->OnProgress = [this](QObject *s, TZipTool::ProgressType t, const QString &n, qint64 z) {
        ZipTool1Progress(s, t, n, z);
    };
    RAR = new TRAR(this);
    RAR->MessageParent = this;
    RAR->LibraryDirectory = m_settings.programDir;
    RAR->OnListFile = [this](QObject *s, const UnRar::HeaderData &h) { RARListFile(s, h); };
    RAR->OnExtract = [this](QObject *s, const UnRar::HeaderData &h, bool ok) { RARExtract(s, h, ok); };
    Extract = new TExtract(this);
    Extract->applicationTitle = m_settings.applicationTitle;
    Extract->hideGauge = [this] { ProgressBar1->hide(); };
    MakeSFX = new TMakeSFX(this, m_settings.archivePath);
    MakeSFX->applicationTitle = m_settings.applicationTitle;
    MakeSFX->tool = ZipTool1;
    m_arrows[0] = arrow(true);
    m_arrows[1] = arrow(false);
    if (parent)
        takeColours(parent->palette().color(QPalette::Window));
    FormCreate();
}

TfrmZip::~TfrmZip()
{
    TZipTool::UnloadUnzipLibrary();
}

void TfrmZip::FormCreate()
{
    StringGrid1->setColCount(4);
    StringGrid1->setRowCount(2);
    StringGrid1->setFixedCols(0);
    StringGrid1->setDefaultRowHeight(18);
    StringGrid1->setRowSelect(true);
    StringGrid1->setRangeSelect(true);
    StringGrid1->setColSizing(true);
    StringGrid1->ClickSorting = true;
    StringGrid1->CaseSensitive = false;
    StringGrid1->OnClickSort = [this](QObject *s, int c, int r, SortGrid::TSortOptions &o) { StringGrid1ClickSort(s, c, r, o); };
    StringGrid1->OnDrawCell = [this](QObject *s, int c, int r, const QRect &rect, int state, QPainter &p) {
        StringGrid1DrawCell(s, c, r, rect, state, p);
    };
    StringGrid1->OnMouseDown = [this](QObject *s, Qt::MouseButton b, int c, int r) { StringGrid1MouseDown(s, b, c, r); };
    StringGrid1->OnDblClick = [this](QObject *s) { StringGrid1DblClick(s); };
    const QString headers[] = {ArchiveTexts::NameHeader, ArchiveTexts::PackedHeader, ArchiveTexts::SizeHeader,
                               ArchiveTexts::DateHeader};
    // The date column is as wide as its text in this font needs, at least.
    const int dateWidth = StringGrid1->fontMetrics().horizontalAdvance(QStringLiteral("00.00.0000  00:00")) + 8;
    const int widths[] = {250, 80, 80, std::max(95, dateWidth)};
    for (int col = 0; col < 4; ++col) {
        StringGrid1->setCells(col, 0, headers[col]);
        StringGrid1->setColWidths(col, widths[col]);
    }
    m_zip = QFileInfo(m_settings.archivePath).suffix().toUpper() != u"RAR";
    ConvertBut->setEnabled(m_zip);
    ZipFName->setText(m_settings.archivePath);
    if (m_zip) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ZipTool1->setZipFilename(m_settings.archivePath);
        QApplication::restoreOverrideCursor();
    } else {
        RAR->ArchiveName = m_settings.archivePath;
        FillGrid();
    }
    fitLabel();
    SortOptions = {};
    StringGrid1->SelectCellAt(0, 1);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

// The menu's colour around the grid, with text that stays readable on it;
// the grid and the edits keep their own.
void TfrmZip::takeColours(const QColor &window)
{
    const QColor text = window.lightness() < 128 ? Qt::white : Qt::black;
    for (QWidget *form : {static_cast<QWidget *>(this), static_cast<QWidget *>(Extract), static_cast<QWidget *>(MakeSFX)}) {
        QPalette palette = form->palette();
        palette.setColor(QPalette::Window, window);
        palette.setColor(QPalette::WindowText, text);
        palette.setColor(QPalette::ButtonText, text);
        form->setPalette(palette);
        form->setAutoFillBackground(true);
    }
    QPalette own = StringGrid1->palette();
    const QPalette application = QApplication::palette();
    for (const QPalette::ColorRole role : {QPalette::Window, QPalette::WindowText, QPalette::ButtonText})
        own.setColor(role, application.color(role));
    StringGrid1->setPalette(own);
}

void TfrmZip::fitLabel()
{
    ZipFName->setText(m_settings.archivePath);
    const bool wider = ZipFName->fontMetrics().horizontalAdvance(m_settings.archivePath) > ZipFName->width();
    ZipFName->setToolTip(wider ? m_settings.archivePath : QString());
}

void TfrmZip::FillGrid()
{
    StringGrid1->setRowCount(2);
    for (int col = 0; col < 4; ++col)
        StringGrid1->setCells(col, 1, QString());
    if (!m_zip) {
        const int count = RAR->CountFiles();
        if (count <= 0)
            return;
        StringGrid1->setRowCount(count + 1);
        m_listedRow = 1;
        RAR->ListFiles();
        // Sorted as a zip listing is, so the header's arrow tells the truth.
        StringGrid1->SortByColumn(SortedColumn, SortOptions);
        return;
    }
    const int count = ZipTool1->Count();
    if (count == 0)
        return;
    StringGrid1->setRowCount(count + 1);
    for (int i = 0; i < count; ++i) {
        const ZipFormat::Entry &entry = ZipTool1->Entry(i);
        StringGrid1->setCells(0, i + 1, QString::fromStdString(entry.fileName));
        StringGrid1->setCells(1, i + 1, QString::number(entry.compressedSize()));
        StringGrid1->setCells(2, i + 1, QString::number(entry.uncompressedSize()));
        StringGrid1->setCells(3, i + 1, dosDateTime(entry.dosDateTime()));
    }
    StringGrid1->SortByColumn(SortedColumn, SortOptions);
}

void TfrmZip::RARListFile(QObject *, const UnRar::HeaderData &listedFile)
{
    if (m_listedRow < StringGrid1->RowCount()) {
        StringGrid1->setCells(0, m_listedRow, TRAR::EntryName(listedFile));
        StringGrid1->setCells(1, m_listedRow, QString::number(listedFile.PackSize));
        StringGrid1->setCells(2, m_listedRow, QString::number(listedFile.UnpSize));
        StringGrid1->setCells(3, m_listedRow, dosDateTime(listedFile.FileTime));
        ++m_listedRow;
    }
    ProgressBar1->setMaximum(std::max(1, RAR->FileCount()));
    ProgressBar1->setValue(0);
    lblFileCount->setText(QString::number(RAR->FileCount()));
}

void TfrmZip::RARExtract(QObject *, const UnRar::HeaderData &eFile, bool result)
{
    if (result)
        m_rarWritten.append(TRAR::EntryName(eFile));
    ProgressBar1->setValue(ProgressBar1->value() + 1);
    if (ProgressBar1->value() >= ProgressBar1->maximum()) {
        ProgressBar1->setValue(0);
        ProgressBar1->hide();
    }
}

bool TfrmZip::busy() const
{
    return ZipTool1->Busy() || m_rarBusy;
}

void TfrmZip::stopWork()
{
    ZipTool1->Cancel();
    RAR->Stop = m_rarBusy;
}

void TfrmZip::ZipTool1DirUpdate(QObject *)
{
    FillGrid();
    lblFileCount->setText(QString::number(ZipTool1->Count()));
    fitLabel();
    ConvertBut->setCaption(ArchiveTexts::ConvertButtonListed);
}

void TfrmZip::ZipTool1Progress(QObject *, TZipTool::ProgressType type, const QString &, qint64)
{
    if (type == TZipTool::NewFile)
        ProgressBar1->setValue(std::min(ProgressBar1->value() + 1, ProgressBar1->maximum()));
}

void TfrmZip::StringGrid1ClickSort(QObject *, int col, int, SortGrid::TSortOptions &options)
{
    // The window keeps its own direction: every click on a header flips it,
    // whatever button the grid saw.
    SortOptions.Direction = SortOptions.Direction == SortGrid::SortDirection::Ascending
                                ? SortGrid::SortDirection::Descending
                                : SortGrid::SortDirection::Ascending;
    SortedColumn = col;
    options = SortOptions;
    StringGrid1->horizontalHeader()->viewport()->update();
}

void TfrmZip::StringGrid1DrawCell(QObject *, int col, int row, const QRect &rect, int, QPainter &painter)
{
    if (row != 0 || col != SortedColumn)
        return;
    const QPixmap &image = m_arrows[SortOptions.Direction == SortGrid::SortDirection::Ascending ? 0 : 1];
    painter.drawPixmap(rect.right() - 18, rect.top() + (rect.height() - image.height()) / 2, image);
}

void TfrmZip::StringGrid1MouseDown(QObject *, Qt::MouseButton, int, int row)
{
    m_pressOnHeader = row == 0;
}

void TfrmZip::message(const QString &text, MessageIcon icon)
{
    Platform::showMessage(this, text, m_settings.applicationTitle, Platform::MessageButtons::Ok, icon);
}

QString TfrmZip::extractForOpening(const QString &name)
{
    if (m_openFolder.isEmpty()) {
        QTemporaryDir folder(QDir::temp().filePath(QStringLiteral("orvanta-zip-XXXXXX")));
        if (!folder.isValid())
            return {};
        // The opened file must outlive the window: the program showing it
        // may still be reading it.
        folder.setAutoRemove(false);
        m_openFolder = folder.path();
    }
    return m_zip ? extractZipForOpening(name) : extractRarForOpening(name);
}

QString TfrmZip::extractRarForOpening(const QString &name)
{
    RAR->FilesToExtract = QStringList{name};
    RAR->TargetDir = m_openFolder;
    m_rarWritten.clear();
    m_rarBusy = true;
    RAR->ExtractFiles();
    m_rarBusy = false;
    if (!m_rarWritten.contains(name))
        return {};
    return insideFolder(m_openFolder, name);
}

QString TfrmZip::extractZipForOpening(const QString &name)
{
    const int options = ZipTool1->ExtrOptions;
    ZipTool1->FSpecArgs = QStringList{name};
    ZipTool1->ExtrBaseDir = m_openFolder;
    ZipTool1->ExtrOptions = options | TZipTool::ExtrDirNames | TZipTool::ExtrOverWrite;
    ZipTool1->ExtractZip();
    ZipTool1->ExtrOptions = options;
    if (ZipTool1->SuccessCnt() < 1)
        return {};
    return insideFolder(m_openFolder, name);
}

void TfrmZip::StringGrid1DblClick(QObject *)
{
    if (m_pressOnHeader || busy())
        return;
    const QString name = StringGrid1->Cells(0, StringGrid1->Row());
    if (name.isEmpty())
        return;
    const QString path = extractForOpening(name);
    // A name refused on the way out was never written: nothing to open.
    if (path.isEmpty())
        return;
    if (!Platform::Launcher::instance().openDocument(path))
        message(ArchiveTexts::CannotLaunch + path, MessageIcon::Warning);
}

void TfrmZip::ExtractButClick(QObject *)
{
    if (busy())
        return;
    Extract->RadioGroup1->button(0)->parentWidget()->setEnabled(m_zip);
    Extract->RadioGroup2->button(0)->parentWidget()->setEnabled(m_zip);
    if (m_zip) {
        ProgressBar1->setMaximum(std::max(1, ZipTool1->Count()));
        ProgressBar1->setValue(0);
        ProgressBar1->show();
    }
    if (!QFileInfo(ZipFName->text()).isFile()) {
        message(ArchiveTexts::ArchiveMissing + ZipFName->text(), MessageIcon::Warning);
        ProgressBar1->hide();
        return;
    }
    Extract->exec();
    if (Extract->LeftWithoutOk || Extract->Target.isEmpty()) {
        ProgressBar1->hide();
        return;
    }
    m_zip ? extractZip() : extractRar();
}

void TfrmZip::extractZip()
{
    const auto hideGauge = [this] {
        ProgressBar1->setValue(0);
        ProgressBar1->hide();
    };
    if (ZipTool1->Count() == 0) {
        message(ArchiveTexts::NothingToExtract, MessageIcon::Warning);
        hideGauge();
        return;
    }
    ZipTool1->FSpecArgs.clear();
    if (!Extract->AllEntries) {
        for (const int row : StringGrid1->SelectedRows())
            if (!StringGrid1->Cells(0, row).isEmpty())
                ZipTool1->FSpecArgs.append(StringGrid1->Cells(0, row));
        if (ZipTool1->FSpecArgs.isEmpty()) {
            message(ArchiveTexts::NothingSelected, MessageIcon::Warning);
            hideGauge();
            return;
        }
    }
    ZipTool1->ExtrBaseDir = Extract->Target;
    ZipTool1->ExtrOptions = (Extract->KeepFolders ? TZipTool::ExtrDirNames : 0)
                            | (Extract->OverWrite ? TZipTool::ExtrOverWrite : 0);
    QApplication::processEvents();
    try {
        ZipTool1->ExtractZip();
    } catch (...) {
        message(ArchiveTexts::LibraryError, MessageIcon::Error);
    }
    // The count is what the plug-in really wrote.
    message(ArchiveTexts::ExtractedCount + QString::number(ZipTool1->SuccessCnt()), MessageIcon::Information);
    hideGauge();
}

void TfrmZip::extractRar()
{
    RAR->FilesToExtract.clear();
    const int dataRows = StringGrid1->RowCount() - 1;
    if (Extract->AllEntries) {
        for (int row = 1; row <= dataRows; ++row)
            if (!StringGrid1->Cells(0, row).isEmpty())
                RAR->FilesToExtract.append(StringGrid1->Cells(0, row));
    } else {
        for (const int row : StringGrid1->SelectedRows())
            if (!StringGrid1->Cells(0, row).isEmpty())
                RAR->FilesToExtract.append(StringGrid1->Cells(0, row));
        if (RAR->FilesToExtract.isEmpty()) {
            message(ArchiveTexts::NothingSelected, MessageIcon::Warning);
            return;
        }
    }
    // Nothing asked for is nothing to do: an empty list would mean every entry.
    if (RAR->FilesToExtract.isEmpty()) {
        message(ArchiveTexts::NothingToExtract, MessageIcon::Warning);
        return;
    }
    RAR->TargetDir = Extract->Target;
    ProgressBar1->setMaximum(std::max(1, int(RAR->FilesToExtract.size())));
    ProgressBar1->setValue(0);
    ProgressBar1->show();
    m_rarWritten.clear();
    QApplication::processEvents();
    m_rarBusy = true;
    const bool ok = RAR->ExtractFiles();
    m_rarBusy = false;
    if (ok)
        message(ArchiveTexts::ExtractedCount + ArchiveTexts::filesCount(m_rarWritten.size()), MessageIcon::Information);
    ProgressBar1->setMaximum(std::max(1, dataRows));
    ProgressBar1->setValue(0);
    ProgressBar1->hide();
}

void TfrmZip::ConvertButClick(QObject *)
{
    if (busy() || !m_zip)
        return;
    if (ZipTool1->Count() == 0) {
        message(ArchiveTexts::EmptyArchive, MessageIcon::Warning);
        return;
    }
    ZipTool1->SFXPath = QDir(m_settings.programDir).filePath(QStringLiteral("zipsfx.bin"));
    MakeSFX->Confirmed = false;
    MakeSFX->exec();
    if (!MakeSFX->Confirmed)
        return;
    const QString program = MakeSFX->programPath();
    const TZipTool::DeleteMode deleteMode = ZipTool1->HowToDelete;
    // The work copy goes for good once converted; it is no file of the user.
    ZipTool1->HowToDelete = TZipTool::htdFinal;
    ZipTool1->setZipFilename(MakeSFX->WorkCopy);
    int result = ZipTool1->ConvertZipToSfx();
    ZipTool1->HowToDelete = deleteMode;
    if (result == 0) {
        const QString built = ZipTool1->ZipFilename();
        QFile::remove(program);
        if (!QFile::rename(built, program)) {
            result = Platform::copyWholeFile(built, program).ok() ? 0 : -2;
            QFile::remove(built);
        }
    }
    QFile::remove(MakeSFX->WorkCopy);
    if (result != 0)
        message(ArchiveTexts::ConvertFailed, MessageIcon::Error);
    else
        message(ArchiveTexts::ConvertDone + MakeSFX->edtSFXFileName->text(), MessageIcon::Information);
    ZipTool1->setZipFilename(m_settings.archivePath);
}

void TfrmZip::MenuButton1Click(QObject *)
{
    close();
}

void TfrmZip::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfrmZip::closeEvent(QCloseEvent *event)
{
    // While the plug-in works, closing only asks it to stop; the window
    // goes once the extraction has returned.
    if (busy()) {
        stopWork();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TfrmZip::reject()
{
    if (busy()) {
        stopWork();
        return;
    }
    QDialog::reject();
}

void TfrmZip::install(const RuntimeContext &context)
{
    // The context lives for the run; its title is the CD's once the menu
    // has read it.
    const RuntimeContext *running = &context;
    ArchiveWindowHook::setOpener([running](QWidget *parent, ArchiveWindowHook::Kind kind, const QString &path) {
        Q_UNUSED(kind); // the window tells the kinds apart by the extension
        TfrmZip window(parent, {path, running->ProgramDir, running->ApplicationTitle});
        window.exec();
        return true;
    });
}
