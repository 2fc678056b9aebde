#include "menufixture.h"

#include <dialogs/infowindow.h>

#include <menuobjects/imagewidget.h>
#include <transplist/transplist.h>

#include <QTest>

namespace {

class InfoWindowTest : public MenuFixture
{
protected:
    TfrmInfoCD &open(const QString &infocd)
    {
        writeProject(QStringLiteral("[WINDOW]\nWIDTH=600\nHEIGHT=300\n[INFOCD]\nFONT_NAME=Arial\n") + infocd);
        build();
        info = std::make_unique<TfrmInfoCD>(window.get(), *context, Platform::clNavy, QSize(600, 300));
        return *info;
    }
    void TearDown() override
    {
        info.reset(); // before the menu that owns it
        MenuFixture::TearDown();
    }

    std::unique_ptr<TfrmInfoCD> info;
};

} // namespace

TEST_F(InfoWindowTest, TextFromTheFileBesideTheRuntimeElsePlikElsePlikItself)
{
    struct Case {
        const char *name;
        QString infocd;
        QString besideRuntime; // null: no such file
        QStringList lines;
    } cases[] = {
        {"sentence", QStringLiteral("PLIK=Płyta dla klasy 3b.\n"), {}, {QStringLiteral("Płyta dla klasy 3b.")}},
        {"file", QStringLiteral("PLIK=TEKSTY\\o płycie.txt\n"), {}, {QStringLiteral("Z pliku"), QStringLiteral("dwa")}},
        {"beside", QStringLiteral("PLIK=TEKSTY\\o płycie.txt\n"), QStringLiteral("Obok programu\n"),
         {QStringLiteral("Obok programu")}},
        // Without PLIK its default name is the text.
        {"nothing", QString(), {}, {QStringLiteral("INFOCD.TXT")}},
    };
    writeCdText(QStringLiteral("TEKSTY/O PŁYCIE.TXT"), QStringLiteral("Z pliku\ndwa\n"));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(cdPath(QStringLiteral("INFOCD.TXT")));
        if (!c.besideRuntime.isNull())
            writeCdText(QStringLiteral("INFOCD.TXT"), c.besideRuntime);
        TfrmInfoCD &shown = open(c.infocd);
        EXPECT_EQ(shown.TranspList1->items(), c.lines);
        EXPECT_EQ(shown.TranspList1->itemIndex(), 0);
        info.reset();
        window.reset();
    }
}

TEST_F(InfoWindowTest, LayoutFontAndMask)
{
    writeMask(QStringLiteral("MENU/INFO.BMP"), 320, 200);
    writePicture(QStringLiteral("MENU/TLO.BMP"), 32, 20, Qt::darkGreen);
    TfrmInfoCD &shown = open(QStringLiteral("FONT_COLOR=clRed\nFONT_SIZE=14\nFONT_STYLE=bi\nLEFT=30\nTOP=40\n"
                                            "MASKA=MENU\\INFO.BMP\nBMP=MENU\\TLO.BMP\nPLIK=Tekst\n"));
    EXPECT_EQ(shown.size(), QSize(320, 200));
    EXPECT_EQ(shown.TranspList1->geometry(), QRect(30, 40, 300, 180));
    EXPECT_EQ(shown.TranspList1->fontColor(), Platform::clRed);
    EXPECT_EQ(shown.TranspList1->selectedColor(), Platform::clRed);
    EXPECT_EQ(shown.TranspList1->font().pointSize(), 14);
    EXPECT_TRUE(shown.TranspList1->font().bold());
    EXPECT_TRUE(shown.TranspList1->font().italic());
    EXPECT_FALSE(shown.TranspList1->font().underline());
    EXPECT_EQ(shown.Image1->grab().toImage().pixelColor(5, 5), QColor(Qt::darkGreen));
}

TEST_F(InfoWindowTest, WithoutAMaskTheWindowKeepsItsSizeAndKeysCloseIt)
{
    TfrmInfoCD &shown = open(QStringLiteral("MASKA=MENU\\BRAK.BMP\nPLIK=Tekst\n"));
    EXPECT_EQ(shown.size(), QSize(600, 300));
    EXPECT_EQ(shown.TranspList1->geometry(), QRect(10, 10, 580, 280));
    for (int key : {Qt::Key_Return, Qt::Key_Escape}) {
        shown.show();
        QTest::keyClick(&shown, Qt::Key(key));
        EXPECT_FALSE(shown.isVisible()) << key;
    }
}

// F1 opens it where the menu has an information text.
TEST_F(InfoWindowTest, OpenedByF1)
{
    writeProject(QStringLiteral("[INFOCD]\nFONT_NAME=Arial\nPLIK=Tekst\n"));
    TForm1 &menu = build();
    bool shown = false;
    QTimer::singleShot(0, [&] {
        if (auto *opened = qobject_cast<TfrmInfoCD *>(QApplication::activeModalWidget())) {
            shown = opened->TranspList1->items() == QStringList{QStringLiteral("Tekst")};
            opened->accept();
        }
    });
    menu.FormKeyDown(Qt::Key_F1, Qt::NoModifier);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}
