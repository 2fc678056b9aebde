#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>

class QComboBox;
class QFontDialog;

namespace Platform {

// The font dialog of the programs: Qt's font choice with the colour box
// that the Windows font dialog has (its sixteen colours, and the colour
// given when it is none of them).
class FontColorDialog : public QDialog
{
public:
    FontColorDialog(const QFont &font, const QColor &color, QWidget *parent = nullptr);

    QFont selectedFont() const;
    QColor selectedColor() const;
    void setSelectedColor(const QColor &color);

    QComboBox *colorBox() const { return m_colorBox; }

private:
    QFontDialog *m_fonts = nullptr;
    QComboBox *m_colorBox = nullptr;
};

} // namespace Platform
