#include "buttons/buttonglyph.h"

#include "colors.h"

#include <QPainter>

namespace {

QRgb systemRgb(Platform::TColor color)
{
    return Platform::toQColor(color).rgb();
}

bool sameRgb(QRgb a, QRgb b)
{
    return ((a ^ b) & 0xFFFFFF) == 0;
}

QImage filledImage(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A monochrome image, all clear; set pixels read as 1.
QImage clearMask(int width, int height)
{
    QImage mask(width, height, QImage::Format_Mono);
    mask.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mask.fill(0);
    return mask;
}

template<typename Test>
QImage maskWhere(const QImage &image, Test test)
{
    QImage mask = clearMask(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (test(image.pixel(x, y)))
                mask.setPixel(x, y, 1);
    return mask;
}

// Paints colour into target wherever the mask placed at offset has the
// given bit value.
void paintThroughMask(QImage &target, const QImage &mask, QPoint offset, QRgb colour, int bit)
{
    for (int y = 0; y < mask.height(); ++y) {
        for (int x = 0; x < mask.width(); ++x) {
            const QPoint at(x + offset.x(), y + offset.y());
            if (mask.pixelIndex(x, y) == bit && target.rect().contains(at))
                target.setPixel(at, colour);
        }
    }
}

void copyInto(QImage &target, const QImage &source, const QRect &sourceRect)
{
    QPainter painter(&target);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(0, 0), source, sourceRect);
}

QImage maskedCell(const QImage &image, int width, int height, const QImage &mask)
{
    QImage cell = image.copy(0, 0, width, height).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (x < mask.width() && y < mask.height() && mask.pixelIndex(x, y) == 1)
                cell.setPixel(x, y, 0);
    return cell;
}

// Draws the three rows of a dropdown arrow whose top row starts at left.
void fillArrow(QPainter &painter, int left, int top, const QColor &colour)
{
    for (int row = 0; row < 3; ++row)
        painter.fillRect(left + row, top + row, 5 - 2 * row, 1, colour);
}

constexpr int kArrowWidth = 9;
constexpr int kArrowHeight = 3;

} // namespace

// --- TGlyphList ---

TGlyphList::TGlyphList(int width, int height)
    : m_width(width), m_height(height)
{
}

int TGlyphList::allocateSlot()
{
    int slot = 0;
    while (slot < m_used.size() && m_used.testBit(slot))
        ++slot;
    if (slot == m_used.size()) {
        QImage empty(m_width, m_height, QImage::Format_ARGB32);
        empty.fill(0);
        m_images.append(empty);
        m_used.resize(slot + 1);
    }
    m_used.setBit(slot);
    return slot;
}

int TGlyphList::addCell(const QImage &image, const QImage &mask)
{
    const int slot = allocateSlot();
    m_images[slot] = maskedCell(image, m_width, m_height, mask);
    ++m_useCount;
    return slot;
}

int TGlyphList::addMaskedCell(const QImage &image, QRgb maskColour)
{
    const int slot = allocateSlot();
    replaceMasked(slot, image, maskColour);
    ++m_useCount;
    return slot;
}

void TGlyphList::replaceMasked(int slot, const QImage &image, QRgb maskColour)
{
    checkImageSize(image);
    if (slot < 0 || slot >= count())
        throw EInvalidOperation("Unable to Replace Image");
    const QImage mask = maskWhere(image, [maskColour](QRgb pixel) { return sameRgb(pixel, maskColour); });
    m_images[slot] = maskedCell(image, m_width, m_height, mask);
}

void TGlyphList::checkImageSize(const QImage &image) const
{
    if (image.width() < m_width || image.height() < m_height)
        throw EInvalidOperation("Invalid image size");
}

void TGlyphList::freeSlot(int slot)
{
    if (slot >= 0 && slot < m_used.size() && m_used.testBit(slot)) {
        --m_useCount;
        m_used.clearBit(slot);
    }
}

void TGlyphList::draw(QPainter &painter, int slot, QPoint position, bool transparent,
                      const QColor &background) const
{
    if (slot < 0 || slot >= count())
        return;
    if (!transparent)
        painter.fillRect(QRect(position, QSize(m_width, m_height)), background);
    painter.drawImage(position, m_images.at(slot));
}

// --- TGlyphCache ---

TGlyphList *TGlyphCache::listForSize(int width, int height)
{
    for (auto it = m_lists.rbegin(); it != m_lists.rend(); ++it)
        if ((*it)->width() == width && (*it)->height() == height)
            return it->get();
    m_lists.push_back(std::make_unique<TGlyphList>(width, height));
    return m_lists.back().get();
}

void TGlyphCache::releaseList(TGlyphList *list)
{
    if (!list || list->useCount() != 0)
        return;
    std::erase_if(m_lists, [list](const auto &owned) { return owned.get() == list; });
}

// --- pushed pattern ---

void makePushedPattern(TGlyphUnit &unit)
{
    unit.patternFace = systemRgb(Platform::clBtnFace);
    unit.patternHighlight = systemRgb(Platform::clBtnHighlight);
    QImage pattern = filledImage(8, 8, unit.patternFace);
    for (int i = 0; i < 8; ++i)
        for (int j = 0; j < 8; ++j)
            if (i % 2 == j % 2)
                pattern.setPixel(j, i, unit.patternHighlight);
    unit.pushedPattern = pattern;
}

const QImage &pushedPattern(TGlyphUnit &unit)
{
    if (unit.pushedPattern.isNull())
        makePushedPattern(unit);
    return unit.pushedPattern;
}

void checkPushedPattern(TGlyphUnit &unit)
{
    if (!unit.pushedPattern.isNull()
        && (!sameRgb(unit.patternFace, systemRgb(Platform::clBtnFace))
            || !sameRgb(unit.patternHighlight, systemRgb(Platform::clBtnHighlight))))
        unit.pushedPattern = QImage();
}

// --- TButtonGlyph ---

TButtonGlyph::TButtonGlyph(TGlyphUnit &unit)
    : m_unit(unit), m_transparentColor(systemRgb(Platform::clOlive))
{
    if (!m_unit.cache)
        m_unit.cache = std::make_unique<TGlyphCache>();
}

TButtonGlyph::~TButtonGlyph()
{
    freeCells();
    if (m_unit.cache && m_unit.cache->isEmpty())
        m_unit.cache.reset();
}

void TButtonGlyph::freeCells()
{
    for (int &slot : m_slots) {
        if (slot != -1 && m_list)
            m_list->freeSlot(slot);
        slot = -1;
    }
    if (m_unit.cache)
        m_unit.cache->releaseList(m_list);
    m_list = nullptr;
}

void TButtonGlyph::bitmapChanged()
{
    // A bitmap's transparent colour is its bottom-left pixel.
    if (!m_glyph.isNull())
        m_transparentColor = m_glyph.pixel(0, m_glyph.height() - 1);
    freeCells();
    if (onChange)
        onChange();
}

void TButtonGlyph::assignGlyph(const QImage &bitmap)
{
    freeCells();
    m_glyph = bitmap.isNull() ? QImage() : bitmap.convertToFormat(QImage::Format_RGB32);
    bitmapChanged();
    // A strip of one to five square cells tells its own cell count.
    if (m_glyph.height() > 0 && m_glyph.width() % m_glyph.height() == 0) {
        const int cells = m_glyph.width() / m_glyph.height();
        setCellCount(cells < 6 ? cells : 1);
    }
}

void TButtonGlyph::setCellCount(int n)
{
    if (n == 0 || n == m_numGlyphs)
        return;
    freeCells();
    m_numGlyphs = n;
    bitmapChanged();
}

void TButtonGlyph::setOldDisabledStyle(bool value)
{
    if (value == m_oldDisabledStyle)
        return;
    m_oldDisabledStyle = value;
    freeCells();
}

int TButtonGlyph::makeStateImage(TGlyphButtonState state)
{
    // A state without a cell of its own shows (and caches) cell 0; the
    // disabled state always gets a look of its own.
    const bool ownCell = state == gsDisabled || state < m_numGlyphs;
    const int slotIndex = ownCell ? state : gsUp;
    if (m_slots[slotIndex] != -1)
        return m_slots[slotIndex];
    if (m_glyph.width() == 0 && m_glyph.height() == 0)
        return -1;

    const int cellWidth = m_glyph.width() / m_numGlyphs;
    const int cellHeight = m_glyph.height();
    if (!m_list) {
        if (!m_unit.cache)
            m_unit.cache = std::make_unique<TGlyphCache>();
        m_list = m_unit.cache->listForSize(cellWidth + 1, cellHeight + 1);
    }

    QImage mask;
    const QImage work = makeCellImage(TGlyphButtonState(slotIndex), cellWidth, cellHeight, &mask);
    if (!mask.isNull())
        m_slots[slotIndex] = m_list->addCell(work, mask);
    else if (slotIndex == gsDisabled)
        m_slots[slotIndex] = m_list->addMaskedCell(work, systemRgb(Platform::clBtnFace));
    else
        m_slots[slotIndex] = m_list->addMaskedCell(work, m_transparentColor);
    return m_slots[slotIndex];
}

// The cell image of a state, one pixel larger each way than the cell. Sets
// mask only for a disabled cell taken from the strip.
QImage TButtonGlyph::makeCellImage(TGlyphButtonState state, int cellWidth, int cellHeight,
                                   QImage *mask) const
{
    const int width = cellWidth + 1;
    const int height = cellHeight + 1;
    const QRgb face = systemRgb(Platform::clBtnFace);
    const QRgb highlight = systemRgb(Platform::clBtnHighlight);
    const QRgb shadow = systemRgb(Platform::clBtnShadow);
    const QRgb white = qRgb(255, 255, 255);
    const QRgb gray = qRgb(128, 128, 128);
    const QRgb silver = qRgb(192, 192, 192);

    QImage work = filledImage(width, height, m_transparentColor);
    if (state != gsDisabled) {
        copyInto(work, m_glyph, QRect(cellWidth * state, 0, cellWidth, cellHeight));
        return work;
    }

    if (m_numGlyphs >= 2) {
        // The strip's own disabled cell, its white and grey mapped to the
        // current highlight and shadow colours.
        copyInto(work, m_glyph, QRect(cellWidth, 0, cellWidth, cellHeight));
        const QImage cell = work.copy();
        paintThroughMask(work, maskWhere(cell, [&](QRgb p) { return sameRgb(p, white); }),
                         QPoint(0, 0), highlight, 1);
        paintThroughMask(work, maskWhere(cell, [&](QRgb p) { return sameRgb(p, gray); }),
                         QPoint(0, 0), shadow, 1);
        *mask = maskWhere(work, [this](QRgb p) { return sameRgb(p, m_transparentColor); });
        return work;
    }

    if (!m_oldDisabledStyle) {
        // Embossed: the dark pixels of the picture become shadow with a
        // highlight one pixel right and down; everything else vanishes.
        copyInto(work, m_glyph, QRect(0, 0, cellWidth, cellHeight));
        const QImage light = maskWhere(work, [&](QRgb p) {
            return sameRgb(p, m_transparentColor) || sameRgb(p, white) || sameRgb(p, silver);
        });
        work.fill(face);
        paintThroughMask(work, light, QPoint(1, 1), highlight, 0);
        paintThroughMask(work, light, QPoint(0, 0), shadow, 0);
        return work;
    }

    // Old style: the black drawing of the picture, embossed the same way.
    const QImage black = maskWhere(m_glyph, [](QRgb p) { return sameRgb(p, qRgb(0, 0, 0)); });
    work.fill(face);
    paintThroughMask(work, black, QPoint(1, 1), highlight, 1);
    paintThroughMask(work, black, QPoint(0, 0), shadow, 1);
    return work;
}

void TButtonGlyph::drawGlyphImage(QPainter &painter, QPoint position, bool transparent,
                                  TGlyphButtonState state)
{
    if (m_glyph.width() == 0 || m_glyph.height() == 0)
        return;
    const int slot = makeStateImage(state);
    m_list->draw(painter, slot, position, transparent || state == gsExclusive,
                 Platform::toQColor(Platform::clBtnFace));
}

void TButtonGlyph::drawCaption(QPainter &painter, const QString &caption, TGlyphButtonState state,
                               bool wordWrap, const QRect &textRect) const
{
    const int flags = Qt::AlignCenter | Qt::TextShowMnemonic
                      | (wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine);
    if (state == gsDisabled) {
        painter.setPen(Platform::toQColor(Platform::clBtnHighlight));
        painter.drawText(textRect.translated(1, 1), flags, caption);
        painter.setPen(Platform::toQColor(Platform::clBtnShadow));
    }
    painter.drawText(textRect, flags, caption);
}

void TButtonGlyph::drawDropArrow(QPainter &painter, int x, TGlyphButtonState state, int y) const
{
    QColor colour = painter.pen().color();
    if (state == gsDisabled) {
        fillArrow(painter, x + 5, y + 1, Platform::toQColor(Platform::clBtnHighlight));
        colour = Platform::toQColor(Platform::clBtnShadow);
    }
    fillArrow(painter, x + 4, y, colour);
}

TGlyphLayout TButtonGlyph::calcLayout(const QFontMetrics &metrics, const QRect &client, int offset,
                                      const TGlyphDrawOptions &options) const
{
    const int w = client.width();
    const int h = client.height();
    int margin = options.margin;
    int spacing = options.spacing;

    const bool hasGlyph = options.showGlyph && !m_glyph.isNull();
    const int gw = hasGlyph ? m_glyph.width() / m_numGlyphs : 0;
    const int gh = hasGlyph ? m_glyph.height() : 0;
    const int aw = options.drawArrow ? kArrowWidth : 0;
    const int ah = options.drawArrow ? kArrowHeight : 0;
    const bool glyphShown = gw != 0 && gh != 0;

    TButtonLayout layout = options.layout;
    if ((layout == blGlyphTop || layout == blGlyphBottom) && !glyphShown)
        layout = blGlyphLeft;
    const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;

    int tw = 0;
    int th = 0;
    if (options.showCaption && !options.caption.isEmpty()) {
        int right = w;
        if (horizontal)
            right -= aw;
        int flags = Qt::TextShowMnemonic | Qt::TextSingleLine;
        if (options.wordWrap) {
            flags = Qt::TextShowMnemonic | Qt::TextWordWrap;
            int m = 4;
            if (horizontal && glyphShown) {
                right -= gw + (spacing == -1 ? 4 : spacing);
                m = margin != -1 ? margin : spacing != -1 ? spacing : 4;
            }
            right -= 2 * m;
        }
        const QRect measured = metrics.boundingRect(QRect(0, 0, right, 0), flags, options.caption);
        tw = measured.width();
        th = measured.height();
    }

    int glyphX = 0, glyphY = 0, textX = 0, textY = 0, arrowX = 0;
    if (horizontal) {
        glyphY = (h - gh + 1) / 2;
        textY = (h - th + 1) / 2;
    } else {
        glyphX = (w - gw - aw + 1) / 2;
        textX = (w - tw + 1) / 2;
        arrowX = glyphShown ? glyphX + gw : textX + tw;
    }

    if (tw == 0 || th == 0 || gw == 0 || gh == 0)
        spacing = 0;

    // Sizes along the layout direction.
    const int clientSize = horizontal ? w : h;
    const int glyphSize = horizontal ? gw : gh;
    const int textSize = horizontal ? tw : th;
    const int arrowSize = horizontal ? aw : 0;
    if (margin == -1 && spacing == -1) {
        const int total = glyphSize + textSize + arrowSize;
        margin = (clientSize - total) / 3;
        spacing = margin;
    } else if (margin == -1) {
        const int total = glyphSize + spacing + textSize + arrowSize;
        margin = (clientSize - total + 1) / 2;
    } else if (spacing == -1) {
        const int total = clientSize - margin - glyphSize - arrowSize;
        spacing = (total - textSize) / 2;
    }

    switch (layout) {
    case blGlyphLeft:
        glyphX = margin;
        textX = margin + gw + spacing;
        arrowX = textX + tw;
        break;
    case blGlyphRight:
        arrowX = w - margin - aw;
        glyphX = arrowX - gw;
        textX = glyphX - spacing - tw;
        break;
    case blGlyphTop:
        glyphY = margin;
        textY = margin + gh + spacing;
        break;
    case blGlyphBottom:
        glyphY = h - margin - gh;
        textY = glyphY - spacing - th;
        break;
    }
    const int arrowY = glyphShown ? glyphY + (gh - ah) / 2 : textY + (th - ah) / 2;

    const QPoint shift = client.topLeft() + QPoint(offset, offset);
    TGlyphLayout result;
    result.glyph = QPoint(glyphX, glyphY) + shift;
    result.arrow = QPoint(arrowX, arrowY) + shift;
    result.text = tw == 0 && th == 0 ? QRect() : QRect(QPoint(textX, textY) + shift, QSize(tw, th));
    return result;
}

void TButtonGlyph::draw(QPainter &painter, const QRect &client, int offset,
                        const TGlyphDrawOptions &options, TGlyphButtonState state, bool transparent)
{
    const TGlyphLayout layout = calcLayout(QFontMetrics(painter.font()), client, offset, options);
    if (options.showGlyph)
        drawGlyphImage(painter, layout.glyph, transparent, state);
    if (options.showCaption)
        drawCaption(painter, options.caption, state, options.wordWrap, layout.text);
    if (options.drawArrow)
        drawDropArrow(painter, layout.arrow.x(), state, layout.arrow.y());
}
