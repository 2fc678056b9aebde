#include "checkbox/bitcheckbox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>

#include <algorithm>

namespace {

// The cell caches of all check boxes.
TGlyphUnit &checkBoxUnit()
{
    static TGlyphUnit unit;
    return unit;
}

QColor systemColour(Platform::TColor color)
{
    return Platform::toQColor(color);
}

// A sunken 13 x 13 box: grey and black outside on the top and left, white
// and silver on the bottom and right, around an 9 x 9 face.
void drawBox(QPainter &painter, const QColor &face)
{
    painter.fillRect(1, 0, 12, 1, QColor(128, 128, 128));
    painter.fillRect(1, 0, 1, 12, QColor(128, 128, 128));
    painter.fillRect(2, 1, 10, 1, Qt::black);
    painter.fillRect(2, 1, 1, 10, Qt::black);
    painter.fillRect(1, 12, 13, 1, Qt::white);
    painter.fillRect(13, 0, 1, 13, Qt::white);
    painter.fillRect(2, 11, 11, 1, QColor(192, 192, 192));
    painter.fillRect(12, 1, 1, 11, QColor(192, 192, 192));
    painter.fillRect(3, 2, 9, 9, face);
}

// The classic seven-pixel tick, three pixels thick.
void drawTick(QPainter &painter, const QColor &colour)
{
    const int rows[7] = {6, 7, 8, 7, 6, 5, 4};
    for (int i = 0; i < 7; ++i)
        painter.fillRect(4 + i, rows[i] - 1, 1, 3, colour);
}

} // namespace

QImage defaultCheckGlyph(TCheckBoxState state)
{
    QImage image(19, 14, QImage::Format_RGB32);
    image.fill(systemColour(Platform::clOlive));
    QPainter painter(&image);
    const QColor silver(192, 192, 192);
    drawBox(painter, state == cbGrayed ? silver : QColor(Qt::white));
    if (state == cbChecked)
        drawTick(painter, Qt::black);
    else if (state == cbGrayed)
        drawTick(painter, QColor(128, 128, 128));
    return image;
}

int checkGlyphCells(const QImage &bitmap)
{
    if (bitmap.height() <= 0)
        return 1;
    return std::clamp(bitmap.width() / bitmap.height(), 1, 2);
}

// --- TBitCheckBox ---

TBitCheckBox::TBitCheckBox(QWidget *parent)
    : QWidget(parent)
{
    for (auto &glyph : m_glyphs) {
        glyph = std::make_unique<TButtonGlyph>(checkBoxUnit());
        glyph->onChange = [this] { update(); };
    }
    resize(97, 17);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (TCheckBoxState state : {cbChecked, cbGrayed, cbUnchecked})
        setGlyph(state, QImage());
    for (TCheckBoxState state : {cbChecked, cbGrayed, cbUnchecked})
        setNumGlyphs(state, 1);
}

TBitCheckBox::~TBitCheckBox() = default;

void TBitCheckBox::setGlyph(TCheckBoxState state, const QImage &value)
{
    TButtonGlyph &glyph = glyphOf(state);
    glyph.assignGlyph(value.isNull() ? defaultCheckGlyph(state) : value);
    // Our own cell rule: at most an enabled and a disabled cell.
    glyph.setCellCount(checkGlyphCells(glyph.glyph()));
    update();
}

void TBitCheckBox::setNumGlyphs(TCheckBoxState state, int value)
{
    glyphOf(state).setCellCount(std::clamp(value, 1, 2));
    update();
}

void TBitCheckBox::setAlignment(TLeftRight value)
{
    if (value == m_alignment)
        return;
    m_alignment = value;
    update();
}

void TBitCheckBox::setCaption(const QString &value)
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

void TBitCheckBox::setState(TCheckBoxState value)
{
    if (value == m_state)
        return;
    m_state = value;
    update();
}

void TBitCheckBox::setColor(Platform::TColor value)
{
    m_parentColor = false;
    if (value == m_color)
        return;
    m_color = value;
    update();
}

void TBitCheckBox::setParentColor(bool value)
{
    if (value == m_parentColor)
        return;
    m_parentColor = value;
    update();
}

void TBitCheckBox::setCtl3D(bool value)
{
    if (value == m_ctl3D)
        return;
    m_ctl3D = value;
    update();
}

void TBitCheckBox::setTabStop(bool value)
{
    // Without a tab stop a click still gives the focus.
    setFocusPolicy(value ? Qt::StrongFocus : Qt::ClickFocus);
}

void TBitCheckBox::toggle()
{
    switch (m_state) {
    case cbUnchecked:
        setState(m_allowGrayed ? cbGrayed : cbChecked);
        break;
    case cbChecked:
        setState(cbUnchecked);
        break;
    case cbGrayed:
        setState(cbChecked);
        break;
    }
}

void TBitCheckBox::click()
{
    toggle();
    if (OnClick)
        OnClick(this);
    if (isVisible() && isEnabled() && focusPolicy() != Qt::NoFocus)
        setFocus(Qt::MouseFocusReason);
}

// --- geometry and painting ---

int TBitCheckBox::cellWidth() const
{
    const TButtonGlyph &glyph = glyphOf(m_state);
    return glyph.glyph().width() / glyph.numGlyphs();
}

QRect TBitCheckBox::captionRect() const
{
    const QFontMetrics metrics(font());
    const int left = m_alignment == taRightJustify ? cellWidth() + 4 : 1;
    int textWidth = metrics.horizontalAdvance(m_caption);
    if (m_caption.contains(QLatin1Char('&')))
        textWidth -= metrics.horizontalAdvance(QLatin1Char('&'));
    const int top = (height() - metrics.height()) / 2 - 2;
    const QRect caption(QPoint(left, top), QPoint(left + textWidth - 1, top + metrics.height() + 2));
    return caption.intersected(rect());
}

QRect TBitCheckBox::boxRect() const
{
    const int cell = cellWidth();
    const int bitmapHeight = glyphOf(m_state).glyph().height();
    const int x = m_alignment == taRightJustify ? 0 : width() - cell;
    return QRect(x, (height() - bitmapHeight) / 2, cell, bitmapHeight);
}

QColor TBitCheckBox::fillColor() const
{
    if (m_parentColor && parentWidget())
        return parentWidget()->palette().color(parentWidget()->backgroundRole());
    return systemColour(m_color);
}

void TBitCheckBox::drawCaption(QPainter &painter, const QRect &rect) const
{
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
    if (isEnabled()) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(rect, flags, m_caption);
        return;
    }
    if (m_ctl3D) {
        painter.setPen(systemColour(Platform::clBtnHighlight));
        painter.drawText(rect.translated(1, 1), flags, m_caption);
    }
    painter.setPen(systemColour(Platform::clGrayText));
    painter.drawText(rect, flags, m_caption);
}

void TBitCheckBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), fillColor());
    const QRect caption = captionRect();
    drawCaption(painter, caption);
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(caption.adjusted(0, 0, -1, -1));
    }
    TButtonGlyph &glyph = const_cast<TButtonGlyph &>(glyphOf(m_state));
    // The disabled look is the second cell, when the bitmap has one.
    const bool disabledCell = !isEnabled() && glyph.numGlyphs() == 2;
    glyph.drawGlyphImage(painter, boxRect().topLeft(), true, disabledCell ? gsDisabled : gsUp);
}

// --- input ---

bool TBitCheckBox::event(QEvent *event)
{
    if (event->type() == QEvent::Shortcut
        && static_cast<QShortcutEvent *>(event)->shortcutId() == m_shortcutId) {
        // The accelerator is a click, so boxes kept exclusive through
        // OnClick stay exclusive.
        if (isEnabled() && isVisible())
            click();
        return true;
    }
    return QWidget::event(event);
}

void TBitCheckBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
}

void TBitCheckBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_pressed)
        return;
    m_pressed = false;
    if (rect().contains(event->position().toPoint()))
        click();
}

// A second click in quick succession is a click like the first.
void TBitCheckBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
}

void TBitCheckBox::keyPressEvent(QKeyEvent *event)
{
    const QString text = event->text();
    QChar key = text.size() == 1 ? text.at(0) : QChar();
    if (!key.isNull() && OnKeyPress)
        OnKeyPress(this, key);
    if (key == QLatin1Char(' '))
        click();
    else
        QWidget::keyPressEvent(event);  // Enter and Esc still reach the dialog
}

void TBitCheckBox::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    if (OnEnter)
        OnEnter(this);
    update();
}

void TBitCheckBox::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    if (OnExit)
        OnExit(this);
    update();
}

void TBitCheckBox::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
        update();
        break;
    default:
        break;
    }
}
