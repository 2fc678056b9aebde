#include "colors.h"

#include "numbers.h"

#include <array>

namespace Platform {
namespace {

struct NamedColor {
    TColor value;
    const char *name;
};

// The first name of a value is the one written back.
constexpr std::array<NamedColor, 47> kNames = {{
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"},
    {clOlive, "clOlive"}, {clNavy, "clNavy"}, {clPurple, "clPurple"},
    {clTeal, "clTeal"}, {clGray, "clGray"}, {clSilver, "clSilver"},
    {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"},
    {clWhite, "clWhite"}, {clSilver, "clLtGray"}, {clGray, "clDkGray"},
    {0xC0DCC0, "clMoneyGreen"}, {0xF0CAA6, "clSkyBlue"}, {0xF0FBFF, "clCream"},
    {0xA4A0A0, "clMedGray"},
    {clScrollBar, "clScrollBar"}, {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"}, {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"}, {clWindow, "clWindow"}, {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"}, {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"}, {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"}, {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"}, {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"}, {clBtnShadow, "clBtnShadow"}, {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"}, {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"}, {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"}, {clInfoText, "clInfoText"}, {clInfoBk, "clInfoBk"},
}};

constexpr std::array<NamedColor, 2> kSpecialNames = {{
    {clNone, "clNone"}, {clDefault, "clDefault"},
}};

// The classic Windows scheme, as 0x00BBGGRR, by system colour index.
constexpr std::array<TColor, SystemColorCount> kClassicScheme = {
    0xC8D0D4, // scroll bar
    0x808000, // desktop
    0x6A240A, // active caption
    0x808080, // inactive caption
    0xC8D0D4, // menu
    0xFFFFFF, // window
    0x000000, // window frame
    0x000000, // menu text
    0x000000, // window text
    0xFFFFFF, // caption text
    0xC8D0D4, // active border
    0xC8D0D4, // inactive border
    0x808080, // application work space
    0x6A240A, // highlight
    0xFFFFFF, // highlight text
    0xC8D0D4, // button face
    0x808080, // button shadow
    0x808080, // grey text
    0x000000, // button text
    0xC8D0D4, // inactive caption text
    0xFFFFFF, // button highlight
    0x404040, // 3D dark shadow
    0xC8D0D4, // 3D light
    0x000000, // info text
    0xE1FFFF, // info background
};

} // namespace

std::optional<TColor> colorFromString(const QString &value)
{
    const QStringView text = QStringView(value).trimmed();
    if (text.isEmpty())
        return std::nullopt;
    for (const auto &entry : kNames) {
        if (text.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0)
            return entry.value;
    }
    for (const auto &entry : kSpecialNames) {
        if (text.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0)
            return entry.value;
    }
    return parseInt32(text);
}

TColor stringToColor(const QString &text, TColor fallback)
{
    return colorFromString(text).value_or(fallback);
}

QString colorToString(TColor color)
{
    for (const auto &entry : kNames) {
        if (entry.value == color)
            return QLatin1String(entry.name);
    }
    for (const auto &entry : kSpecialNames) {
        if (entry.value == color)
            return QLatin1String(entry.name);
    }
    return QStringLiteral("$%1").arg(quint32(color), 8, 16, QLatin1Char('0')).toUpper();
}

QColor toQColor(TColor color)
{
    if (color == clNone)
        return QColor(Qt::transparent);
    if (color == clDefault)
        color = clWindow;
    quint32 bgr = quint32(color);
    if (color & clSystemColor) {
        const quint32 index = bgr & 0xFF;
        bgr = index < kClassicScheme.size() ? quint32(kClassicScheme[index]) : 0;
    }
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

TColor fromQColor(const QColor &color)
{
    return TColor(color.red() | (color.green() << 8) | (color.blue() << 16));
}

} // namespace Platform
