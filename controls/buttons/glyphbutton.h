#pragma once

#include "buttons/buttonglyph.h"

#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

class TGlyphButton;

// What the buttons of one class share besides their glyph cells: the one
// button in the hot state and the timer that notices the mouse leaving it.
struct TButtonUnit : TGlyphUnit
{
    QPointer<TGlyphButton> hotButton;
    QPointer<QTimer> hotTimer;
};

// The hot-tracking glyph button that toolbar and menu buttons are made of:
// it lights up under the mouse, locks down in a group of exclusive buttons,
// opens a dropdown menu (the whole button or the arrow part of a split
// button) and draws its face through a TButtonGlyph.
class TGlyphButton : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool AllowAllUp READ allowAllUp WRITE setAllowAllUp)
    Q_PROPERTY(int GroupIndex READ groupIndex WRITE setGroupIndex)
    Q_PROPERTY(ButtonEnums::TButtonDisplayMode DisplayMode READ displayMode WRITE setDisplayMode)
    Q_PROPERTY(bool Down READ down WRITE setDown)
    Q_PROPERTY(bool DropdownArrow READ dropdownArrow WRITE setDropdownArrow)
    Q_PROPERTY(bool DropdownCombo READ dropdownCombo WRITE setDropdownCombo)
    Q_PROPERTY(QMenu *DropdownMenu READ dropdownMenu WRITE setDropdownMenu)
    Q_PROPERTY(bool Flat READ flat WRITE setFlat)
    Q_PROPERTY(QImage Glyph READ glyph WRITE setGlyph)
    Q_PROPERTY(ButtonEnums::TButtonLayout Layout READ layout WRITE setLayout)
    Q_PROPERTY(int Margin READ margin WRITE setMargin)
    Q_PROPERTY(int NumGlyphs READ numGlyphs WRITE setNumGlyphs)
    Q_PROPERTY(bool OldDisabledStyle READ oldDisabledStyle WRITE setOldDisabledStyle)
    Q_PROPERTY(bool Opaque READ opaque WRITE setOpaque)
    Q_PROPERTY(int Spacing READ spacing WRITE setSpacing)
    Q_PROPERTY(bool WordWrap READ wordWrap WRITE setWordWrap)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(bool ParentFont READ parentFont WRITE setParentFont)
    Q_PROPERTY(QString Hint READ hint WRITE setHint)
    Q_PROPERTY(bool ShowHint READ showHint WRITE setShowHint)
    Q_PROPERTY(bool ParentShowHint READ parentShowHint WRITE setParentShowHint)
    Q_PROPERTY(QMenu *PopupMenu READ popupMenu WRITE setPopupMenu)

public:
    ~TGlyphButton() override;

    bool allowAllUp() const { return m_allowAllUp; }
    void setAllowAllUp(bool value);
    int groupIndex() const { return m_groupIndex; }
    void setGroupIndex(int value);
    TButtonDisplayMode displayMode() const { return m_displayMode; }
    void setDisplayMode(TButtonDisplayMode value);
    bool down() const { return m_down; }
    void setDown(bool value);
    bool dropdownArrow() const { return m_dropdownArrow; }
    void setDropdownArrow(bool value);
    bool dropdownCombo() const { return m_dropdownCombo; }
    void setDropdownCombo(bool value);
    QMenu *dropdownMenu() const { return m_dropdownMenu; }
    void setDropdownMenu(QMenu *value);
    bool flat() const { return m_flat; }
    void setFlat(bool value);
    QImage glyph() const { return m_glyph.glyph(); }
    void setGlyph(const QImage &value);
    TButtonLayout layout() const { return m_layout; }
    void setLayout(TButtonLayout value);
    int margin() const { return m_margin; }
    void setMargin(int value);
    int numGlyphs() const { return m_glyph.numGlyphs(); }
    void setNumGlyphs(int value);
    bool oldDisabledStyle() const { return m_glyph.oldDisabledStyle(); }
    void setOldDisabledStyle(bool value);
    bool opaque() const { return m_opaque; }
    void setOpaque(bool value);
    int spacing() const { return m_spacing; }
    void setSpacing(int value);
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool value);
    QString caption() const { return m_caption; }
    void setCaption(const QString &value);
    bool parentFont() const { return !testAttribute(Qt::WA_SetFont); }
    void setParentFont(bool value);
    QString hint() const { return m_hint; }
    void setHint(const QString &value);
    bool showHint() const { return m_showHint; }
    void setShowHint(bool value);
    bool parentShowHint() const { return m_parentShowHint; }
    void setParentShowHint(bool value);
    QMenu *popupMenu() const { return m_popupMenu; }
    void setPopupMenu(QMenu *value) { m_popupMenu = value; }

    TGlyphButtonState state() const { return m_state; }
    bool isHot() const { return m_hot; }
    TButtonGlyph &buttonGlyph() { return m_glyph; }

    // Clicks the button: fires OnClick, or opens the dropdown menu.
    virtual void click();
    // Properties set between these two calls are being read from a stored
    // form; loaded() pre-makes the cell the button shows first.
    void beginLoading() { m_loading = true; }
    void loaded();
    // Another button of the parent went down or changed its group settings.
    void buttonPressed(int groupIndex, TGlyphButton *sender);
    // The system colours changed: cells and pattern are made again.
    void systemColorsChanged();

    using NotifyEvent = std::function<void(QObject *sender)>;
    using MouseEvent = std::function<void(QObject *sender, Qt::MouseButton button,
                                          Qt::KeyboardModifiers shift, int x, int y)>;
    using MouseMoveEvent = std::function<void(QObject *sender, Qt::KeyboardModifiers shift,
                                              int x, int y)>;
    NotifyEvent OnClick;
    NotifyEvent OnDblClick;
    NotifyEvent OnMouseEnter;
    NotifyEvent OnMouseExit;
    MouseEvent OnMouseDown;
    MouseEvent OnMouseUp;
    MouseMoveEvent OnMouseMove;

protected:
    TGlyphButton(TButtonUnit &unit, QWidget *parent);

    // Where the two button classes differ.
    virtual bool alwaysFramed() const { return false; }
    virtual bool noFrame() const { return false; }
    virtual bool fillsPushedPattern() const { return true; }
    virtual void enabledChanged();
    // Screen point of the dropdown menu; rightAligned puts the menu's right
    // edge there.
    virtual QPoint dropdownPoint(bool *rightAligned) const;

    bool isLoading() const { return m_loading; }
    bool isTracking() const { return m_tracking; }

    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void startUnit();
    void beginHot();
    void endHot();
    void checkHot();
    void hotTimerTick();
    void notifyGroup();
    void redrawFace();
    bool isInsideFace(QPoint position) const;
    bool hasComboArrow() const { return m_dropdownCombo && m_dropdownMenu; }
    void runDropdown();
    void paintFace(QPainter &painter);
    void updateOpaqueStyle();
    bool effectiveShowHint() const;
    void updateToolTip();

    TButtonUnit &m_unit;
    TButtonGlyph m_glyph;
    TGlyphButtonState m_state = gsUp;
    bool m_hot = false;
    bool m_tracking = false;
    bool m_menuOpen = false;
    bool m_inClick = false;
    bool m_loading = false;

    bool m_allowAllUp = false;
    int m_groupIndex = 0;
    TButtonDisplayMode m_displayMode = dmBoth;
    bool m_down = false;
    bool m_dropdownArrow = true;
    bool m_dropdownCombo = false;
    QPointer<QMenu> m_dropdownMenu;
    bool m_flat = true;
    TButtonLayout m_layout = blGlyphLeft;
    int m_margin = -1;
    bool m_opaque = true;
    int m_spacing = 4;
    bool m_wordWrap = false;
    QString m_caption;
    int m_shortcutId = 0;
    QString m_hint;
    bool m_showHint = false;
    bool m_parentShowHint = true;
    QPointer<QMenu> m_popupMenu;
};
