#pragma once

#include <QBitArray>
#include <QFontMetrics>
#include <QImage>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>

#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

class QPainter;

// Raised for a misuse of a control or an image list; the text says which.
class EInvalidOperation : public std::logic_error
{
public:
    using std::logic_error::logic_error;
};

// Enumerations of the glyph buttons, with names for property editors.
namespace ButtonEnums {
Q_NAMESPACE

// Face state of a glyph button; the value is also the cell number in the
// glyph strip.
enum TGlyphButtonState : quint8 { gsUp, gsDisabled, gsDown, gsExclusive, gsHot };
Q_ENUM_NS(TGlyphButtonState)

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
Q_ENUM_NS(TButtonLayout)

enum TButtonDisplayMode { dmBoth, dmGlyphOnly, dmTextOnly };
Q_ENUM_NS(TButtonDisplayMode)

enum TDragMode { dmManual, dmAutomatic };
Q_ENUM_NS(TDragMode)

enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
Q_ENUM_NS(TDragState)

} // namespace ButtonEnums

using namespace ButtonEnums;

inline constexpr int kGlyphStateCount = 5;

// An image list of equally sized cells. Slots are handed out through a bit
// set and recycled: a freed slot keeps its image until it is reused.
class TGlyphList
{
public:
    TGlyphList(int width, int height);

    int width() const { return m_width; }
    int height() const { return m_height; }
    int count() const { return int(m_images.size()); }
    int useCount() const { return m_useCount; }

    int allocateSlot();
    // mask: a monochrome image whose set (1) pixels are transparent.
    int addCell(const QImage &image, const QImage &mask);
    // The pixels of maskColour are transparent.
    int addMaskedCell(const QImage &image, QRgb maskColour);
    void replaceMasked(int slot, const QImage &image, QRgb maskColour);
    void checkImageSize(const QImage &image) const;
    void freeSlot(int slot);

    // The cell with its transparent pixels cleared (alpha 0).
    QImage image(int slot) const { return m_images.at(slot); }
    // Transparent drawing leaves the masked pixels alone; otherwise they are
    // painted in background.
    void draw(QPainter &painter, int slot, QPoint position, bool transparent,
              const QColor &background) const;

private:
    int m_width;
    int m_height;
    QList<QImage> m_images;
    QBitArray m_used;
    int m_useCount = 0;
};

// The image lists of all glyph buttons of one class, at most one per cell size.
class TGlyphCache
{
public:
    TGlyphList *listForSize(int width, int height);
    // Frees the list once no slot of it is used.
    void releaseList(TGlyphList *list);
    bool isEmpty() const { return m_lists.empty(); }
    int count() const { return int(m_lists.size()); }

private:
    std::vector<std::unique_ptr<TGlyphList>> m_lists;
};

// What the glyph buttons of one class share: the cell cache, the pushed
// pattern with the colours it was made from, and the count of live buttons.
struct TGlyphUnit
{
    std::unique_ptr<TGlyphCache> cache;
    QImage pushedPattern;
    QRgb patternFace = 0;
    QRgb patternHighlight = 0;
    int liveButtons = 0;
};

// The 8x8 checkerboard of face and highlight that a locked-down button is
// filled with; made on first use.
const QImage &pushedPattern(TGlyphUnit &unit);
void makePushedPattern(TGlyphUnit &unit);
// Drops the pattern when the system colours it was made from changed.
void checkPushedPattern(TGlyphUnit &unit);

// Where CalcLayout puts the parts of a button face.
struct TGlyphLayout
{
    QPoint glyph;
    QPoint arrow;
    QRect text;
};

struct TGlyphDrawOptions
{
    QString caption;
    TButtonLayout layout = blGlyphLeft;
    int margin = -1;
    int spacing = 4;
    bool wordWrap = false;
    bool showGlyph = true;
    bool showCaption = true;
    bool drawArrow = false;
};

// Cuts a button's glyph strip into one cell per state, makes the disabled
// look when the strip has none, and lays out and draws glyph, caption and
// dropdown arrow.
class TButtonGlyph
{
public:
    explicit TButtonGlyph(TGlyphUnit &unit);
    ~TButtonGlyph();
    TButtonGlyph(const TButtonGlyph &) = delete;
    TButtonGlyph &operator=(const TButtonGlyph &) = delete;

    const QImage &glyph() const { return m_glyph; }
    void assignGlyph(const QImage &bitmap);
    int numGlyphs() const { return m_numGlyphs; }
    void setCellCount(int n);
    QRgb transparentColor() const { return m_transparentColor; }
    bool oldDisabledStyle() const { return m_oldDisabledStyle; }
    void setOldDisabledStyle(bool value);

    // Called after the glyph changed.
    std::function<void()> onChange;

    void freeCells();
    // The list slot of the state's cell, made on first use; -1 for an empty glyph.
    int makeStateImage(TGlyphButtonState state);
    TGlyphList *list() const { return m_list; }
    int slot(TGlyphButtonState state) const { return m_slots[state]; }

    void drawGlyphImage(QPainter &painter, QPoint position, bool transparent,
                        TGlyphButtonState state);
    void drawCaption(QPainter &painter, const QString &caption, TGlyphButtonState state,
                     bool wordWrap, const QRect &textRect) const;
    void drawDropArrow(QPainter &painter, int x, TGlyphButtonState state, int y) const;
    TGlyphLayout calcLayout(const QFontMetrics &metrics, const QRect &client, int offset,
                            const TGlyphDrawOptions &options) const;
    void draw(QPainter &painter, const QRect &client, int offset,
              const TGlyphDrawOptions &options, TGlyphButtonState state, bool transparent);

private:
    void bitmapChanged();
    QImage makeCellImage(TGlyphButtonState state, int cellWidth, int cellHeight,
                         QImage *mask) const;

    TGlyphUnit &m_unit;
    QImage m_glyph;
    TGlyphList *m_list = nullptr;
    int m_slots[kGlyphStateCount] = {-1, -1, -1, -1, -1};
    QRgb m_transparentColor;
    int m_numGlyphs = 1;
    bool m_oldDisabledStyle = false;
};
