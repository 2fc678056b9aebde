#include "fontdialog.h"

#include "colors.h"
#include "fonts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QPixmap>
#include <QVBoxLayout>

#include <iterator>

namespace Platform {
namespace {

struct NamedColor {
    TColor color;
    const char *name;
};

// The colours of the Windows font dialog, in its order.
constexpr NamedColor kColors[] = {
    {clBlack, "Czarny"},     {clMaroon, "Kasztanowy"}, {clGreen, "Zielony"},  {clOlive, "Oliwkowy"},
    {clNavy, "Granatowy"},   {clPurple, "Purpurowy"},  {clTeal, "Morski"},    {clGray, "Szary"},
    {clSilver, "Srebrny"},   {clRed, "Czerwony"},      {clLime, "Limonkowy"}, {clYellow, "Żółty"},
    {clBlue, "Niebieski"},   {clFuchsia, "Fuksja"},    {clAqua, "Akwamaryna"}, {clWhite, "Biały"},
};

QIcon swatch(const QColor &color)
{
    QPixmap pixmap(24, 12);
    pixmap.fill(color);
    return QIcon(pixmap);
}

} // namespace

FontColorDialog::FontColorDialog(const QFont &font, const QColor &color, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Czcionka"));
    // Qt's font choice as a part of this dialog, without its own buttons.
    // The dialog lists the faces of this system: a Windows name shows as
    // the face that draws it.
    QFont shown = font;
    shown.setFamily(installedFamily(font.family()));
    m_fonts = new QFontDialog(shown, this);
    m_fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    m_fonts->setWindowFlags(Qt::Widget);

    m_colorBox = new QComboBox(this);
    for (const NamedColor &named : kColors)
        m_colorBox->addItem(swatch(toQColor(named.color)), QString::fromUtf8(named.name), toQColor(named.color));
    setSelectedColor(color);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *colorRow = new QFormLayout;
    colorRow->addRow(QStringLiteral("&Kolor:"), m_colorBox);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_fonts);
    layout->addLayout(colorRow);
    layout->addWidget(buttons);
}

QFont FontColorDialog::selectedFont() const
{
    return m_fonts->currentFont();
}

QColor FontColorDialog::selectedColor() const
{
    return m_colorBox->currentData().value<QColor>();
}

void FontColorDialog::setSelectedColor(const QColor &color)
{
    const QColor plain = color.isValid() ? color : QColor(Qt::black);
    int index = m_colorBox->findData(plain);
    if (index < 0) {
        constexpr int namedCount = int(std::size(kColors));
        if (m_colorBox->count() > namedCount)
            m_colorBox->removeItem(namedCount);
        // A colour of the project that is none of the sixteen stays choosable.
        m_colorBox->addItem(swatch(plain), QStringLiteral("Inny"), plain);
        index = m_colorBox->count() - 1;
    }
    m_colorBox->setCurrentIndex(index);
}

} // namespace Platform
