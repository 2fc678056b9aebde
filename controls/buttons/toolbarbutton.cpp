#include "buttons/toolbarbutton.h"

TToolbarButton::TToolbarButton(QWidget *parent)
    : TGlyphButton(unit(), parent)
{
}

TButtonUnit &TToolbarButton::unit()
{
    static TButtonUnit toolbarUnit;
    return toolbarUnit;
}

QPoint TToolbarButton::dropdownPoint(bool *rightAligned) const
{
    const auto *bar = dynamic_cast<const TDockedBar *>(parentWidget());
    const TDockedBar::TDockSide side = bar ? bar->dockSide() : TDockedBar::dsNone;
    *rightAligned = side == TDockedBar::dsRight;
    if (side == TDockedBar::dsLeft)
        return mapToGlobal(QPoint(width(), 0));
    if (side == TDockedBar::dsRight)
        return mapToGlobal(QPoint(0, 0));
    return mapToGlobal(QPoint(0, height()));
}
