#pragma once

#include "buttons/glyphbutton.h"

// Implemented by a bar that can stand in a dock on one side of a form: a
// button on a bar docked left or right opens its dropdown menu beside the
// bar instead of below the button.
class TDockedBar
{
public:
    enum TDockSide { dsNone, dsTop, dsBottom, dsLeft, dsRight };
    virtual ~TDockedBar() = default;
    virtual TDockSide dockSide() const = 0;
};

// The flat, hot-tracking glyph button of the toolbars.
class TToolbarButton : public TGlyphButton
{
    Q_OBJECT

public:
    explicit TToolbarButton(QWidget *parent = nullptr);

    // The state shared by all toolbar buttons.
    static TButtonUnit &unit();

protected:
    QPoint dropdownPoint(bool *rightAligned) const override;
};
