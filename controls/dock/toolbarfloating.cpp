// The bar outside its dock: the floating window's frame, caption and close
// square, hiding with the program, and the states of moving, sizing and
// closing that the bar's own mouse events drive.

#include "dock/toolbar.h"

#include "dock/floatplan.h"
#include "dock/toolbartrack.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace {

using FloatPlan::Edge;
using FloatPlan::Zone;

std::vector<QRect> workAreas()
{
    std::vector<QRect> areas;
    for (const QScreen *screen : QGuiApplication::screens())
        areas.push_back(screen->availableGeometry());
    return areas;
}

QRect workAreaAt(QPoint point)
{
    const QScreen *screen = QGuiApplication::screenAt(point);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

FloatPlan::Side sideOf(const TDock *dock)
{
    switch (dock->position()) {
    case TDock::dpTop: return FloatPlan::Side::Top;
    case TDock::dpBottom: return FloatPlan::Side::Bottom;
    case TDock::dpLeft: return FloatPlan::Side::Left;
    case TDock::dpRight: return FloatPlan::Side::Right;
    }
    return FloatPlan::Side::Top;
}

int lengthOf(QSize size, Edge edge)
{
    return edge == Edge::Left || edge == Edge::Right ? size.width() : size.height();
}

QFont captionFont(QFont font)
{
    font.setPixelSize(11);
    font.setBold(false);
    return font;
}

void drawEdge(QPainter &painter, const QRect &rect, const QColor &topLeft, const QColor &bottomRight)
{
    painter.setPen(topLeft);
    painter.drawLine(rect.topLeft(), rect.topRight());
    painter.drawLine(rect.topLeft(), rect.bottomLeft());
    painter.setPen(bottomRight);
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    painter.drawLine(rect.topRight(), rect.bottomRight());
}

} // namespace

// ------------------------------------------------------------------- frame

QMargins TToolbar::frame() const
{
    return m_dock ? QMargins() : FloatPlan::frameMargins();
}

QRect TToolbar::clientRect() const
{
    return rect().marginsRemoved(frame());
}

QString TToolbar::shownCaption() const
{
    const QFontMetrics metrics(captionFont(font()));
    const int room = FloatPlan::captionStrip(size(), m_closeButton).width() - 4;
    return FloatPlan::elideCaption(caption(), room,
                                   [&metrics](const QString &text) { return metrics.horizontalAdvance(text); });
}

void TToolbar::paintFloating(QPainter &painter)
{
    const QPalette &colours = palette();
    // An outer raised edge; the rest of the frame is the face colour.
    drawEdge(painter, rect(), colours.color(QPalette::Light), colours.color(QPalette::Shadow));

    const QColor active = colours.color(QPalette::Active, QPalette::Highlight);
    const QRect strip = FloatPlan::captionStrip(size(), m_closeButton);
    painter.fillRect(strip, active);
    painter.setFont(captionFont(font()));
    painter.setPen(colours.color(QPalette::Active, QPalette::HighlightedText));
    painter.drawText(strip.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     shownCaption());

    if (m_closeButton) {
        const QRect square = FloatPlan::closeSquare(size());
        const bool pushed = closePushed();
        painter.fillRect(square, active);
        const QRect face = square.adjusted(1, 1, -1, -1);
        painter.fillRect(face, colours.color(QPalette::Button));
        if (pushed)
            drawEdge(painter, face, colours.color(QPalette::Shadow), colours.color(QPalette::Light));
        else
            drawEdge(painter, face, colours.color(QPalette::Light), colours.color(QPalette::Shadow));
        // The cross, one pixel further in while pushed.
        const QRect cross = face.adjusted(3, 3, -3, -3).translated(pushed ? 1 : 0, pushed ? 1 : 0);
        painter.setPen(QPen(colours.color(QPalette::ButtonText), 1));
        painter.drawLine(cross.topLeft(), cross.bottomRight());
        painter.drawLine(cross.topLeft() + QPoint(1, 0), cross.bottomRight() + QPoint(0, -1));
        painter.drawLine(cross.bottomLeft(), cross.topRight());
        painter.drawLine(cross.bottomLeft() + QPoint(1, 0), cross.topRight() + QPoint(0, 1));
    }

    // An etched line in the gap between two wrapped lines.
    const QRect client = clientRect();
    for (const BarLayout::Line &line : m_lines) {
        auto *separator = qobject_cast<TToolbarSep *>(controls().value(line.separatorIndex));
        if (separator && separator->blank())
            continue;
        const int y = client.top() + line.across;
        painter.setPen(colours.color(QPalette::Dark));
        painter.drawLine(client.left() + 1, y - 4, client.right(), y - 4);
        painter.setPen(colours.color(QPalette::Light));
        painter.drawLine(client.left() + 1, y - 3, client.right(), y - 3);
    }
}

// ------------------------------------------------------------------ hiding

bool TToolbar::isFloatHidden() const
{
    return !m_appActive || !m_ownerForm->isVisible() || m_ownerForm->isMinimized();
}

void TToolbar::showHideFloating()
{
    if (isFloatingWindow() && m_dockChanging == 0)
        applyFloatingVisibility();
}

void TToolbar::applyFloatingVisibility()
{
    // Hidden, not moved away: a screen left of the main one would show it.
    QWidget::setVisible(m_visible && !isFloatHidden());
}

void TToolbar::keepOnScreen(bool onlyWhenOff)
{
    if (m_dock)
        return;
    const QRect kept = FloatPlan::keepOnScreen(geometry(), workAreas(), onlyWhenOff);
    if (kept != geometry()) {
        ++m_placing;
        setBoundsKeepLeft(kept.x(), kept.y(), kept.width(), kept.height());
        --m_placing;
    }
}

QRect TToolbar::firstFloatingRect(QPoint dockedOrigin) const
{
    QRect menuBar;
    const auto *menu = m_ownerForm->findChild<QMenuBar *>(QString(), Qt::FindDirectChildrenOnly);
    if (menu && menu->isVisible())
        menuBar = QRect(menu->mapToGlobal(QPoint(0, 0)), menu->size());
    return FloatPlan::firstFloatingRect(dockedOrigin, size(), workAreas(), menuBar);
}

void TToolbar::hideEvent(QHideEvent *event)
{
    takeTrack();
    QWidget::hideEvent(event);
}

// ------------------------------------------------------------------ states

TToolbar::Tracking TToolbar::tracking() const
{
    if (!m_track)
        return Tracking::None;
    switch (m_track->kind) {
    case ToolbarTrack::Kind::Moving: return Tracking::Moving;
    case ToolbarTrack::Kind::Sizing: return Tracking::Sizing;
    case ToolbarTrack::Kind::Closing: return Tracking::Closing;
    }
    return Tracking::None;
}

bool TToolbar::closePushed() const
{
    return m_track && m_track->kind == ToolbarTrack::Kind::Closing && m_track->pushed;
}

const DragOutline *TToolbar::dragOutline() const
{
    return m_track ? m_track->outline.get() : nullptr;
}

bool TToolbar::canMove() const
{
    return !m_dock || m_dock->allowDrag();
}

bool TToolbar::mayEnter(const TDock *dock) const
{
    return dock->allowDrag() && (!dock->isVertical() || m_canDockLeftRight);
}

bool TToolbar::onControl(QPoint point) const
{
    // Separators pass their presses on to the bar.
    QWidget *child = childAt(point);
    while (child && child->parentWidget() != this)
        child = child->parentWidget();
    return child && !qobject_cast<TToolbarSep *>(child);
}

void TToolbar::updateCursor(QPoint point)
{
    if (m_dock) {
        unsetCursor();
        return;
    }
    switch (FloatPlan::zoneAt(size(), point, m_closeButton)) {
    case Zone::Top:
    case Zone::Bottom: setCursor(Qt::SizeVerCursor); break;
    case Zone::Left:
    case Zone::Right: setCursor(Qt::SizeHorCursor); break;
    default: unsetCursor(); break;
    }
}

QSize TToolbar::floatingSize() const
{
    BarLayout::Input input;
    input.orientation = BarLayout::Orientation::Floating;
    input.wrapWidth = m_floatWrapWidth;
    return BarLayout::arrange(items(controls()), input).clientSize.grownBy(FloatPlan::frameMargins());
}

QSize TToolbar::sizeInDock(const TDock *dock) const
{
    if (dock == m_dock)
        return size();
    BarLayout::Input input;
    input.orientation = dock->isVertical() ? BarLayout::Orientation::Vertical : BarLayout::Orientation::Horizontal;
    input.grip = dock->allowDrag();
    return BarLayout::arrange(items(controls()), input).clientSize;
}

void TToolbar::startTrack(std::unique_ptr<ToolbarTrack> track)
{
    m_track = std::move(track);
    grabMouse();
    // Keys belong to the drag while it lasts (Ctrl decides about docking).
    qApp->installEventFilter(this);
}

std::unique_ptr<ToolbarTrack> TToolbar::takeTrack()
{
    std::unique_ptr<ToolbarTrack> track = std::move(m_track);
    if (!track)
        return track;
    if (mouseGrabber() == this)
        releaseMouse();
    qApp->removeEventFilter(this);
    if (track->outline)
        track->outline->hide();
    update();
    return track;
}

void TToolbar::beginMoving(QPoint local, QPoint global, Qt::KeyboardModifiers modifiers)
{
    auto track = std::make_unique<ToolbarTrack>();
    track->kind = ToolbarTrack::Kind::Moving;
    track->press = global;
    FloatPlan::Drag &drag = track->drag;
    drag.grab = local;
    drag.size = size();
    drag.floatingSize = floatingSize();
    drag.canDockLeftRight = m_canDockLeftRight;
    drag.forceFloating = modifiers & Qt::ControlModifier;
    drag.workArea = workAreaAt(global);
    for (TDock *dock : m_ownerForm->findChildren<TDock *>()) {
        if (!dock->isVisible())
            continue;
        drag.docks.push_back({QRect(dock->mapToGlobal(QPoint(0, 0)), dock->size()), sideOf(dock), dock->allowDrag(),
                              sizeInDock(dock)});
        track->docks.emplace_back(dock);
        track->watches.push_back(connect(dock, &QObject::destroyed, this, [this] { takeTrack(); }));
    }
    track->outline = std::make_unique<DragOutline>();
    startTrack(std::move(track));
    follow(global);
}

void TToolbar::beginSizing(int edge, QPoint global)
{
    auto track = std::make_unique<ToolbarTrack>();
    track->kind = ToolbarTrack::Kind::Sizing;
    track->press = global;
    track->edge = Edge(edge);
    track->start = geometry();
    const QSize client = clientRect().size();
    // Probed on numbers, not on the controls themselves.
    track->sizes = FloatPlan::sizeChoice(FloatPlan::floatingSizes(items(controls()), client), client, track->edge);
    track->chosen = track->sizes.current;
    track->outline = std::make_unique<DragOutline>();
    startTrack(std::move(track));
    follow(global);
}

void TToolbar::beginClosing()
{
    auto track = std::make_unique<ToolbarTrack>();
    track->kind = ToolbarTrack::Kind::Closing;
    track->pushed = true;
    startTrack(std::move(track));
    update();
}

void TToolbar::follow(QPoint global)
{
    ToolbarTrack &track = *m_track;
    track.cursor = global;
    track.moved = track.moved || global != track.press;
    switch (track.kind) {
    case ToolbarTrack::Kind::Moving: {
        track.landing = FloatPlan::landing(track.drag, global);
        track.outline->showAt(track.landing.outline, track.landing.dock >= 0 ? 1 : FloatPlan::FrameWidth);
        break;
    }
    case ToolbarTrack::Kind::Sizing: {
        const QPoint moved = global - track.press;
        const QSize start = track.sizes.sizes[std::size_t(track.sizes.current)];
        int wanted = lengthOf(start, track.edge);
        switch (track.edge) {
        case Edge::Left: wanted -= moved.x(); break;
        case Edge::Right: wanted += moved.x(); break;
        case Edge::Top: wanted -= moved.y(); break;
        case Edge::Bottom: wanted += moved.y(); break;
        }
        track.chosen = FloatPlan::chooseSize(track.sizes, track.edge, wanted);
        const QSize outer = track.sizes.sizes[std::size_t(track.chosen)].grownBy(FloatPlan::frameMargins());
        track.outline->showAt(FloatPlan::sizedRect(track.start, outer, track.edge), FloatPlan::FrameWidth);
        break;
    }
    case ToolbarTrack::Kind::Closing: {
        const bool over = FloatPlan::closeSquare(size()).contains(mapFromGlobal(global));
        if (over != track.pushed) {
            track.pushed = over;
            update();
        }
        break;
    }
    }
}

bool TToolbar::trackKey(QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::ShortcutOverride)
        return true;
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (m_track->kind == ToolbarTrack::Kind::Moving) {
        // The Ctrl key itself may not be among the modifiers yet.
        bool ctrl = key->modifiers() & Qt::ControlModifier;
        if (key->key() == Qt::Key_Control)
            ctrl = type == QEvent::KeyPress;
        if (ctrl != m_track->drag.forceFloating) {
            m_track->drag.forceFloating = ctrl;
            follow(m_track->cursor);
        }
    }
    return true;
}

void TToolbar::applyMove(const ToolbarTrack &track)
{
    const FloatPlan::Landing &landing = track.landing;
    if (landing.dock >= 0) {
        TDock *dock = track.docks[std::size_t(landing.dock)];
        if (!dock)
            return;
        const QPoint topLeft = dock->mapFromGlobal(landing.outline.topLeft()) - dock->contentsRect().topLeft();
        const FloatPlan::DockDrop drop =
            FloatPlan::dropIntoDock(dock->rows(), QRect(topLeft, landing.outline.size()), dock->isVertical());
        if (drop.newRow)
            dock->insertRow(drop.row);
        m_dockRow = drop.row;
        m_dockPos = drop.pos;
        setDockedTo(dock);
    } else {
        m_floatingRect = landing.outline;
        setDockedTo(nullptr);
    }
    keepOnScreen(true);
}

void TToolbar::applySize(const ToolbarTrack &track)
{
    const QSize client = track.sizes.sizes[std::size_t(track.chosen)];
    const QRect outer = FloatPlan::sizedRect(track.start, client.grownBy(FloatPlan::frameMargins()), track.edge);
    m_floatWrapWidth = client.width();
    arrangeControls();
    ++m_placing;
    setBoundsKeepLeft(outer.x(), outer.y(), width(), height());
    --m_placing;
    keepOnScreen(true);
}

// ------------------------------------------------------------------- mouse

void TToolbar::mousePressEvent(QMouseEvent *event)
{
    if (m_track) {
        // A second left press gives up; other buttons change nothing.
        if (event->button() == Qt::LeftButton)
            takeTrack();
        return;
    }
    const QPoint local = event->position().toPoint();
    if (event->button() != Qt::LeftButton || onControl(local)) {
        QWidget::mousePressEvent(event);
        return;
    }
    if (!m_dock) {
        switch (FloatPlan::zoneAt(size(), local, m_closeButton)) {
        case Zone::Close: beginClosing(); return;
        case Zone::Top: beginSizing(int(Edge::Top), event->globalPosition().toPoint()); return;
        case Zone::Bottom: beginSizing(int(Edge::Bottom), event->globalPosition().toPoint()); return;
        case Zone::Left: beginSizing(int(Edge::Left), event->globalPosition().toPoint()); return;
        case Zone::Right: beginSizing(int(Edge::Right), event->globalPosition().toPoint()); return;
        case Zone::Caption:
        case Zone::Client: break;
        }
    }
    if (canMove())
        beginMoving(local, event->globalPosition().toPoint(), event->modifiers());
}

void TToolbar::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_track) {
        updateCursor(event->position().toPoint());
        QWidget::mouseMoveEvent(event);
        return;
    }
    if (m_track->kind == ToolbarTrack::Kind::Moving)
        m_track->drag.forceFloating = event->modifiers() & Qt::ControlModifier;
    follow(event->globalPosition().toPoint());
}

void TToolbar::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_track || event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    follow(event->globalPosition().toPoint());
    // The state ends before the bar moves: re-parenting hides the window.
    const std::unique_ptr<ToolbarTrack> track = takeTrack();
    switch (track->kind) {
    case ToolbarTrack::Kind::Moving:
        // A click that never moved leaves the bar alone, so the first click
        // of a double click does not dock a floating bar lying over a dock.
        if (track->moved)
            applyMove(*track);
        break;
    case ToolbarTrack::Kind::Sizing: applySize(*track); break;
    case ToolbarTrack::Kind::Closing:
        if (track->pushed) {
            setVisible(false);
            if (OnClose)
                OnClose(this);
        }
        break;
    }
}

void TToolbar::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (m_track) {
        if (event->button() == Qt::LeftButton)
            takeTrack();
        return;
    }
    const QPoint local = event->position().toPoint();
    if (event->button() != Qt::LeftButton || onControl(local) || !canMove()) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    if (m_dock) {
        setDockedTo(nullptr);
        keepOnScreen(true);
        return;
    }
    const Zone zone = FloatPlan::zoneAt(size(), local, m_closeButton);
    if (zone != Zone::Caption && zone != Zone::Client)
        return;
    // Into the default dock at the start of its first row, where it may go.
    TDock *target = m_defaultDock;
    if (!target || !mayEnter(target))
        return;
    m_dockRow = 0;
    m_dockPos = -8;
    setDockedTo(target);
}
