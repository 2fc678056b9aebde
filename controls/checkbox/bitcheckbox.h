#pragma once

#include "buttons/buttonglyph.h"
#include "colors.h"

#include <QWidget>

#include <functional>
#include <memory>

namespace CheckBoxEnums {
Q_NAMESPACE

enum TCheckBoxState : quint8 { cbUnchecked, cbChecked, cbGrayed };
Q_ENUM_NS(TCheckBoxState)

// taRightJustify puts the box on the left and the caption to its right;
// taLeftJustify puts the caption on the left and the box at the right edge.
enum TLeftRight : quint8 { taLeftJustify, taRightJustify };
Q_ENUM_NS(TLeftRight)

} // namespace CheckBoxEnums

using namespace CheckBoxEnums;

// The box pictures a check box has when none are given: 19 x 14, the box on
// an olive background that is their transparent colour.
QImage defaultCheckGlyph(TCheckBoxState state);

// The cells of a check-box state bitmap: width div height, at least 1 and at
// most 2 (cell 0 = enabled look, cell 1 = disabled look); one for a bitmap
// without height.
int checkGlyphCells(const QImage &bitmap);

// A check box whose box is a bitmap chosen by state, drawn with its
// transparent colour (the bottom-left pixel) left out, with the caption
// beside it.
class TBitCheckBox : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(CheckBoxEnums::TLeftRight Alignment READ alignment WRITE setAlignment)
    Q_PROPERTY(bool AllowGrayed READ allowGrayed WRITE setAllowGrayed)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(bool Checked READ checked WRITE setChecked)
    Q_PROPERTY(QImage CheckedGlyph READ checkedGlyph WRITE setCheckedGlyph)
    Q_PROPERTY(int CheckedNumGlyphs READ checkedNumGlyphs WRITE setCheckedNumGlyphs)
    Q_PROPERTY(qint32 Color READ color WRITE setColor)
    Q_PROPERTY(bool Ctl3D READ ctl3D WRITE setCtl3D)
    Q_PROPERTY(QImage GrayedGlyph READ grayedGlyph WRITE setGrayedGlyph)
    Q_PROPERTY(int GrayedNumGlyphs READ grayedNumGlyphs WRITE setGrayedNumGlyphs)
    Q_PROPERTY(bool ParentColor READ parentColor WRITE setParentColor)
    Q_PROPERTY(CheckBoxEnums::TCheckBoxState State READ state WRITE setState)
    Q_PROPERTY(bool TabStop READ tabStop WRITE setTabStop)
    Q_PROPERTY(QImage UncheckedGlyph READ uncheckedGlyph WRITE setUncheckedGlyph)
    Q_PROPERTY(int UncheckedNumGlyphs READ uncheckedNumGlyphs WRITE setUncheckedNumGlyphs)

public:
    explicit TBitCheckBox(QWidget *parent = nullptr);
    ~TBitCheckBox() override;

    TLeftRight alignment() const { return m_alignment; }
    void setAlignment(TLeftRight value);
    bool allowGrayed() const { return m_allowGrayed; }
    void setAllowGrayed(bool value) { m_allowGrayed = value; }
    QString caption() const { return m_caption; }
    void setCaption(const QString &value);
    bool checked() const { return m_state == cbChecked; }
    void setChecked(bool value) { setState(value ? cbChecked : cbUnchecked); }
    TCheckBoxState state() const { return m_state; }
    // Changes the state without an OnClick.
    void setState(TCheckBoxState value);
    Platform::TColor color() const { return m_color; }
    // Also ends ParentColor.
    void setColor(Platform::TColor value);
    bool parentColor() const { return m_parentColor; }
    void setParentColor(bool value);
    bool ctl3D() const { return m_ctl3D; }
    void setCtl3D(bool value);
    bool tabStop() const { return focusPolicy() == Qt::StrongFocus; }
    void setTabStop(bool value);

    // A null image brings back the default picture of the state.
    QImage checkedGlyph() const { return glyphOf(cbChecked).glyph(); }
    void setCheckedGlyph(const QImage &value) { setGlyph(cbChecked, value); }
    QImage uncheckedGlyph() const { return glyphOf(cbUnchecked).glyph(); }
    void setUncheckedGlyph(const QImage &value) { setGlyph(cbUnchecked, value); }
    QImage grayedGlyph() const { return glyphOf(cbGrayed).glyph(); }
    void setGrayedGlyph(const QImage &value) { setGlyph(cbGrayed, value); }
    // Values below 1 become 1 and above 2 become 2.
    int checkedNumGlyphs() const { return glyphOf(cbChecked).numGlyphs(); }
    void setCheckedNumGlyphs(int value) { setNumGlyphs(cbChecked, value); }
    int uncheckedNumGlyphs() const { return glyphOf(cbUnchecked).numGlyphs(); }
    void setUncheckedNumGlyphs(int value) { setNumGlyphs(cbUnchecked, value); }
    int grayedNumGlyphs() const { return glyphOf(cbGrayed).numGlyphs(); }
    void setGrayedNumGlyphs(int value) { setNumGlyphs(cbGrayed, value); }

    // Unchecked -> grayed (with AllowGrayed) or checked -> unchecked;
    // grayed -> checked.
    virtual void toggle();
    // Toggles, fires OnClick and takes the focus.
    void click();

    // Where Paint puts the caption (its rectangle) and the box (its cell).
    QRect captionRect() const;
    QRect boxRect() const;

    using NotifyEvent = std::function<void(QObject *sender)>;
    using KeyPressEvent = std::function<void(QObject *sender, QChar &key)>;
    NotifyEvent OnClick;
    NotifyEvent OnEnter;
    NotifyEvent OnExit;
    KeyPressEvent OnKeyPress;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    TButtonGlyph &glyphOf(TCheckBoxState state) { return *m_glyphs[state]; }
    const TButtonGlyph &glyphOf(TCheckBoxState state) const { return *m_glyphs[state]; }
    void setGlyph(TCheckBoxState state, const QImage &value);
    void setNumGlyphs(TCheckBoxState state, int value);
    int cellWidth() const;
    QColor fillColor() const;
    void drawCaption(QPainter &painter, const QRect &rect) const;

    std::unique_ptr<TButtonGlyph> m_glyphs[3];
    TLeftRight m_alignment = taRightJustify;
    TCheckBoxState m_state = cbUnchecked;
    bool m_allowGrayed = false;
    QString m_caption;
    int m_shortcutId = 0;
    Platform::TColor m_color = Platform::clWindow;
    bool m_parentColor = true;
    bool m_ctl3D = true;
    bool m_pressed = false;
};
