#include <fontdialog.h>
#include <fonts.h>

#include <QComboBox>
#include <QFontInfo>

#include <gtest/gtest.h>

using namespace Platform;

TEST(Fonts, WindowsNamesDrawWithTheirFacesHere)
{
    installFontSubstitutes();
    const struct {
        const char *windowsName;
        const char *face;
    } cases[] = {
        {"MS Sans Serif", "Liberation Sans"}, {"Arial", "Liberation Sans"},
        {"Times New Roman", "Liberation Serif"}, {"Courier New", "Liberation Mono"},
        {"Tahoma", "DejaVu Sans"},            {"Verdana", "DejaVu Sans"},
        {"ms sans serif", "Liberation Sans"}, {"Wingdings", "DejaVu Sans"},
    };
    for (const auto &c : cases) {
        const QString name = QString::fromLatin1(c.windowsName);
        // The face that draws a plain font of that name...
        EXPECT_TRUE(QFontInfo(QFont(name)).family().startsWith(QLatin1String(c.face))) << c.windowsName;
        // ...and the one a project's font gets, which keeps the stored name.
        QFont stored;
        setStoredFamily(stored, name);
        EXPECT_EQ(stored.family(), name);
        EXPECT_TRUE(QFontInfo(stored).family().startsWith(QLatin1String(c.face))) << c.windowsName;
    }
}

TEST(Fonts, UnknownNamesGetTheDefaultFaceAndInstalledOnesThemselves)
{
    for (const char *name : {"Nie Ma Takiej", "", "Arial Rounded Fantasy"}) {
        EXPECT_EQ(installedFamily(QString::fromLatin1(name)), defaultFamily()) << name;
        QFont stored;
        setStoredFamily(stored, QString::fromLatin1(name));
        EXPECT_EQ(QFontInfo(stored).family(), defaultFamily()) << name;
    }
    EXPECT_EQ(installedFamily(QStringLiteral("DejaVu Serif")), QStringLiteral("DejaVu Serif"));
}

TEST(FontDialog, GivesTheChosenColourBeside)
{
    const QFont font(QStringLiteral("Liberation Serif"), 14);
    FontColorDialog dialog(font, QColor(Qt::black));
    EXPECT_EQ(dialog.selectedColor(), QColor(Qt::black));
    EXPECT_EQ(dialog.selectedFont().pointSize(), 14);

    // The user picks red in the colour box.
    const int red = dialog.colorBox()->findText(QStringLiteral("Czerwony"));
    ASSERT_GE(red, 0);
    dialog.colorBox()->setCurrentIndex(red);
    EXPECT_EQ(dialog.selectedColor(), QColor(Qt::red));

    // A colour that is none of the sixteen is offered as it is, once.
    dialog.setSelectedColor(QColor(1, 2, 3));
    dialog.setSelectedColor(QColor(4, 5, 6));
    EXPECT_EQ(dialog.selectedColor(), QColor(4, 5, 6));
    EXPECT_EQ(dialog.colorBox()->count(), 17);
}
