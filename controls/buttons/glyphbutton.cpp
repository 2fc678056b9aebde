#include "buttons/glyphbutton.h"

#include "colors.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QScopeGuard>
#include <QShortcutEvent>
#include <QToolTip>

namespace {

constexpr int kHotInterval = 125;
constexpr int kComboWidth = 11;

QColor sys(Platform::TColor color)
{
    return Platform::toQColor(color);
}

// The control under a screen point, disabled ones included.
QWidget *controlAt(QPoint global)
{
    return QApplication::widgetAt(global);
}

// One line of bevel colours: top and left in topLeft, bottom and right
// (with both far corners) in bottomRight.
void drawBevel(QPainter &painter, const QRect &r, const QColor &topLeft, const QColor &bottomRight)
{
    painter.fillRect(r.left(), r.top(), r.width() - 1, 1, topLeft);
    painter.fillRect(r.left(), r.top(), 1, r.height() - 1, topLeft);
    painter.fillRect(r.left(), r.bottom(), r.width(), 1, bottomRight);
    painter.fillRect(r.right(), r.top(), 1, r.height(), bottomRight);
}

// A flat face gets one line (raised inner or sunken outer); a full face two
// soft lines and its middle filled.
void drawEdge(QPainter &painter, const QRect &r, bool flat, bool pushed)
{
    if (flat) {
        if (pushed)
            drawBevel(painter, r, sys(Platform::clBtnShadow), sys(Platform::clBtnHighlight));
        else
            drawBevel(painter, r, sys(Platform::clBtnHighlight), sys(Platform::clBtnShadow));
        return;
    }
    const QRect inner = r.adjusted(1, 1, -1, -1);
    if (pushed) {
        drawBevel(painter, r, sys(Platform::clBtnShadow), sys(Platform::clBtnHighlight));
        drawBevel(painter, inner, sys(Platform::cl3DDkShadow), sys(Platform::cl3DLight));
    } else {
        drawBevel(painter, r, sys(Platform::clBtnHighlight), sys(Platform::cl3DDkShadow));
        drawBevel(painter, inner, sys(Platform::cl3DLight), sys(Platform::clBtnShadow));
    }
    painter.fillRect(r.adjusted(2, 2, -2, -2), sys(Platform::clBtnFace));
}

// While a dropdown menu is open: a press on the button that opened it only
// closes the menu, it is not passed on to the button again.
class PressOnOwnerFilter : public QObject
{
public:
    PressOnOwnerFilter(QWidget *owner, QMenu *menu) : m_owner(owner), m_menu(menu)
    {
        m_menu->installEventFilter(this);
    }
    ~PressOnOwnerFilter() override
    {
        if (m_menu)
            m_menu->removeEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_menu
            && (event->type() == QEvent::MouseButtonPress
                || event->type() == QEvent::MouseButtonDblClick)) {
            const QPoint global = static_cast<QMouseEvent *>(event)->globalPosition().toPoint();
            if (m_owner && controlAt(global) == m_owner)
                m_menu->setAttribute(Qt::WA_NoMouseReplay);
        }
        return false;
    }

private:
    QPointer<QWidget> m_owner;
    QPointer<QMenu> m_menu;
};

} // namespace

TGlyphButton::TGlyphButton(TButtonUnit &unit, QWidget *parent)
    : QWidget(parent), m_unit(unit), m_glyph(unit)
{
    startUnit();
    resize(23, 22);
    setMouseTracking(true);
    m_glyph.onChange = [this] { update(); };
    updateOpaqueStyle();
    ++m_unit.liveButtons;
}

TGlyphButton::~TGlyphButton()
{
    if (m_unit.hotButton == this) {
        if (m_unit.hotTimer)
            m_unit.hotTimer->stop();
        m_unit.hotButton = nullptr;
    }
    if (--m_unit.liveButtons == 0)
        m_unit.pushedPattern = QImage();
}

// The timer and the deactivation watch exist once per button class.
void TGlyphButton::startUnit()
{
    if (m_unit.hotTimer)
        return;
    TButtonUnit *unit = &m_unit;
    auto *timer = new QTimer(qApp);
    timer->setInterval(kHotInterval);
    QObject::connect(timer, &QTimer::timeout, timer, [unit] {
        if (unit->hotButton)
            unit->hotButton->hotTimerTick();
    });
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, timer,
                     [unit](Qt::ApplicationState state) {
                         if (state != Qt::ApplicationActive && unit->hotButton)
                             unit->hotButton->endHot();
                     });
    m_unit.hotTimer = timer;
}

// --- properties ---

void TGlyphButton::setAllowAllUp(bool value)
{
    if (value == m_allowAllUp)
        return;
    m_allowAllUp = value;
    notifyGroup();
}

void TGlyphButton::setGroupIndex(int value)
{
    if (value == m_groupIndex)
        return;
    m_groupIndex = value;
    notifyGroup();
}

void TGlyphButton::setDisplayMode(TButtonDisplayMode value)
{
    if (value == m_displayMode)
        return;
    m_displayMode = value;
    update();
}

void TGlyphButton::setDown(bool value)
{
    if (m_groupIndex == 0)
        value = false;
    // A down button of a group without AllowAllUp cannot be raised.
    if (value == m_down || (m_down && !m_allowAllUp))
        return;
    m_down = value;
    m_state = m_down ? gsExclusive : gsUp;
    update();
    if (m_down)
        notifyGroup();
}

void TGlyphButton::setDropdownArrow(bool value)
{
    if (value == m_dropdownArrow)
        return;
    m_dropdownArrow = value;
    update();
}

void TGlyphButton::setDropdownCombo(bool value)
{
    if (value == m_dropdownCombo)
        return;
    m_dropdownCombo = value;
    if (!m_loading)
        resize(value ? width() + kComboWidth : qMax(1, width() - kComboWidth), height());
    update();
}

void TGlyphButton::setDropdownMenu(QMenu *value)
{
    if (value == m_dropdownMenu)
        return;
    m_dropdownMenu = value;
    if (m_dropdownArrow)
        update();
}

void TGlyphButton::setFlat(bool value)
{
    if (value == m_flat)
        return;
    m_flat = value;
    updateOpaqueStyle();
    update();
}

void TGlyphButton::setGlyph(const QImage &value)
{
    m_glyph.assignGlyph(value);
    update();
}

void TGlyphButton::setLayout(TButtonLayout value)
{
    if (value == m_layout)
        return;
    m_layout = value;
    update();
}

void TGlyphButton::setMargin(int value)
{
    if (value == m_margin || value < -1)
        return;
    m_margin = value;
    update();
}

void TGlyphButton::setNumGlyphs(int value)
{
    value = qMin(value, kGlyphStateCount);
    if (value < 1 || value == numGlyphs())
        return;
    m_glyph.setCellCount(value);
    update();
}

void TGlyphButton::setOldDisabledStyle(bool value)
{
    if (value == oldDisabledStyle())
        return;
    m_glyph.setOldDisabledStyle(value);
    update();
}

void TGlyphButton::setOpaque(bool value)
{
    if (value == m_opaque)
        return;
    m_opaque = value;
    updateOpaqueStyle();
    update();
}

void TGlyphButton::updateOpaqueStyle()
{
    setAttribute(Qt::WA_OpaquePaintEvent, m_opaque || !m_flat);
}

void TGlyphButton::setSpacing(int value)
{
    if (value == m_spacing)
        return;
    m_spacing = value;
    update();
}

void TGlyphButton::setWordWrap(bool value)
{
    if (value == m_wordWrap)
        return;
    m_wordWrap = value;
    update();
}

void TGlyphButton::setCaption(const QString &value)
{
    if (value == m_caption)
        return;
    m_caption = value;
    if (m_shortcutId != 0)
        releaseShortcut(m_shortcutId);
    const QKeySequence accelerator = QKeySequence::mnemonic(value);
    m_shortcutId = accelerator.isEmpty() ? 0 : grabShortcut(accelerator);
    update();
}

void TGlyphButton::setParentFont(bool value)
{
    if (value == parentFont())
        return;
    if (value) {
        setFont(QFont());
        setAttribute(Qt::WA_SetFont, false);
    } else {
        setFont(font());
    }
}

void TGlyphButton::setHint(const QString &value)
{
    m_hint = value;
    updateToolTip();
}

void TGlyphButton::setShowHint(bool value)
{
    m_showHint = value;
    m_parentShowHint = false;
    updateToolTip();
}

void TGlyphButton::setParentShowHint(bool value)
{
    m_parentShowHint = value;
    updateToolTip();
}

// Hint windows show a widget's tool tip: it holds the hint while the
// button shows hints, and nothing otherwise.
void TGlyphButton::updateToolTip()
{
    setToolTip(effectiveShowHint() ? m_hint : QString());
}

bool TGlyphButton::effectiveShowHint() const
{
    if (!m_parentShowHint)
        return m_showHint;
    return parentWidget() && parentWidget()->property("ShowHint").toBool();
}

void TGlyphButton::loaded()
{
    m_loading = false;
    m_glyph.makeStateImage(isEnabled() ? gsUp : gsDisabled);
}

// --- group ---

void TGlyphButton::notifyGroup()
{
    if (m_groupIndex == 0 || !parentWidget())
        return;
    const auto siblings = parentWidget()->findChildren<TGlyphButton *>(Qt::FindDirectChildrenOnly);
    for (TGlyphButton *sibling : siblings)
        sibling->buttonPressed(m_groupIndex, this);
}

void TGlyphButton::buttonPressed(int groupIndex, TGlyphButton *sender)
{
    // Only buttons of the same class form groups.
    if (groupIndex != m_groupIndex || sender == this || !sender || &sender->m_unit != &m_unit)
        return;
    if (sender->m_down && m_down) {
        m_down = false;
        m_state = gsUp;
        update();
    }
    m_allowAllUp = sender->m_allowAllUp;
}

void TGlyphButton::systemColorsChanged()
{
    checkPushedPattern(m_unit);
    m_glyph.freeCells();
    m_glyph.makeStateImage(m_state);
}

// --- hot tracking ---

void TGlyphButton::beginHot()
{
    if (!isEnabled() || m_hot)
        return;
    m_hot = true;
    if (m_state == gsUp)
        m_state = gsHot;
    redrawFace();
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TGlyphButton::endHot()
{
    if (!isEnabled() || !m_hot || m_tracking)
        return;
    if (m_state == gsHot || (m_state == gsDown && !m_inClick))
        m_state = gsUp;
    m_hot = false;
    redrawFace();
    if (m_unit.hotButton == this) {
        if (m_unit.hotTimer)
            m_unit.hotTimer->stop();
        m_unit.hotButton = nullptr;
    }
    if (OnMouseExit)
        OnMouseExit(this);
}

void TGlyphButton::checkHot()
{
    if (!isEnabled())
        return;
    const bool over = controlAt(QCursor::pos()) == this;
    // Set to the opposite so that the call below always brings it up to date.
    m_hot = !over;
    if (over)
        beginHot();
    else
        endHot();
}

void TGlyphButton::hotTimerTick()
{
    // Catches a mouse that left without a leave event reaching the button.
    if (controlAt(QCursor::pos()) != this)
        endHot();
}

void TGlyphButton::redrawFace()
{
    // Qt composes a transparent face over its parent by itself, so there is
    // nothing to erase first.
    update();
}

// --- mouse ---

bool TGlyphButton::isInsideFace(QPoint position) const
{
    const int right = hasComboArrow() ? width() - kComboWidth : width();
    return position.x() >= 0 && position.x() < right && position.y() >= 0
           && position.y() < height();
}

void TGlyphButton::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    if (OnMouseDown)
        OnMouseDown(this, event->button(), event->modifiers(), at.x(), at.y());
    if (!isEnabled() || m_inClick)
        return;
    if (event->button() != Qt::LeftButton) {
        beginHot();
        return;
    }
    if (!m_hot) {
        m_hot = true;
        if (OnMouseEnter)
            OnMouseEnter(this);
    }
    auto resetMenuOpen = qScopeGuard([this] { m_menuOpen = false; });
    m_menuOpen = m_dropdownMenu && (!m_dropdownCombo || at.x() >= width() - kComboWidth);
    if (!m_down) {
        m_state = gsDown;
        update();
    } else if (m_allowAllUp) {
        update();
    }
    if (m_menuOpen)
        click();
    else
        m_tracking = true;
}

void TGlyphButton::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    if (OnMouseMove)
        OnMouseMove(this, event->modifiers(), at.x(), at.y());

    const QPoint global = mapToGlobal(at);
    if (m_unit.hotButton != this && controlAt(global) == this) {
        if (m_unit.hotButton)
            m_unit.hotButton->endHot();
        // Buttons light up only on the active form; in Qt an MDI child lives
        // inside its frame, so window() already is the form that counts.
        QWidget *active = QApplication::activeWindow();
        if (QGuiApplication::applicationState() == Qt::ApplicationActive && active) {
            QWidget *ownForm = parentWidget() ? window() : nullptr;
            if (!ownForm || ownForm == active->window()) {
                m_unit.hotButton = this;
                if (m_unit.hotTimer)
                    m_unit.hotTimer->start();
                beginHot();
            }
        }
    }

    if (m_tracking) {
        const TGlyphButtonState next = m_down ? gsExclusive : isInsideFace(at) ? gsDown : gsUp;
        if (next != m_state) {
            m_state = next;
            update();
        }
    }
}

void TGlyphButton::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::RightButton && isEnabled()) {
        m_tracking = false;
        endHot();
    }
    if (OnMouseUp)
        OnMouseUp(this, event->button(), event->modifiers(), at.x(), at.y());
    if (event->button() != Qt::LeftButton || !m_tracking)
        return;
    m_tracking = false;
    const bool inside = isInsideFace(at);
    if (m_groupIndex != 0) {
        if (inside) {
            setDown(!m_down);
        } else if (m_down) {
            m_state = gsExclusive;
            update();
        }
    }
    if (inside)
        click();
    else
        checkHot();
}

void TGlyphButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press acts as a press; a locked-down button also reports
    // the double click, of the left button only.
    mousePressEvent(event);
    if (m_down && event->button() == Qt::LeftButton && OnDblClick)
        OnDblClick(this);
}

void TGlyphButton::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    endHot();
}

void TGlyphButton::contextMenuEvent(QContextMenuEvent *event)
{
    if (m_popupMenu)
        m_popupMenu->popup(event->globalPos());
    else
        QWidget::contextMenuEvent(event);
}

// --- click and dropdown ---

void TGlyphButton::click()
{
    QPointer<TGlyphButton> self(this);
    m_inClick = true;
    auto finish = qScopeGuard([this, self] {
        if (!self)
            return;
        m_inClick = false;
        if (m_state == gsDown)
            m_state = gsUp;
        update();
        checkHot();
    });
    if (m_state == gsUp || m_state == gsHot) {
        m_state = gsDown;
        update();
    }
    endHot();
    if (!m_dropdownMenu || (m_dropdownCombo && !m_menuOpen)) {
        if (OnClick)
            OnClick(this);
        return;
    }
    runDropdown();
}

QPoint TGlyphButton::dropdownPoint(bool *rightAligned) const
{
    *rightAligned = false;
    return mapToGlobal(QPoint(0, height()));
}

void TGlyphButton::runDropdown()
{
    QMenu *menu = m_dropdownMenu;
    bool rightAligned = false;
    QPoint at = dropdownPoint(&rightAligned);
    if (rightAligned)
        at.rx() -= menu->sizeHint().width();
    PressOnOwnerFilter filter(this, menu);
    menu->exec(at);
}

// --- other events ---

void TGlyphButton::enabledChanged()
{
    m_glyph.makeStateImage(isEnabled() ? gsUp : gsDisabled);
    checkHot();
    update();
}

void TGlyphButton::changeEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::EnabledChange:
        enabledChanged();
        break;
    case QEvent::FontChange:
        update();
        break;
    case QEvent::ApplicationPaletteChange:
        systemColorsChanged();
        break;
    case QEvent::ParentChange:
        updateToolTip();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

bool TGlyphButton::event(QEvent *event)
{
    if (event->type() == QEvent::Shortcut) {
        auto *shortcut = static_cast<QShortcutEvent *>(event);
        if (shortcut->shortcutId() == m_shortcutId) {
            if (isEnabled() && isVisible())
                click();
            return true;
        }
    }
    if (event->type() == QEvent::ToolTip && !effectiveShowHint()) {
        event->ignore();
        return true;
    }
    return QWidget::event(event);
}

// --- painting ---

void TGlyphButton::paintEvent(QPaintEvent *)
{
    if (m_opaque || !m_flat) {
        QImage buffer(size(), QImage::Format_RGB32);
        buffer.fill(palette().color(QPalette::Active, backgroundRole()));
        {
            QPainter painter(&buffer);
            paintFace(painter);
        }
        QPainter(this).drawImage(0, 0, buffer);
    } else {
        QPainter painter(this);
        paintFace(painter);
    }
}

void TGlyphButton::paintFace(QPainter &painter)
{
    if (!isEnabled()) {
        m_state = gsDisabled;
        m_tracking = false;
    } else if (m_state == gsDisabled) {
        m_state = m_down && m_groupIndex != 0 ? gsExclusive : gsUp;
    }

    const bool pushed = m_state == gsDown || m_state == gsExclusive;
    const bool combo = hasComboArrow();
    QRect face = rect();
    const bool framed = !m_flat || pushed || (m_hot && isEnabled()) || alwaysFramed();
    if (combo) {
        if (framed) {
            const QRect arrowPart(QPoint(width() - kComboWidth, 0), QPoint(width() - 3, height() - 1));
            drawEdge(painter, arrowPart, m_flat, pushed && m_menuOpen);
        }
        face.setRight(width() - kComboWidth - 1);
    }
    if (framed && !noFrame())
        drawEdge(painter, face, m_flat, pushed && !(combo && m_menuOpen));

    const int inset = !m_flat || noFrame() ? 2 : 1;
    face.adjust(inset, inset, -inset, -inset);

    int offset = 0;
    if (pushed && !(combo && m_menuOpen)) {
        offset = noFrame() ? 0 : 1;
        if (m_state == gsExclusive && (!m_flat || !m_hot) && fillsPushedPattern())
            painter.fillRect(face, QBrush(pushedPattern(m_unit)));
    }

    painter.setFont(font());
    painter.setPen(palette().color(QPalette::Active, foregroundRole()));
    TGlyphDrawOptions options;
    options.caption = m_caption;
    options.layout = m_layout;
    options.margin = m_margin;
    options.spacing = m_spacing;
    options.wordWrap = m_wordWrap;
    options.showCaption = m_displayMode != dmGlyphOnly;
    options.showGlyph = m_displayMode != dmTextOnly;
    options.drawArrow = m_dropdownArrow && !m_dropdownCombo && m_dropdownMenu;
    m_glyph.draw(painter, face, offset, options, m_state, true);

    if (combo)
        m_glyph.drawDropArrow(painter, width() - 13, m_state, height() / 2 - 1);
}
