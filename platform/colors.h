#pragma once

#include <QColor>
#include <QString>
#include <QStringView>

#include <optional>

namespace Platform {

// A colour as project files store it: 0x00BBGGRR for a plain colour, or a
// system colour (high bit set, low byte = system colour index) that stays
// symbolic until it is painted.
using TColor = qint32;

inline constexpr TColor clSystemColor = qint32(0x80000000u);
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

enum SystemColorIndex {
    COLOR_SCROLLBAR, COLOR_BACKGROUND, COLOR_ACTIVECAPTION, COLOR_INACTIVECAPTION,
    COLOR_MENU, COLOR_WINDOW, COLOR_WINDOWFRAME, COLOR_MENUTEXT, COLOR_WINDOWTEXT,
    COLOR_CAPTIONTEXT, COLOR_ACTIVEBORDER, COLOR_INACTIVEBORDER, COLOR_APPWORKSPACE,
    COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT, COLOR_BTNFACE, COLOR_BTNSHADOW, COLOR_GRAYTEXT,
    COLOR_BTNTEXT, COLOR_INACTIVECAPTIONTEXT, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW,
    COLOR_3DLIGHT, COLOR_INFOTEXT, COLOR_INFOBK, SystemColorCount
};

constexpr TColor systemColor(SystemColorIndex index) { return clSystemColor | index; }

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;

inline constexpr TColor clScrollBar = systemColor(COLOR_SCROLLBAR);
inline constexpr TColor clBackground = systemColor(COLOR_BACKGROUND);
inline constexpr TColor clActiveCaption = systemColor(COLOR_ACTIVECAPTION);
inline constexpr TColor clInactiveCaption = systemColor(COLOR_INACTIVECAPTION);
inline constexpr TColor clMenu = systemColor(COLOR_MENU);
inline constexpr TColor clWindow = systemColor(COLOR_WINDOW);
inline constexpr TColor clWindowFrame = systemColor(COLOR_WINDOWFRAME);
inline constexpr TColor clMenuText = systemColor(COLOR_MENUTEXT);
inline constexpr TColor clWindowText = systemColor(COLOR_WINDOWTEXT);
inline constexpr TColor clCaptionText = systemColor(COLOR_CAPTIONTEXT);
inline constexpr TColor clActiveBorder = systemColor(COLOR_ACTIVEBORDER);
inline constexpr TColor clInactiveBorder = systemColor(COLOR_INACTIVEBORDER);
inline constexpr TColor clAppWorkSpace = systemColor(COLOR_APPWORKSPACE);
inline constexpr TColor clHighlight = systemColor(COLOR_HIGHLIGHT);
inline constexpr TColor clHighlightText = systemColor(COLOR_HIGHLIGHTTEXT);
inline constexpr TColor clBtnFace = systemColor(COLOR_BTNFACE);
inline constexpr TColor clBtnShadow = systemColor(COLOR_BTNSHADOW);
inline constexpr TColor clGrayText = systemColor(COLOR_GRAYTEXT);
inline constexpr TColor clBtnText = systemColor(COLOR_BTNTEXT);
inline constexpr TColor clInactiveCaptionText = systemColor(COLOR_INACTIVECAPTIONTEXT);
inline constexpr TColor clBtnHighlight = systemColor(COLOR_BTNHIGHLIGHT);
inline constexpr TColor cl3DDkShadow = systemColor(COLOR_3DDKSHADOW);
inline constexpr TColor cl3DLight = systemColor(COLOR_3DLIGHT);
inline constexpr TColor clInfoText = systemColor(COLOR_INFOTEXT);
inline constexpr TColor clInfoBk = systemColor(COLOR_INFOBK);

// Reads a colour constant name (any letter case) or a number: decimal,
// "$" hexadecimal or "0x" hexadecimal. Blanks around the value are ignored.
// Returns nothing for any other text.
std::optional<TColor> colorFromString(const QString &text);

// colorFromString, or fallback when the text is no colour.
TColor stringToColor(const QString &text, TColor fallback);

// The constant's name when the colour has one, else "$" and eight upper-case
// hexadecimal digits.
QString colorToString(TColor color);

// The colour to paint with; system colours take the classic Windows scheme so
// that a menu looks the same on every desktop. clNone gives a transparent
// colour.
QColor toQColor(TColor color);

// A plain colour (0x00BBGGRR) from a painted colour.
TColor fromQColor(const QColor &color);

} // namespace Platform
