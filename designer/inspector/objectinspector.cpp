#include "objectinspector.h"

#include "config/generatorconfig.h"
#include "inspector/inspectortexts.h"
#include "objects/designedits.h"
#include "objects/objectkinds.h"
#include "project/designercontext.h"
#include "surface/menusurface.h"

#include <buttons/menubutton.h>
#include <buttons/toolbarbutton.h>
#include <checkbox/bitcheckbox.h>
#include <dock/dock.h>
#include <dock/toolbar.h>
#include <lists/linkedit.h>
#include <menuobjects/imagewidget.h>
#include <menuobjects/menuobjects.h>
#include <transplist/transplist.h>

#include <projectfile/projectformat.h>

#include <fonts.h>

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>
#include <QProxyStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

using namespace InspectorModel;
using namespace ProjectFormat;
using MenuObjects::tagOf;

namespace {

const QSize kDesignedSize(234, 572);
const int kRowStep = 24;
const int kRowHeight = 22;
const int kCaptionLeft = 3;
const int kEditorLeft = 101;
const int kPanelWidth = 215;
const int kPanelHeight = 465;
const QString kSection = QStringLiteral("OBIEKTY");

const QList<int> kKeyBasic = {PaletteKinds::CategoryKey, StartId, CloseId};
const QList<int> kKeyOptional = {OptionsId, SearchId,  MusicId, CopyId,    MinimizeId,
                                 ScreenshotId, ExploreId, DescriptionEditId, AboutId, DescriptionToggleId};
const QList<int> kOtherBasic = {ListId, DescriptionId};
const QList<int> kOtherOptional = {SerialId, ToolsId, SystemId, TitleId, InfoId, RozmiarId};

// The tabs of the page control with the small margins of Windows tabs.
class NarrowTabStyle : public QProxyStyle
{
public:
    int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override
    {
        if (metric == PM_TabBarTabHSpace)
            return 10;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

bool isEnter(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *keyEvent = static_cast<const QKeyEvent *>(event);
    // Ctrl+Enter belongs to a path field's button.
    if (keyEvent->modifiers().testFlag(Qt::ControlModifier))
        return false;
    return keyEvent->key() == Qt::Key_Return || keyEvent->key() == Qt::Key_Enter;
}

void setChoice(QComboBox *combo, const QString &text)
{
    combo->setCurrentIndex(combo->findText(text));
}

QString alignmentName(const ProjectFormat::MenuDesign &design, bool background)
{
    const QStringList names = InspectorTexts::alignments();
    if (background)
        return design.backgroundAligned ? names[4] : names[5];
    switch (TfrmMenu::ToolsAlign(design.tools ? design.tools->align : 0)) {
    case TfrmMenu::AlignLeft: return names[0];
    case TfrmMenu::AlignRight: return names[1];
    case TfrmMenu::AlignTop: return names[2];
    case TfrmMenu::AlignBottom: return names[3];
    case TfrmMenu::AlignNone: break;
    }
    return names[5];
}

} // namespace

TfrmObiekty::TfrmObiekty(DesignerContext &context, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::Tool)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmObiekty"));
    setWindowTitle(InspectorTexts::caption());
    resize(kDesignedSize);
    // The Windows dialog type the window was laid out in (drawn by its
    // metric-compatible face), so captions and tabs fit their places.
    QFont small(QStringLiteral("MS Sans Serif"));
    Platform::setStoredFamily(small, small.family());
    small.setPointSize(8);
    setFont(small);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    Label1 = new QLabel(InspectorTexts::currentLabel(), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    cmbObiekty = new QComboBox(this);
    cmbObiekty->setObjectName(QStringLiteral("cmbObiekty"));
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    // All three pages stay in reach on the narrow window, their names whole:
    // the tabs are as narrow as the Windows ones.
    PageControl1->setUsesScrollButtons(false);
    PageControl1->setElideMode(Qt::ElideRight);
    auto *narrowTabs = new NarrowTabStyle;
    narrowTabs->setParent(PageControl1);
    PageControl1->tabBar()->setStyle(narrowTabs);
    layout->addWidget(Label1);
    layout->addWidget(cmbObiekty);
    layout->addWidget(PageControl1, 1);

    buildPalette();
    tabWlasciwosci = new QWidget;
    tabWlasciwosci->setObjectName(QStringLiteral("tabWlasciwosci"));
    auto *properties = new QVBoxLayout(tabWlasciwosci);
    properties->setContentsMargins(0, 0, 0, 0);
    properties->setSpacing(1);
    fontStrip = buildFontStrip(tabWlasciwosci);
    properties->addWidget(fontStrip);
    scrollObjekty = new QWidget(tabWlasciwosci);
    scrollObjekty->setObjectName(QStringLiteral("scrollObjekty"));
    scrollObjekty->setFocusPolicy(Qt::ClickFocus);
    // The rows follow the box's own width, which the page's layout sets
    // after the window's resize.
    scrollObjekty->installEventFilter(this);
    properties->addWidget(scrollObjekty, 1);
    PageControl1->addTab(tabWlasciwosci, InspectorTexts::propertiesPage());
    buildRows();
    connectEditors();
    PageControl1->setCurrentWidget(tabWlasciwosci);
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] { PageControl1Change(); });
    connect(cmbObiekty, &QComboBox::activated, this, [this] { cmbObiektyClick(cmbObiekty); });

    commits.text = [this](Row row, const QString &text) { commitText(row, text); };
    commits.number = [this](Row row, int value) { commitNumber(row, value); };
    commits.choice = [this](Row row, int index, const QString &text) { commitChoice(row, index, text); };
    commits.colour = [this](Row row) { commitColour(row); };
    commits.file = [this](Row row) { commitFile(row); };
    commits.font = [this](QObject *sender) { commitFont(sender); };
    commits.fontColour = [this](QObject *sender) { commitFontColour(sender); };
    commits.nextWindow = [this](bool checked) { commitNextWindow(checked); };

    // Entering the rows counts as an edit of the project.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *old, QWidget *now) {
        if (now && scrollObjekty->isAncestorOf(now) && !(old && scrollObjekty->isAncestorOf(old)))
            m_context.ProjectModified = true;
    });

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(200);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    Timer1->start();

    place();
    fillFonts();
    OdczytWlasciwosci(m_context.CurrentObject);
    CzyszczenieWylaczanie();
    FormResize();
}

TfrmObiekty::~TfrmObiekty()
{
    if (m_rowsDragging)
        QApplication::restoreOverrideCursor();
}

void TfrmObiekty::buildPalette()
{
    tabKlawisze = buildPalettePage(kKeyBasic, kKeyOptional, InspectorTexts::availableKeys());
    tabKlawisze->setObjectName(QStringLiteral("tabKlawisze"));
    tabInne = buildPalettePage(kOtherBasic, kOtherOptional, {});
    tabInne->setObjectName(QStringLiteral("tabInne"));
    // A window made short scrolls its palette rather than growing.
    for (QWidget *page : {tabKlawisze, tabInne}) {
        auto *scroll = new QScrollArea;
        scroll->setWidgetResizable(true);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidget(page);
        PageControl1->addTab(scroll, page == tabKlawisze ? InspectorTexts::keysPage()
                                                          : InspectorTexts::otherObjectsPage());
    }
}

QWidget *TfrmObiekty::buildPalettePage(const QList<int> &basic, const QList<int> &optional, const QString &box)
{
    auto *page = new QWidget;
    auto *pageLayout = new QVBoxLayout(page);
    QWidget *holder = page;
    if (!box.isEmpty()) {
        auto *group = new QGroupBox(box, page);
        pageLayout->addWidget(group);
        holder = group;
    }
    // The buttons of one page share a parent, so one going down raises the
    // others; the two pages do not touch each other.
    auto *buttons = new QWidget(holder);
    auto *grid = new QVBoxLayout(buttons);
    grid->setSpacing(2);
    const auto addButtons = [&](const QString &label, const QList<int> &kinds) {
        grid->addWidget(new QLabel(label, buttons));
        for (int kind : kinds) {
            for (const PaletteKinds::Entry &entry : PaletteKinds::entries()) {
                if (entry.kind != kind)
                    continue;
                auto *button = new TMenuButton(buttons);
                button->setObjectName(QLatin1String(entry.name));
                button->setCaption(QString::fromUtf8(entry.caption));
                button->setCursor(Qt::PointingHandCursor);
                button->setGroupIndex(1);
                button->setAllowAllUp(true);
                button->setFlat(false);
                button->setFixedHeight(24);
                grid->addWidget(button);
                m_paletteButtons.insert(kind, button);
            }
        }
    };
    addButtons(InspectorTexts::basic(), basic);
    addButtons(InspectorTexts::optional(), optional);
    grid->addStretch(1);
    if (holder != page) {
        auto *groupLayout = new QVBoxLayout(holder);
        groupLayout->addWidget(buttons);
    } else {
        pageLayout->addWidget(buttons);
    }
    pageLayout->addStretch(1);
    return page;
}

// The font strip: two small bars docked in rows of their own above the
// property rows; the font strip is never disabled.
QWidget *TfrmObiekty::buildFontStrip(QWidget *parent)
{
    auto *dock = new TDock(this, parent);
    dock->setObjectName(QStringLiteral("fontStrip"));
    dock->setAllowDrag(false);
    const auto bar = [this, dock](const QString &name, int row) {
        auto *toolbar = new TToolbar(this);
        toolbar->setObjectName(name);
        toolbar->setCanDockLeftRight(false);
        toolbar->setCloseButton(false);
        toolbar->setDockRow(row);
        return toolbar;
    };
    TToolbar *fontBar = bar(QStringLiteral("pasekCzcionka"), 0);
    TToolbar *styleBar = bar(QStringLiteral("pasekStyl"), 1);

    cmbFontSize = new QComboBox(fontBar);
    cmbFontSize->setObjectName(QStringLiteral("cmbFontSize"));
    cmbFontSize->setEditable(true);
    cmbFontSize->setInsertPolicy(QComboBox::NoInsert);
    cmbFontSize->setFixedSize(48, 22);
    cmbFont = new QComboBox(fontBar);
    cmbFont->setObjectName(QStringLiteral("cmbFont"));
    cmbFont->setEditable(true);
    cmbFont->setInsertPolicy(QComboBox::NoInsert);
    cmbFont->setFixedSize(150, 22);

    const auto styleButton = [styleBar](const QString &name, const QString &caption, int group,
                                        void (QFont::*style)(bool)) {
        auto *button = new TToolbarButton(styleBar);
        button->setObjectName(name);
        button->setCaption(caption);
        // Each its own switch.
        button->setGroupIndex(group);
        button->setAllowAllUp(true);
        QFont font(QStringLiteral("Times New Roman"));
        font.setBold(true);
        (font.*style)(true);
        button->setFont(font);
        button->setFixedSize(23, 22);
        return button;
    };
    klwBold = styleButton(QStringLiteral("klwBold"), QStringLiteral("B"), 1, &QFont::setBold);
    klwItalic = styleButton(QStringLiteral("klwItalic"), QStringLiteral("I"), 2, &QFont::setItalic);
    klwUnder = styleButton(QStringLiteral("klwUnder"), QStringLiteral("U"), 3, &QFont::setUnderline);
    new TToolbarSep(styleBar);

    const auto colourButton = [styleBar](const QString &panelName, const QString &name, const QString &hint,
                                         TToolbarButton **button) {
        auto *panel = new QFrame(styleBar);
        panel->setObjectName(panelName);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setAutoFillBackground(true);
        panel->setFixedSize(27, 22);
        *button = new TToolbarButton(panel);
        (*button)->setObjectName(name);
        (*button)->setHint(hint);
        (*button)->setShowHint(true);
        (*button)->setGeometry(5, 3, 17, 16);
        return panel;
    };
    kolor = colourButton(QStringLiteral("kolor"), QStringLiteral("klwFontKolor"), InspectorTexts::fontColorHint(),
                         &klwFontKolor);
    pnlSelKolor = colourButton(QStringLiteral("pnlSelKolor"), QStringLiteral("klwSelColor"),
                               InspectorTexts::selectedColorHint(), &klwSelColor);
    for (TToolbar *toolbar : {fontBar, styleBar}) {
        toolbar->setDockedTo(dock);
        toolbar->arrangeControls();
    }
    return dock;
}

QWidget *TfrmObiekty::buildEditor(Row row)
{
    const RowSpec &spec = specOf(row);
    QWidget *editor = nullptr;
    switch (spec.kind) {
    case EditorKind::Text: editor = new QLineEdit(pnlObiekty); break;
    case EditorKind::Choice: editor = new QComboBox(pnlObiekty); break;
    case EditorKind::File:
    case EditorKind::Colour: {
        auto *link = new TLinkEdit(pnlObiekty);
        link->setLinkStyle(lsEllipsis);
        editor = link;
        break;
    }
    case EditorKind::Number: editor = new QSpinBox(pnlObiekty); break;
    }
    editor->setObjectName(QLatin1String(spec.editorName));
    editor->setProperty("Tag", 5);
    editor->setGeometry(kEditorLeft, 2 + int(row) * kRowStep, kPanelWidth - kEditorLeft - 5, kRowHeight);
    editor->installEventFilter(this);
    editor->setMouseTracking(true);
    return editor;
}

void TfrmObiekty::buildRows()
{
    pnlObiekty = new QWidget(scrollObjekty);
    pnlObiekty->setObjectName(QStringLiteral("pnlObiekty"));
    pnlObiekty->setGeometry(0, 0, kPanelWidth, kPanelHeight);
    pnlObiekty->installEventFilter(this);
    for (Row row : allRows()) {
        const RowSpec &spec = specOf(row);
        auto *caption = new QLabel(QString::fromUtf8(spec.caption), pnlObiekty);
        caption->setObjectName(QLatin1String(spec.panelName));
        caption->setFrameShape(QFrame::Panel);
        caption->setFrameShadow(QFrame::Raised);
        caption->setGeometry(kCaptionLeft, 2 + int(row) * kRowStep, kEditorLeft - kCaptionLeft - 2, kRowHeight);
        caption->setCursor(Qt::SizeVerCursor);
        caption->installEventFilter(this);
        m_captions.insert(row, caption);
        m_editors.insert(row, buildEditor(row));
    }
    edtTekst = static_cast<QLineEdit *>(m_editors[Row::Tekst]);
    edtHint = static_cast<QLineEdit *>(m_editors[Row::Hint]);
    edtZawijanieTekstu = static_cast<QComboBox *>(m_editors[Row::ZawijanieTekstu]);
    edtPolozenie = static_cast<QComboBox *>(m_editors[Row::Polozenie]);
    edtTypUlozenia = static_cast<QComboBox *>(m_editors[Row::TypUlozenia]);
    edtBorder = static_cast<QComboBox *>(m_editors[Row::Border]);
    edtWyrownanie = static_cast<QComboBox *>(m_editors[Row::Wyrownanie]);
    edtPrzezroczysty = static_cast<QComboBox *>(m_editors[Row::Przezroczysty]);
    edtBitmapa = static_cast<TLinkEdit *>(m_editors[Row::Bitmapa]);
    edtDane = static_cast<TLinkEdit *>(m_editors[Row::Dane]);
    edtNextINI = static_cast<TLinkEdit *>(m_editors[Row::NextIni]);
    edtMaska = static_cast<TLinkEdit *>(m_editors[Row::Maska]);
    edtKolor = static_cast<TLinkEdit *>(m_editors[Row::Kolor]);
    edtKolor->setReadOnly(true);
    edtNumGlyphs = static_cast<QSpinBox *>(m_editors[Row::NumGlyphs]);
    edtSzer = static_cast<QSpinBox *>(m_editors[Row::Szer]);
    edtWys = static_cast<QSpinBox *>(m_editors[Row::Wys]);
    edtLewa = static_cast<QSpinBox *>(m_editors[Row::Lewa]);
    edtGora = static_cast<QSpinBox *>(m_editors[Row::Gora]);
    edtNumGlyphs->setRange(1, 5);
    edtNumGlyphs->setToolTip(InspectorTexts::glyphCountHint());
    edtMaska->setToolTip(InspectorTexts::maskHint());
    for (QSpinBox *size : {edtSzer, edtWys})
        size->setRange(1, 2000);
    for (QSpinBox *position : {edtLewa, edtGora})
        position->setRange(-100, 2000);
    buildCaptionExtras();

    const int arrowsTop = 2 + RowCount * kRowStep;
    klwZeruj = new QToolButton(pnlObiekty);
    klwZeruj->setObjectName(QStringLiteral("klwZeruj"));
    klwZeruj->setArrowType(Qt::UpArrow);
    klwZeruj->setGeometry(kCaptionLeft, arrowsTop, 22, 22);
    klwDownRight = new QToolButton(pnlObiekty);
    klwDownRight->setObjectName(QStringLiteral("klwDownRight"));
    klwDownRight->setArrowType(Qt::UpArrow);
    klwDownRight->setGeometry(kPanelWidth - 27, arrowsTop, 22, 22);
    connect(klwZeruj, &QToolButton::clicked, this, [this] { klwZerujClick(klwZeruj); });
    connect(klwDownRight, &QToolButton::clicked, this, [this] { klwZerujClick(klwDownRight); });
}

void TfrmObiekty::buildCaptionExtras()
{
    const auto smallButton = [this](Row row, const QString &name, const QString &caption, const QString &hint) {
        QLabel *panel = m_captions[row];
        auto *button = new TMenuButton(panel);
        button->setObjectName(name);
        button->setCaption(caption);
        button->setHint(hint);
        button->setShowHint(true);
        button->setFlat(false);
        button->setGeometry(panel->width() - 30, 2, 28, kRowHeight - 4);
        button->OnClick = [this](QObject *sender) {
            if (commits.outsideEditor)
                commits.outsideEditor(sender);
        };
        return button;
    };
    MenuButton1 = smallButton(Row::Bitmapa, QStringLiteral("MenuButton1"), QStringLiteral("BMP"),
                              InspectorTexts::editBmpHint());
    klwRV3 = smallButton(Row::Dane, QStringLiteral("klwRV3"), QStringLiteral("RV3"), InspectorTexts::editDataHint());
    klwEditBMPMaska = smallButton(Row::Maska, QStringLiteral("klwEditBMPMaska"), QStringLiteral("BMP"),
                                  InspectorTexts::editBmpHint());
    QLabel *nextPanel = m_captions[Row::NextIni];
    chkUseNextIni = new TBitCheckBox(nextPanel);
    chkUseNextIni->setObjectName(QStringLiteral("chkUseNextIni"));
    chkUseNextIni->setToolTip(InspectorTexts::nextWindowHint());
    chkUseNextIni->setGeometry(nextPanel->width() - 22, 3, 19, kRowHeight - 6);
    chkUseNextIni->OnClick = [this](QObject *) {
        if (!m_filling && commits.nextWindow)
            commits.nextWindow(chkUseNextIni->checked());
    };
}

void TfrmObiekty::connectEditors()
{
    edtZawijanieTekstu->addItems(InspectorTexts::yesNo());
    edtPrzezroczysty->addItems(InspectorTexts::yesNo());
    edtPolozenie->addItems(InspectorTexts::glyphPositions());
    edtTypUlozenia->addItems(InspectorTexts::tilings());
    edtBorder->addItems(InspectorTexts::borders());
    edtWyrownanie->addItems(InspectorTexts::alignments());
    for (Row row : allRows()) {
        QWidget *editor = m_editors[row];
        if (auto *combo = qobject_cast<QComboBox *>(editor)) {
            connect(combo, &QComboBox::activated, this, [this, row, combo](int index) {
                if (commits.choice)
                    commits.choice(row, index, combo->itemText(index));
            });
        } else if (auto *link = qobject_cast<TLinkEdit *>(editor)) {
            link->OnButtonClick = [this, row](QObject *) {
                const auto &commit = specOf(row).kind == EditorKind::Colour ? commits.colour : commits.file;
                if (commit)
                    commit(row);
            };
        }
    }
    const auto fontCommit = [this](QObject *sender) {
        if (commits.font)
            commits.font(sender);
    };
    for (TToolbarButton *button : {klwBold, klwItalic, klwUnder})
        button->OnClick = fontCommit;
    for (QComboBox *box : {cmbFont, cmbFontSize}) {
        connect(box, &QComboBox::activated, this, [box, fontCommit] { fontCommit(box); });
        // Enter is taken before the box sees it: one commit, whatever was
        // typed.
        box->lineEdit()->installEventFilter(this);
    }
    for (TToolbarButton *button : {klwFontKolor, klwSelColor}) {
        button->OnClick = [this](QObject *sender) {
            if (commits.fontColour)
                commits.fontColour(sender);
        };
    }
}

void TfrmObiekty::setConfig(Platform::ProfileFile *cfg)
{
    m_cfg = cfg;
    place();
}

void TfrmObiekty::place()
{
    WindowPlacement stored;
    if (m_cfg)
        stored = readWindowPlacement(*m_cfg, kSection);
    const QRect wanted(stored.left.value_or(0), stored.top.value_or(m_context.MainWindowHeight),
                       stored.width.value_or(width()), stored.height.value_or(height()));
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    const QRect placed = placeOnScreen(wanted, screens);
    resize(placed.size());
    move(placed.topLeft());
}

void TfrmObiekty::fillFonts()
{
    m_fontNames = availableFamilies();
    cmbFont->addItems(m_fontNames);
    cmbFont->setCurrentIndex(m_fontNames.isEmpty() ? -1 : 0);
    cmbFontSize->addItems(fontSizes());
    cmbFontSize->setCurrentIndex(0);
}

bool TfrmObiekty::isDown(int kind) const
{
    const TMenuButton *button = paletteButton(kind);
    return button && button->down();
}

void TfrmObiekty::releaseAll()
{
    PageControl1Change();
}

void TfrmObiekty::setDown(int kind, bool down)
{
    if (TMenuButton *button = paletteButton(kind))
        button->setDown(down);
}

void TfrmObiekty::PageControl1Change()
{
    for (TMenuButton *button : std::as_const(m_paletteButtons))
        button->setDown(false);
    FormResize();
}

void TfrmObiekty::Timer1Timer()
{
    for (auto it = m_paletteButtons.cbegin(); it != m_paletteButtons.cend(); ++it)
        it.value()->setEnabled(paletteKindAvailable(it.key(), m_context));
}

void TfrmObiekty::showInspector()
{
    if (!isVisible())
        show();
}

void TfrmObiekty::setPictureFields(const QString &background, const QString &mask)
{
    edtBitmapa->setText(background);
    edtMaska->setText(mask);
}

void TfrmObiekty::showSurfaceBounds(int width, int height, int top, int left)
{
    edtSzer->setValue(width);
    edtWys->setValue(height);
    edtGora->setValue(top);
    edtLewa->setValue(left);
}

void TfrmObiekty::showBounds(QWidget *object)
{
    if (!object || object != m_context.CurrentObject)
        return;
    // The rows show the object's entry in the design; the window's place on
    // the screen is its own.
    const DesignEdits::Entry entry = DesignEdits::entryOf(m_context.Design, object);
    const QRect bounds = entry.bounds ? *entry.bounds : object->geometry();
    edtSzer->setValue(bounds.width());
    edtWys->setValue(bounds.height());
    edtLewa->setValue(bounds.x());
    edtGora->setValue(bounds.y());
}

void TfrmObiekty::showObjectColor(Platform::TColor color)
{
    m_objectColor = color;
    QPalette palette = edtKolor->palette();
    palette.setColor(QPalette::Base, Platform::toQColor(color));
    edtKolor->setPalette(palette);
}

void TfrmObiekty::showFontColor(Platform::TColor color)
{
    m_fontColor = color;
    QPalette palette = kolor->palette();
    palette.setColor(QPalette::Window, Platform::toQColor(color));
    kolor->setPalette(palette);
}

void TfrmObiekty::Odczyt_NILS()
{
    cmbObiekty->clear();
    m_entries.clear();
    for (const ObjectEntry &entry : objectEntries(m_context)) {
        cmbObiekty->addItem(entry.text);
        m_entries.append(entry.object);
    }
}

void TfrmObiekty::CzyszczenieWylaczanie()
{
    QWidget *current = m_context.CurrentObject;
    for (Row row : allRows()) {
        QWidget *editor = m_editors[row];
        editor->setEnabled(rowApplies(row, current));
        if (auto *line = qobject_cast<QLineEdit *>(editor))
            line->clear();
        else if (auto *combo = qobject_cast<QComboBox *>(editor))
            combo->setCurrentIndex(-1);
        else if (auto *spin = qobject_cast<QSpinBox *>(editor))
            spin->clear();
    }
    const bool categoryKey = rowApplies(Row::Dane, current);
    klwRV3->setEnabled(categoryKey);
    chkUseNextIni->setEnabled(categoryKey);
    chkUseNextIni->setChecked(false);
    MenuButton1->setEnabled(rowApplies(Row::Bitmapa, current));
    klwEditBMPMaska->setEnabled(rowApplies(Row::Maska, current));
    edtWyrownanie->clear();
    edtWyrownanie->addItems(InspectorTexts::alignments());
    edtWyrownanie->setCurrentIndex(-1);
    showObjectColor(Platform::clWindow);
}

void TfrmObiekty::OdczytWlasciwosci(QWidget *object)
{
    m_filling = true;
    m_context.CurrentObject = object;
    Odczyt_NILS();
    CzyszczenieWylaczanie();
    if (object)
        readEntry(object);
    selectCurrentEntry();
    m_filling = false;
}

void TfrmObiekty::readEntry(QWidget *object)
{
    showBounds(object);
    const DesignEdits::Entry entry = DesignEdits::entryOf(m_context.Design, object);
    if (entry.key) {
        readKey(*entry.key);
        return;
    }
    if (entry.font)
        readFont(*entry.font);
    if (entry.hint)
        edtHint->setText(*entry.hint);
    if (entry.wordWrap)
        setChoice(edtZawijanieTekstu, InspectorTexts::yesNo()[*entry.wordWrap ? 0 : 1]);
    if (entry.transparent)
        setChoice(edtPrzezroczysty, InspectorTexts::yesNo()[*entry.transparent ? 0 : 1]);
    if (entry.selectedColor) {
        QPalette palette = pnlSelKolor->palette();
        palette.setColor(QPalette::Window, Platform::toQColor(*entry.selectedColor));
        pnlSelKolor->setPalette(palette);
    }
    const ObjectClass kind = classOf(object);
    if (kind == ObjectClass::Image)
        readImage(object);
    else if (entry.color && kind != ObjectClass::Label && kind != ObjectClass::Window)
        showObjectColor(*entry.color);
}

void TfrmObiekty::readKey(const DesignKey &key)
{
    edtTekst->setText(key.caption);
    setChoice(edtZawijanieTekstu, InspectorTexts::yesNo()[key.wordWrap ? 0 : 1]);
    edtHint->setText(key.hint);
    edtDane->setText(key.dataFile);
    edtBitmapa->setText(key.glyphFile);
    const QStringList borders = InspectorTexts::borders();
    QString border = borders[0];
    if (key.newBorder)
        border = borders[1];
    if (key.noBorder)
        border = borders[2];
    setChoice(edtBorder, border);
    edtNumGlyphs->setValue(key.numGlyphs);
    setChoice(edtPolozenie, InspectorTexts::glyphPositions()[int(key.layout)]);
    edtNextINI->setText(key.nextWindowFile);
    readFont(key.font);
    if (m_context.ProjectIni)
        chkUseNextIni->setChecked(key.opensSecondWindow());
}

void TfrmObiekty::readImage(QWidget *image)
{
    const bool background = tagOf(image) == BackId;
    const MenuDesign &design = m_context.Design;
    edtWyrownanie->clear();
    edtWyrownanie->addItems(background ? InspectorTexts::backAlignments() : InspectorTexts::toolsAlignments());
    const QString picture = m_context.Design.setting(background ? QStringLiteral("Tlo") : QStringLiteral("ToolsBack"));
    edtBitmapa->setText(picture);
    if (background) {
        edtMaska->setText(m_context.Design.setting(QStringLiteral("Maska")));
        showObjectColor(design.windowColor);
    } else if (design.tools) {
        showObjectColor(design.tools->color);
    }
    // A setting that is not a tiling number selects nothing.
    const std::optional<int> tiling =
        tilingIndex(m_context.Design.setting(background ? QStringLiteral("TILE") : QStringLiteral("TOOLS_TILE")));
    edtTypUlozenia->setCurrentIndex(tiling.value_or(-1));
    setChoice(edtWyrownanie, alignmentName(design, background));
}

void TfrmObiekty::readFont(const FontSpec &font)
{
    showFontColor(font.color);
    cmbFont->setEditText(fontBoxText(font.name, m_fontNames));
    cmbFontSize->setEditText(QString::number(font.size));
    klwBold->setDown(font.styles & FontBold);
    klwItalic->setDown(font.styles & FontItalic);
    klwUnder->setDown(font.styles & FontUnderline);
}

void TfrmObiekty::selectCurrentEntry()
{
    for (int index = 0; index < m_entries.size(); ++index) {
        if (m_entries[index] && m_entries[index] == m_context.CurrentObject) {
            cmbObiekty->setCurrentIndex(index);
            return;
        }
    }
    cmbObiekty->setCurrentIndex(-1);
}

void TfrmObiekty::cmbObiektyClick(QObject *)
{
    const int index = cmbObiekty->currentIndex();
    if (index < 0 || index >= m_entries.size() || !m_entries[index])
        return;
    QWidget *chosen = m_entries[index];
    if (m_context.ClickSelects && m_context.Surface)
        m_context.Surface->ZlapWKlamre(chosen);
    OdczytWlasciwosci(chosen);
}

void TfrmObiekty::klwZerujClick(QObject *)
{
    pnlObiekty->move(pnlObiekty->x(), 0);
}

void TfrmObiekty::FormResize()
{
    const int width = scrollObjekty->width();
    for (QWidget *editor : std::as_const(m_editors))
        editor->resize(std::max(20, width - kEditorLeft - 5), editor->height());
    pnlObiekty->resize(std::max(kPanelWidth, width - 5), pnlObiekty->height());
    klwDownRight->move(pnlObiekty->width() - klwDownRight->width() - 5, klwDownRight->y());
    setMinimumWidth(cmbFontSize->x() + cmbFontSize->width() + 10);
}

void TfrmObiekty::rowsMouseDown(int y)
{
    QApplication::setOverrideCursor(Qt::SizeVerCursor);
    m_rowsDragStartY = y;
    m_rowsDragging = true;
}

void TfrmObiekty::rowsMouseMove(int y)
{
    if (!m_rowsDragging)
        return;
    pnlObiekty->move(pnlObiekty->x(), draggedTop(pnlObiekty->y(), m_rowsDragStartY, y, pnlObiekty->height()));
}

void TfrmObiekty::rowsMouseUp()
{
    if (!m_rowsDragging)
        return;
    m_rowsDragging = false;
    pnlObiekty->move(pnlObiekty->x(), releasedTop(pnlObiekty->y(), pnlObiekty->height()));
    QApplication::restoreOverrideCursor();
}

bool TfrmObiekty::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == scrollObjekty && event->type() == QEvent::Resize) {
        FormResize();
        return false;
    }
    auto *widget = qobject_cast<QWidget *>(watched);
    const bool rowsPart = watched == pnlObiekty || (widget && widget->parentWidget() == pnlObiekty
                                                    && qobject_cast<QLabel *>(widget));
    if (rowsPart && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseMove
                     || event->type() == QEvent::MouseButtonRelease)) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        // In the panel's coordinates: as the panel moves they move with it,
        // so each step adds only what the pointer moved since.
        const QPoint at = mouse->position().toPoint();
        const int y = widget == pnlObiekty ? at.y() : widget->mapTo(pnlObiekty, at).y();
        if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton)
            rowsMouseDown(y);
        else if (event->type() == QEvent::MouseMove)
            rowsMouseMove(y);
        else if (event->type() == QEvent::MouseButtonRelease)
            rowsMouseUp();
        return true;
    }
    if ((watched == cmbFont->lineEdit() || watched == cmbFontSize->lineEdit()) && isEnter(event)) {
        if (commits.font)
            commits.font(watched == cmbFont->lineEdit() ? cmbFont : cmbFontSize);
        return true;
    }
    for (auto it = m_editors.cbegin(); it != m_editors.cend(); ++it) {
        if (it.value() != watched)
            continue;
        const Row row = it.key();
        const QString hintKey = QString::fromUtf8(specOf(row).hintKey);
        if ((event->type() == QEvent::MouseMove || (row == Row::NumGlyphs && event->type() == QEvent::FocusIn))
            && OnHint && !hintKey.isEmpty())
            OnHint(hintKey);
        if (isEnter(event)) {
            const EditorKind kind = specOf(row).kind;
            if (kind == EditorKind::Number && commits.number) {
                auto *spin = static_cast<QSpinBox *>(it.value());
                spin->interpretText();
                commits.number(row, spin->value());
                return true;
            }
            if ((kind == EditorKind::Text || kind == EditorKind::File) && commits.text) {
                commits.text(row, static_cast<QLineEdit *>(it.value())->text());
                return true;
            }
        }
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void TfrmObiekty::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void TfrmObiekty::closeEvent(QCloseEvent *event)
{
    if (m_cfg) {
        writeWindowPlacement(*m_cfg, kSection, width(), height(), y(), x());
        m_cfg->flush(); // a settings file that cannot be written costs only the place
    }
    event->accept();
    if (OnClose)
        OnClose();
}
