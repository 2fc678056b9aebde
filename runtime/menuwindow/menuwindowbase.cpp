#include "menuwindowbase.h"

#include "hints/coolhint.h"
#include "menuwindow/eventhook.h"
#include "startup/runtimecontext.h"

#include <buttons/menubutton.h>
#include <menuobjects/imagewidget.h>
#include <menuobjects/menubuilder.h>
#include <menuobjects/menuobjects.h>
#include <shaper/controlshaper.h>
#include <transplist/transplist.h>

#include <colors.h>
#include <paths.h>
#include <safefile.h>
#include <textfile.h>

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTimer>
#include <QToolTip>

using namespace ProjectFormat;
using Platform::TColor;

using namespace MenuObjects;

const MenuWindowKind &MenuWindowKind::menu()
{
    static const MenuWindowKind kind{
        .objectName = QStringLiteral("Form1"),
        .shaperName = QStringLiteral("MASKA"),
        .singleObjectOrder = {ListId, SerialId, SystemId, InfoId, RozmiarId, ToolsId, DescriptionId, TitleId},
    };
    return kind;
}

const MenuWindowKind &MenuWindowKind::subWindow()
{
    static const MenuWindowKind kind{
        .objectName = QStringLiteral("Form2"),
        .shaperName = QStringLiteral("MASKA_2"),
        .readsCdKeys = false,
        .ownsSounds = false,
        .opensSubWindow = false,
        .singleObjectOrder = {ListId, SerialId, SystemId, RozmiarId, InfoId, ToolsId, DescriptionId, TitleId},
        .lowersBackgroundWithStrip = false,
        .fieldFontColor = Platform::clWindowText,
        .categoryReset = FieldReset::KeepSystemAndSerial,
        .hoverReset = FieldReset::EveryField,
        .hoverRedrawsDescription = true,
        .offersRarArchive = false,
        .hasKeyboardHelp = false,
        .backspaceCloses = true,
        .copyTreeOpensHome = false,
    };
    return kind;
}

TMenuWindowBase::TMenuWindowBase(RuntimeContext &context, const MenuWindowKind &kind, QWidget *parent)
    : QWidget(parent)
    , m_context(context)
    , m_kind(kind)
{
    setObjectName(kind.objectName);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setBackgroundColor(this, Platform::clBlack);

    m_dragHook = new EventHook(this, [this](QObject *watched, QEvent *event) { return dragWindow(watched, event); });
    // Every key of the window comes here first, whichever control has focus.
    m_keyHook = new EventHook(this, [this](QObject *watched, QEvent *event) { return previewKey(watched, event); });
    qApp->installEventFilter(m_keyHook);

    Image1 = new TImage(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    enableWindowDragging(Image1);

    MASKA = new TControlShaper(this);
    MASKA->setObjectName(kind.shaperName);
}

TMenuWindowBase::~TMenuWindowBase()
{
    // The hooks call into this window; they go before its parts do.
    delete m_keyHook;
    delete m_dragHook;
    if (m_hints)
        m_hints->uninstall(this);
}

ProjectValues TMenuWindowBase::values() const
{
    return ProjectValues(project(), Reader::Runtime, m_context.DriveRoot);
}

bool TMenuWindowBase::windowFlag(const QString &key) const
{
    return values().boolean(Sections::Window, key);
}

TColor TMenuWindowBase::windowColor(const QString &key) const
{
    return values().color(Sections::Window, key);
}

void TMenuWindowBase::minimizeApplication()
{
    showMinimized();
}

void TMenuWindowBase::FormCreate()
{
    hookMinimizeAndRestore();
    if (m_kind.readsCdKeys) {
        loadApplicationIcon();
        applyHints();
        applyBorder();
    }
    if (m_hints)
        m_hints->install(this);
    resize(values().windowSize());
    applyShape();
    setFixedSize(size());
    placeBackground();
    paintBackground();
    if (m_kind.ownsSounds)
        loadSoundsAndMusic();
    m_design = MenuDesign::read(project(), Reader::Runtime);
    createCategoryKeys();
    createFunctionButtons();
    createSingleObjects();
    applyStyles();
    showStartDescription();
    applyTitles();
    paintToolsStrip();
    // Placed before the first category click can show the window.
    if (m_kind.readsCdKeys)
        centreOnScreen();
    autoload();
    Image1->lower();
}

void TMenuWindowBase::centreOnScreen()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TMenuWindowBase::loadApplicationIcon()
{
    // Checked first: asking a missing file for its sizes makes Qt load
    // every image plugin to try it.
    const QString iconFile = m_context.fileBesideProgram(QStringLiteral("ZELTRIN.ICO"));
    if (iconFile.isEmpty())
        return;
    const QImage icon = Platform::readPicture(iconFile);
    if (!icon.isNull())
        QApplication::setWindowIcon(QIcon(QPixmap::fromImage(icon)));
}

void TMenuWindowBase::applyHints()
{
    QPalette tips = QToolTip::palette();
    tips.setColor(QPalette::ToolTipBase, Platform::toQColor(windowColor(QStringLiteral("HintKolor"))));
    QToolTip::setPalette(tips);
    HintStyle style;
    style.color = windowColor(QStringLiteral("HintKolor"));
    style.textColor = windowColor(QStringLiteral("HintTextKolor"));
    // Read as a number: an empty value or text gives rectangular hints.
    style.oval = values().integer(Sections::Window, QStringLiteral("HintOval"), 0) != 0;
    m_hints = new CoolHints(this);
    m_hints->setStyle(style);
}

void TMenuWindowBase::applyBorder()
{
    Qt::WindowFlags flags = windowFlags();
    if (windowFlag(QStringLiteral("NOBORDERICONS"))) {
        flags &= ~(Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
        flags |= Qt::CustomizeWindowHint;
    }
    if (windowFlag(QStringLiteral("NOBORDER")))
        flags |= Qt::FramelessWindowHint;
    setWindowFlags(flags);
}

void TMenuWindowBase::applyShape()
{
    const QString maskFile = values().text(Sections::Bonus, QStringLiteral("MASKA"));
    if (maskFile.isEmpty()) {
        delete MASKA;
        MASKA = nullptr;
        return;
    }
    MASKA->mask().setPicFile(values().resolve(maskFile));
    MASKA->setControlHandle(this);
    MASKA->setShapeActive(true);
    if (MASKA->shapeActive())
        resize(MASKA->maskWidth(), MASKA->maskHeight());
}

void TMenuWindowBase::placeBackground()
{
    if (windowFlag(QStringLiteral("BACK_ALIGN"))) {
        Image1->setGeometry(rect());
        return;
    }
    // Keys missing from BACK keep the client area's.
    Image1->setGeometry(values().bounds(BackId, rect()));
}

void TMenuWindowBase::paintBackground()
{
    setBackgroundColor(this, windowColor(QStringLiteral("COLOR")));
    paintPicture(Image1, QStringLiteral("BACKGROUND"), QStringLiteral("TILE"));
}

void TMenuWindowBase::paintPicture(TImage *image, const QString &pictureKey, const QString &tileKey)
{
    const QString file = values().path(Sections::Window, pictureKey,
                                       defaultValue(Reader::Runtime, Sections::Window, pictureKey));
    QImage picture = Platform::readPicture(file);
    if (picture.isNull())
        return; // a missing picture leaves the colour underneath
    if (windowFlag(tileKey))
        image->tile(picture);
    else
        image->stretch(std::move(picture));
}

void TMenuWindowBase::createCategoryKeys()
{
    const bool alwaysDown = windowFlag(QStringLiteral("ALWAYS_DOWN"));
    const MenuBuilder::Resolve resolve = [this](const QString &stored) { return values().resolve(stored); };
    for (const DesignKey &entry : m_design.keys) {
        if (entry.isFunctionKey())
            continue;
        TMenuButton *button = MenuBuilder::createKey(this, entry);
        button->setHint(entry.hint);
        if (alwaysDown) {
            button->setGroupIndex(1000);
            button->setAllowAllUp(false);
        }
        button->OnClick = [this](QObject *sender) { ODCZYTKATEGORI(sender); };
        button->OnMouseMove = [this](QObject *sender, Qt::KeyboardModifiers, int, int) {
            OdczytOpisuKategori(sender);
        };
        MenuBuilder::loadGlyph(button, entry, resolve); // a glyph that does not load leaves none
        m_controls.categoryKeys.append(button);
    }
}

void TMenuWindowBase::createFunctionButtons()
{
    const UserOptions &options = m_context.Options;
    const MenuBuilder::Resolve resolve = [this](const QString &stored) { return values().resolve(stored); };
    for (const DesignKey &entry : m_design.keys) {
        if (!entry.isFunctionKey())
            continue;
        const int id = entry.id;
        TMenuButton *button = MenuBuilder::createKey(this, entry);
        button->OnClick = [this](QObject *sender) { runFunction(sender); };
        if (id == MusicId)
            button->setHint(options.NOSOUND || options.NoMusic ? QStringLiteral("ON") : QStringLiteral("OFF"));
        if (id == StartId || id == CopyId || id == DescriptionEditId || id == ExploreId || id == ScreenshotId)
            button->setEnabled(false);
        if (id == DescriptionToggleId) {
            button->setGroupIndex(1);
            button->setAllowAllUp(true);
        }
        m_controls.functionButtons[size_t(id - FirstFunctionId)] = button;
        MenuBuilder::loadGlyph(button, entry, resolve);
    }
}

bool TMenuWindowBase::designHolds(int id) const
{
    switch (id) {
    case ListId: return bool(m_design.list);
    case ToolsId: return bool(m_design.tools);
    case DescriptionId: return bool(m_design.description);
    case TitleId: return bool(m_design.title);
    default: return bool(m_design.field(id));
    }
}

void TMenuWindowBase::createSingleObjects()
{
    for (int id : m_kind.singleObjectOrder) {
        if (designHolds(id))
            createSingleObject(id);
    }
}

void TMenuWindowBase::createSingleObject(int id)
{
    switch (id) {
    case ListId: createProgramList(); break;
    case SerialId: m_controls.serialField = createField(SerialId, QStringLiteral("SERIAL_IF_IS")); break;
    case SystemId: m_controls.systemField = createField(SystemId, QStringLiteral("SYSTEM_IF_IS")); break;
    case InfoId: m_controls.infoField = createField(InfoId, QStringLiteral("PRGINFO_IF_IS")); break;
    case RozmiarId: m_controls.sizeField = createField(RozmiarId, QStringLiteral("SIZE_IF_IS")); break;
    case ToolsId: createToolsStrip(); break;
    case DescriptionId: createDescription(); break;
    case TitleId: createTitle(); break;
    default: break;
    }
}

void TMenuWindowBase::createProgramList()
{
    m_controls.programList = MenuBuilder::createList(this, ListId, m_design.list->bounds);
    m_controls.programList->onClick = [this](TTranspList *sender) { LISTA_PRG(sender); };
    m_controls.programList->setSorted(true);
    m_controls.programList->setVisible(!windowFlag(QStringLiteral("LIST_ON_CLICK")));
}

QLineEdit *TMenuWindowBase::createField(int id, const QString &flagKey)
{
    QLineEdit *field = MenuBuilder::createField(this, id, *m_design.field(id));
    field->setVisible(!values().boolean(Sections::Window, flagKey, false));
    return field;
}

void TMenuWindowBase::createToolsStrip()
{
    m_controls.toolsStrip = MenuBuilder::createTools(this, *m_design.tools, size());
    enableWindowDragging(m_controls.toolsStrip);
    m_controls.toolsStrip->lower();
    if (m_kind.lowersBackgroundWithStrip)
        Image1->lower();
}

void TMenuWindowBase::createDescription()
{
    const QRect bounds = m_design.description->bounds;
    m_controls.descriptionMemo = new QPlainTextEdit(this);
    m_controls.descriptionMemo->setObjectName(QStringLiteral("DESCRIPTION_MEMO"));
    m_controls.descriptionMemo->setGeometry(bounds);
    m_controls.descriptionMemo->setFrameShape(QFrame::NoFrame);
    m_controls.descriptionMemo->setReadOnly(true);
    m_controls.descriptionMemo->hide();

    m_controls.descriptionList = MenuBuilder::createList(this, DescriptionId, bounds);
    m_controls.descriptionList->setTransparent(true);
    enableWindowDragging(m_controls.descriptionList);
    m_controls.descriptionList->raise();
    m_controls.descriptionList->setSelectedColor(m_controls.descriptionList->fontColor());
}

void TMenuWindowBase::createTitle()
{
    const QString text = m_kind.readsCdKeys
                             ? values().text(Sections::Cdrom, QStringLiteral("CD_TITLE"), m_context.ApplicationTitle)
                             : m_context.ApplicationTitle;
    m_controls.titleLabel = MenuBuilder::createTitle(this, *m_design.title, text);
    enableWindowDragging(m_controls.titleLabel);
    m_controls.titleLabel->raise();
}

void TMenuWindowBase::applyFont(QWidget *widget, const QString &name, TColor defaultColor)
{
    MenuObjects::applyFont(widget, values(), name, defaultColor);
}

void TMenuWindowBase::applyStyles()
{
    const KeyStyle keyStyle{windowFlag(QStringLiteral("CURSOR_HAND")), menuMusicExtension()};
    for (TMenuButton *button : findChildren<TMenuButton *>()) {
        const int id = tagOf(button);
        if (id > 1000)
            styleButton(button, id, keyStyle);
    }
    if (m_controls.programList)
        MenuBuilder::styleList(m_controls.programList, *m_design.list);
    if (m_controls.descriptionList) {
        applyFont(m_controls.descriptionMemo, objectKey(DescriptionId), Platform::clBtnText);
        MenuBuilder::styleDescription(m_controls.descriptionList, *m_design.description);
        m_controls.descriptionList->setSelectedColor(m_controls.descriptionList->fontColor());
        m_controls.descriptionList->setScrolkiColor(m_controls.descriptionList->selectedColor());
        setFontColor(m_controls.descriptionMemo, Platform::clWindowText);
    }
    const MenuControls &c = m_controls;
    for (QLineEdit *field : {c.serialField, c.systemField, c.infoField, c.sizeField}) {
        if (!field)
            continue;
        const int id = tagOf(field);
        MenuBuilder::styleField(field, *m_design.field(id));
        // The second window's fields write in the window's text colour
        // unless the project says otherwise.
        if (id != SerialId)
            setFontColor(field, values().color(Sections::FontColor, objectKey(id), m_kind.fieldFontColor));
    }
    if (m_controls.titleLabel)
        MenuBuilder::styleTitle(m_controls.titleLabel, *m_design.title);
}

void TMenuWindowBase::styleButton(TMenuButton *button, int id, const KeyStyle &style)
{
    if (style.handCursor)
        button->setCursor(Qt::PointingHandCursor);
    if (const DesignKey *entry = m_design.key(id))
        MenuBuilder::styleKey(button, *entry);
    attachClickSounds(button, style.menuMusic);
}

void TMenuWindowBase::showStartDescription()
{
    if (!m_controls.descriptionList)
        return;
    loadDescription(values().text(Sections::Cdrom, QStringLiteral("CD_DESCRIPTION")));
    showDescription(true);
}

void TMenuWindowBase::applyTitles()
{
    if (m_kind.readsCdKeys)
        m_context.ApplicationTitle = values().text(Sections::Cdrom, QStringLiteral("CD_TITLE"));
    setWindowTitle(values().text(Sections::Cdrom, QStringLiteral("CD_CAPTION"), m_context.ApplicationTitle));
}

void TMenuWindowBase::paintToolsStrip()
{
    if (!m_controls.toolsStrip)
        return;
    const QColor fill = Platform::toQColor(windowColor(QStringLiteral("TOOLS_COLOR")));
    m_controls.toolsStrip->fillRect(QRect(QPoint(0, 0), m_controls.toolsStrip->size()), fill);
    paintPicture(m_controls.toolsStrip, QStringLiteral("TOOLS_BACKGROUND"), QStringLiteral("TOOLS_TILE"));
}

void TMenuWindowBase::autoload()
{
    if (!windowFlag(QStringLiteral("AUTOLOAD")))
        return;
    if (auto *first = findChild<TMenuButton *>(QStringLiteral("klw1001")))
        ODCZYTKATEGORI(first);
}

void TMenuWindowBase::enableWindowDragging(QWidget *widget)
{
    // Tracked so that moving onto it, without a button down, resets the
    // last hovered key.
    widget->setMouseTracking(true);
    widget->installEventFilter(m_dragHook);
}

bool TMenuWindowBase::previewKey(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    return FormKeyDown(key->key(), key->modifiers());
}

bool TMenuWindowBase::dragWindow(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        // A press on the description's scroll arrows only scrolls it.
        const auto *list = dynamic_cast<const TTranspList *>(watched);
        if (list && list->isScrollArrowAt(mouse->position().toPoint()))
            break;
        m_dragging = true;
        m_dragStartPointer = mouse->globalPosition().toPoint();
        m_dragStartWindow = pos();
        break;
    }
    case QEvent::MouseMove: {
        if (m_clickSounds)
            m_clickSounds->setLastHoveredTag(0);
        if (m_dragging)
            move(m_dragStartWindow + static_cast<QMouseEvent *>(event)->globalPosition().toPoint()
                 - m_dragStartPointer);
        break;
    }
    case QEvent::MouseButtonRelease:
        m_dragging = false;
        break;
    default:
        break;
    }
    return false;
}



