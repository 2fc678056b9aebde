// "Ustawienia ekranu startowego": what OK stores, the picture preview and
// the width of the dialog with "Podgląd".
#include "designerfixture.h"

#include <objects/designedits.h>
#include <designreading.h>
#include <startscreen/startscreendialog.h>

#include <checkbox/bitcheckbox.h>

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>

#include <testsupport.h>

namespace {

// A BMP header that claims a picture of width x height, 24 bits, with a
// few bytes of pixels.
QByteArray claimedBitmap(int width, int height)
{
    QByteArray data;
    const auto put16 = [&data](int v) { data.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
    const auto put32 = [&](qint64 v) { put16(int(v & 0xFFFF)); put16(int((v >> 16) & 0xFFFF)); };
    data.append("BM");
    put32(54 + 64);
    put32(0);
    put32(54);
    put32(40);
    put32(width);
    put32(height);
    put16(1);
    put16(24);
    put32(0);
    put32(qint64(width) * 3 * height);
    put32(2835);
    put32(2835);
    put32(0);
    put32(0);
    return data.append(QByteArray(64, '\x7f'));
}

} // namespace

class StartScreen : public DesignerFixture
{
protected:
    void SetUp() override
    {
        DesignerFixture::SetUp();
        writePicture(QStringLiteral("obrazy/ekran.bmp"), 64, 48, Qt::darkCyan);
        TestSupport::writeFile(drivePath(QStringLiteral("filmy/intro.avi")), "RIFF");
        loadEmpty(); // the defaults: "*.AVI", "*.BMP", 200 x 320
        undo.steps.clear();
    }

    QString setting(const char *name) const { return context.Design.setting(QLatin1String(name)); }

    TfrmSetEkran form{context};
};

TEST_F(StartScreen, OkStoresWhatNamesAFileAndKeepsTheRest)
{
    const QString aviDropped = QStringLiteral("Wysokość i szerokość animacji nie zostały zapisane: pole \"Plik AVI:\" "
                                              "nie wskazuje pliku.");
    const QString bmpDropped = QStringLiteral("Wysokość i szerokość obrazu po animacji nie zostały zapisane: pole "
                                              "\"Plik BMP:\" nie wskazuje pliku.");
    const struct {
        const char *avi;
        int aviHeight;           // typed; 200 is the stored one
        const char *bmp;
        const char *storedAvi;   // AVI_Name after OK; null: the dialog stays
        const char *storedBmp;
        const char *aviSizes;    // "AVI_Wys AVI_Szer"
        const char *bmpSizes;    // "BMP_Wys BMP_Szer"
        QString message;         // shown when the dialog stays, or what was not stored
    } cases[] = {
        // A wildcard stores nothing of its part; an existing file its name
        // and sizes. Typed sizes that are not stored are named.
        {"*.AVI", 200, "obrazy\\ekran.bmp", "*.AVI", "obrazy\\ekran.bmp", "200 320", "48 64", {}},
        {"*.AVI", 240, "obrazy\\ekran.bmp", "*.AVI", "obrazy\\ekran.bmp", "200 320", "48 64", aviDropped},
        {"filmy\\INTRO.AVI", 240, "*.BMP", "filmy\\INTRO.AVI", "*.BMP", "240 320", "200 320", bmpDropped},
        // An empty field clears the name and keeps the sizes.
        {"*.AVI", 200, "", "*.AVI", "", "200 320", "200 320", bmpDropped},
        {"", 240, "", "", "", "200 320", "200 320", aviDropped + u'\n' + bmpDropped},
        // A name of no file says so and stores nothing at all.
        {"filmy\\intro.avi", 200, "obrazy\\brak.bmp", nullptr, nullptr, nullptr, nullptr,
         QStringLiteral("Nie można otworzyć pliku: obrazy\\brak.bmp")},
        {"filmy\\brak.avi", 200, "obrazy\\ekran.bmp", nullptr, nullptr, nullptr, nullptr,
         QStringLiteral("Nie można otworzyć pliku: filmy\\brak.avi")},
        {"*.AVI", 240, "obrazy", nullptr, nullptr, nullptr, nullptr, QStringLiteral("Nie można otworzyć pliku: obrazy")},
        {"*.AVI", 200, "..\\..\\obrazy\\ekran.bmp", nullptr, nullptr, nullptr, nullptr,
         QStringLiteral("Plik leży poza dyskiem projektu")},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(std::string(row.avi) + " " + std::to_string(row.aviHeight) + " | " + row.bmp);
        loadEmpty();
        undo.steps.clear();
        dialogs.messages.clear();
        TfrmSetEkran dialog(context);
        const QStringList before = DesignReading::settingLines(context.Design);
        dialog.edtAVI->setText(QString::fromUtf8(row.avi));
        dialog.edtWysAVI->setValue(row.aviHeight);
        dialog.edtBMP->setText(QString::fromUtf8(row.bmp));
        dialog.edtWysBMP->setValue(48);
        dialog.edtSzerBMP->setValue(64);
        dialog.klwOk->click();
        if (!row.storedAvi) {
            EXPECT_NE(dialog.result(), QDialog::Accepted);
            ASSERT_EQ(dialogs.messages.size(), 1);
            EXPECT_TRUE(dialogs.messages[0].text.startsWith(row.message)) << dialogs.messages[0].text.toStdString();
            EXPECT_EQ(DesignReading::settingLines(context.Design), before);
            EXPECT_TRUE(undo.steps.isEmpty());
            continue;
        }
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        ASSERT_EQ(dialogs.messages.size(), row.message.isEmpty() ? 0 : 1);
        if (!row.message.isEmpty()) {
            EXPECT_EQ(dialogs.messages[0].text, row.message);
            EXPECT_EQ(dialogs.messages[0].icon, Platform::MessageIcon::Warning);
        }
        EXPECT_EQ(setting("AVI_Name"), QString::fromUtf8(row.storedAvi));
        EXPECT_EQ(setting("BMP_Name"), QString::fromUtf8(row.storedBmp));
        EXPECT_EQ(setting("AVI_Wys") + u' ' + setting("AVI_Szer"), QString::fromUtf8(row.aviSizes));
        EXPECT_EQ(setting("BMP_Wys") + u' ' + setting("BMP_Szer"), QString::fromUtf8(row.bmpSizes));
        EXPECT_EQ(undo.steps, QStringList{QStringLiteral("Ustawienia ekranu startowego")});
    }
}

TEST_F(StartScreen, SizesStayWithinTheirSpins)
{
    DesignEdits::setSetting(context, QStringLiteral("AVI_Wys"), QStringLiteral("99999"));
    DesignEdits::setSetting(context, QStringLiteral("AVI_Szer"), QStringLiteral("sto"));
    TfrmSetEkran dialog(context);
    EXPECT_EQ(dialog.edtWysAVI->value(), 2000);
    EXPECT_EQ(dialog.edtSzerAVI->value(), 0);
    dialog.edtWysBMP->setValue(-5);
    EXPECT_EQ(dialog.edtWysBMP->value(), 0);
}

TEST_F(StartScreen, ThePreviewShowsAChosenPictureThroughTheBoundedReader)
{
    TestSupport::writeFile(drivePath(QStringLiteral("obrazy/olbrzym.bmp")), claimedBitmap(30000, 30000));
    form.Preview->setChecked(true);
    form.PreviewClick(form.Preview);

    dialogs.pathAnswers = {drivePath(QStringLiteral("obrazy/ekran.bmp"))};
    form.BrowseBMP->click();
    EXPECT_EQ(form.edtBMP->text(), u"obrazy\\ekran.bmp");
    EXPECT_EQ(form.imgPreview->size(), QSize(64, 48));
    EXPECT_TRUE(dialogs.messages.isEmpty());

    const struct {
        const char *file;
        const char *shownName; // in the message
    } refused[] = {
        {"obrazy/olbrzym.bmp", "obrazy\\olbrzym.bmp"},
        {"filmy/intro.avi", "filmy\\intro.avi"},
    };
    for (const auto &row : refused) {
        SCOPED_TRACE(row.file);
        dialogs.messages.clear();
        form.edtAVIClick(form.edtAVI); // the picture preview goes
        dialogs.pathAnswers = {drivePath(QString::fromUtf8(row.file))};
        form.BrowseBMP->click();
        EXPECT_EQ(form.edtBMP->text(), QString::fromUtf8(row.shownName));
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_EQ(dialogs.messages[0].text,
                  QStringLiteral("Nie można otworzyć pliku: ") + context.DriveRoot + QString::fromUtf8(row.shownName));
        EXPECT_EQ(form.imgPreview->size(), QSize(1, 0));
    }

    // A click in the field shows what it names, and says nothing otherwise.
    dialogs.messages.clear();
    form.edtBMP->setText(QStringLiteral("obrazy\\ekran.bmp"));
    form.edtBMPClick(form.edtBMP);
    EXPECT_EQ(form.imgPreview->size(), QSize(64, 48));
    form.MPClick(form.MPStop);
    EXPECT_EQ(form.imgPreview->size(), QSize(1, 0));
    form.edtBMP->setText(QStringLiteral("obrazy\\olbrzym.bmp"));
    form.edtBMPClick(form.edtBMP);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(StartScreen, PodgladWidensTheDialogAndCentresIt)
{
    form.show();
    const int narrow = form.width();
    const int screen = QGuiApplication::primaryScreen()->geometry().width();
    form.Preview->setChecked(true);
    form.PreviewClick(form.Preview);
    EXPECT_GT(form.width(), narrow + 300);
    EXPECT_TRUE(form.ScrollBox1->isVisible());
    EXPECT_EQ(form.x(), (screen - form.width()) / 2);
    form.Preview->setChecked(false);
    form.PreviewClick(form.Preview);
    EXPECT_EQ(form.width(), narrow);
    EXPECT_FALSE(form.ScrollBox1->isVisible());
    EXPECT_EQ(form.x(), (screen - narrow) / 2);
}

TEST_F(StartScreen, ChosenFilesAreStoredFromTheDriveAndRefusedOutsideIt)
{
    QTemporaryDir elsewhere;
    const QString outside = TestSupport::writeFile(elsewhere.filePath(QStringLiteral("obcy.avi")), "RIFF");
    dialogs.pathAnswers = {drivePath(QStringLiteral("filmy/intro.avi")), outside};
    form.BrowseAVI->click();
    EXPECT_EQ(form.edtAVI->text(), u"filmy\\intro.avi");
    form.BrowseAVI->click();
    EXPECT_EQ(form.edtAVI->text(), u"filmy\\intro.avi");
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("Plik leży poza dyskiem projektu")));
}
