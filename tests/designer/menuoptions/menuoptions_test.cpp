// "Opcje menu": the options read and written back, and what OK does to the
// design surface.
#include "designerfixture.h"

#include <designreading.h>
#include <menuoptions/menuoptionsdialog.h>
#include <shaper/controlshaper.h>

#include <buttons/menubutton.h>
#include <checkbox/bitcheckbox.h>
#include <transplist/transplist.h>
#include <windowtitles.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace {

const QString kKeys = QStringLiteral("[NAMES]\n1001=Gry\n1002=Programy\n[LEFT]\n1002=100\n");

// A 1-bit mask of 200 x 100: a disc inside, the corners cut away.
void writeMask(const QString &path)
{
    QImage mask(200, 100, QImage::Format_Mono);
    mask.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    for (int y = 0; y < mask.height(); ++y) {
        for (int x = 0; x < mask.width(); ++x) {
            const double dx = (x - 100) / 100.0, dy = (y - 50) / 50.0;
            mask.setPixel(x, y, dx * dx + dy * dy <= 1.0 ? 0 : 1);
        }
    }
    ASSERT_TRUE(mask.save(path, "BMP"));
}

} // namespace

class MenuOptionsTest : public DesignerFixture
{
protected:
    void SetUp() override
    {
        DesignerFixture::SetUp();
        QDir().mkpath(drivePath(QStringLiteral("obrazy")));
        writeMask(drivePath(QStringLiteral("obrazy/maska.bmp")));
    }

    void loadProject(const QString &text)
    {
        writeText(QStringLiteral("MENU.KLV"), text);
        load(QStringLiteral("MENU.KLV"));
        undo.steps.clear();
    }

    // Opens the dialog, lets change work on it, and confirms it.
    void confirm(const std::function<void(TfrmOpcje &)> &change = {})
    {
        TfrmOpcje form(context);
        if (change)
            change(form);
        form.klwOK->click();
        EXPECT_EQ(form.result(), QDialog::Accepted);
    }

    TMenuButton *key(int id) const
    {
        for (QWidget *object : surface().components()) {
            auto *button = qobject_cast<TMenuButton *>(object);
            if (button && button->property("Tag").toInt() == id)
                return button;
        }
        return nullptr;
    }
};

TEST_F(MenuOptionsTest, FlagsAndTheHintShapeGoBackAsTheyCame)
{
    const auto &flags = MenuOptions::flagTable();
    for (size_t ticked = 0; ticked <= flags.size(); ++ticked) {
        for (const char *oval : {"0", "1"}) {
            SCOPED_TRACE(ticked < flags.size() ? flags[ticked].setting : "none");
            QString window = QStringLiteral("[WINDOW]\nHintOval=") + QLatin1String(oval) + u'\n';
            for (size_t i = 0; i < flags.size(); ++i) {
                if (i >= 2) // NOBORDER and NOBORDERICONS live under the same section
                    window += QLatin1String(flags[i].setting) + u'=' + (i == ticked ? u'1' : u'0') + u'\n';
            }
            window += QStringLiteral("NOBORDER=") + (ticked == 0 ? u'1' : u'0') + QStringLiteral("\nNOBORDERICONS=")
                      + (ticked == 1 ? u'1' : u'0') + u'\n';
            loadProject(window + QStringLiteral("HintKolor=$00C0F0FF\nHintTextKolor=clNavy\n"));
            const QStringList before = DesignReading::settingLines(context.Design);
            TfrmOpcje form(context);
            for (size_t i = 0; i < flags.size(); ++i)
                EXPECT_EQ(form.flagBoxes[i]->checked(), i == ticked) << flags[i].setting;
            EXPECT_EQ(form.HintShape->oval(), *oval == '1');
            form.klwOK->click();
            QStringList after = DesignReading::settingLines(context.Design);
            EXPECT_EQ(QSet<QString>(after.begin(), after.end()), QSet<QString>(before.begin(), before.end()));
            EXPECT_EQ(undo.steps, QStringList{QStringLiteral("Zmiany w opcjach menu")});
        }
    }
}

TEST_F(MenuOptionsTest, OkStoresWhatWasChosenAndAnulujNothing)
{
    loadProject(QStringLiteral("[WINDOW]\nHintOval=1\nKOPIA_FONT_COLOR=clYellow\n[CDROM]\nCD_TITLE=Stary\n"));
    dialogs.colorChoice = QColor(0x12, 0x34, 0x56);
    const QStringList before = DesignReading::settingLines(context.Design);
    {
        TfrmOpcje form(context);
        form.edtTytul->setText(QStringLiteral("Nowy"));
        form.checkBox(MenuOptions::Hand)->setChecked(true);
        form.pnlHintKolorClick(form.pnlHintKolor);
        form.pnlHintKolorClick(form.pnlHintTextKolor);
        form.lblDialogClick(form.lblDialog);
        form.Label4Click(form.Label4);
        EXPECT_FALSE(form.HintShape->oval());
        form.klwAnuluj->click();
    }
    EXPECT_EQ(DesignReading::settingLines(context.Design), before);
    EXPECT_TRUE(undo.steps.isEmpty());

    confirm([](TfrmOpcje &form) {
        form.edtID->clear();
        form.edtTytul->setText(QStringLiteral("Nowy"));
        form.pnlHintKolorClick(form.pnlHintKolor);
        form.lblDialogClick(form.lblDialog);
        form.Label4Click(form.Label4);
    });
    const ProjectFormat::MenuDesign &settings = context.Design;
    EXPECT_EQ(settings.setting(QStringLiteral("CD_TITLE")), u"Nowy");
    EXPECT_TRUE(settings.setting(QStringLiteral("CDROM_ID")).isEmpty());
    EXPECT_EQ(settings.setting(QStringLiteral("HintKolor")), u"$00563412");
    EXPECT_EQ(settings.setting(QStringLiteral("HintTextKolor")), u"clInfoText");
    EXPECT_EQ(settings.setting(QStringLiteral("KOPIA_FONT_COLOR")), u"$00563412");
    EXPECT_EQ(settings.setting(QStringLiteral("HintOval")), u"0");
    EXPECT_EQ(undo.steps, QStringList{QStringLiteral("Zmiany w opcjach menu")});
}

TEST_F(MenuOptionsTest, UntickingKeyDownReleasesTheKeyThatWasDown)
{
    loadProject(QStringLiteral("[WINDOW]\nALWAYS_DOWN=1\n") + kKeys);
    TMenuButton *gry = key(1001);
    ASSERT_TRUE(gry);
    EXPECT_EQ(gry->groupIndex(), 1000);
    gry->setDown(true);
    confirm([](TfrmOpcje &form) { form.checkBox(MenuOptions::AlwaysDown)->setChecked(false); });
    for (int id : {1001, 1002}) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(key(id)->down());
        EXPECT_EQ(key(id)->groupIndex(), 0);
        EXPECT_FALSE(key(id)->allowAllUp());
    }
    confirm([](TfrmOpcje &form) { form.checkBox(MenuOptions::AlwaysDown)->setChecked(true); });
    EXPECT_EQ(key(1001)->groupIndex(), 1000);
    EXPECT_EQ(key(1002)->groupIndex(), 1000);
}

TEST_F(MenuOptionsTest, ListOnClickHidesTheListAtOnce)
{
    loadProject(QStringLiteral("[OBJECTS]\nLIST=1\n"));
    ASSERT_TRUE(context.Objects.list);
    EXPECT_FALSE(context.Objects.list->isHidden());
    confirm([](TfrmOpcje &form) { form.checkBox(MenuOptions::ListOnClick)->setChecked(true); });
    EXPECT_TRUE(context.Objects.list->isHidden());
    EXPECT_EQ(context.Design.setting(QStringLiteral("LIST_ON_CLICK")), u"1");
    confirm([](TfrmOpcje &form) { form.checkBox(MenuOptions::ListOnClick)->setChecked(false); });
    EXPECT_FALSE(context.Objects.list->isHidden());
}

TEST_F(MenuOptionsTest, TheFrameGoesAndTheSurfaceKeepsItsShape)
{
    loadProject(QStringLiteral("[BONUS]\nMASKA=obrazy\\maska.bmp\n"));
    ASSERT_TRUE(surface().MASKA->shapeActive());
    const struct {
        bool noBorder, noSystemMenu;
    } cases[] = {{true, false}, {true, true}, {false, true}, {false, false}};
    for (const auto &row : cases) {
        SCOPED_TRACE(testing::Message() << row.noBorder << row.noSystemMenu);
        confirm([&row](TfrmOpcje &form) {
            form.checkBox(MenuOptions::NoBorder)->setChecked(row.noBorder);
            form.checkBox(MenuOptions::NoSysMenu)->setChecked(row.noSystemMenu);
        });
        const Qt::WindowFlags flags = surface().windowFlags();
        EXPECT_EQ(flags.testFlag(Qt::FramelessWindowHint), row.noBorder);
        EXPECT_EQ(flags.testFlag(Qt::WindowSystemMenuHint), !row.noSystemMenu);
        EXPECT_TRUE(surface().isVisible());
        EXPECT_TRUE(surface().MASKA->shapeActive());
        EXPECT_EQ(surface().size(), QSize(200, 100));
        EXPECT_FALSE(surface().mask().isEmpty());
        EXPECT_FALSE(surface().mask().contains(QPoint(2, 2))); // a corner is cut away
        EXPECT_EQ(context.Design.setting(QStringLiteral("NOBORDER")), row.noBorder ? u"1" : u"0");
        EXPECT_EQ(context.Design.setting(QStringLiteral("NOBORDERICONS")), row.noSystemMenu ? u"1" : u"0");
    }
}

TEST_F(MenuOptionsTest, TitlesGoToTheTitleObjectWhenThereIsOne)
{
    for (bool withTitle : {false, true}) {
        SCOPED_TRACE(withTitle);
        loadProject(withTitle ? QStringLiteral("[OBJECTS]\nTITLE=1\n") : QString());
        EXPECT_EQ(context.applicationTitle(), u"Dodorurav 2.1 -> ZELTRIN KALVORA 4.0");
        ASSERT_EQ(bool(context.Objects.title), withTitle);
        confirm([](TfrmOpcje &form) {
            form.edtTytul->setText(QStringLiteral("Płyta z grami"));
            form.edtEtykieta->setText(QStringLiteral("Gry 2026"));
        });
        EXPECT_EQ(context.Design.setting(QStringLiteral("CD_TITLE")), u"Płyta z grami");
        EXPECT_EQ(context.applicationTitle(), u"Dodorurav 2.0 -> Płyta z grami");
        EXPECT_EQ(surface().windowTitle(), u"Gry 2026");
        // The title is the name the desktop shows for the program.
        surface().show();
        EXPECT_EQ(Platform::desktopTitleOf(surface()), u"Gry 2026 — Dodorurav 2.0 -> Płyta z grami");
        if (withTitle) {
            EXPECT_EQ(context.Objects.title->text(), u"Płyta z grami");
        }
    }
}

TEST_F(MenuOptionsTest, TheDescriptionIsAShortTextOrAFileOnTheDrive)
{
    loadProject({});
    writeText(QStringLiteral("teksty/opis.txt"), QStringLiteral("Opis płyty\n"));
    dialogs.pathAnswers = {drivePath(QStringLiteral("teksty/opis.txt"))};
    confirm([](TfrmOpcje &form) { form.klwOpisCD->click(); });
    EXPECT_EQ(context.Design.setting(QStringLiteral("CD_DESCRIPTION")), u"teksty\\opis.txt");
    confirm([](TfrmOpcje &form) { form.edtOpisCD->setText(QStringLiteral("Gry... i programy: 2026")); });
    EXPECT_EQ(context.Design.setting(QStringLiteral("CD_DESCRIPTION")), u"Gry... i programy: 2026");

    undo.steps.clear();
    TfrmOpcje form(context);
    form.edtOpisCD->setText(QStringLiteral("..\\..\\etc\\passwd"));
    form.klwOK->click();
    EXPECT_NE(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.PageControl1->currentWidget(), form.TabSheet1);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("Plik leży poza dyskiem projektu")));
    EXPECT_EQ(context.Design.setting(QStringLiteral("CD_DESCRIPTION")), u"Gry... i programy: 2026");
    EXPECT_TRUE(undo.steps.isEmpty());
}

// A hint of two lines shows them as two lines: a tool tip breaks only at
// "\n".
TEST_F(MenuOptionsTest, TwoLineHintsShowTheirTwoLines)
{
    loadProject({});
    TfrmOpcje form(context);
    EXPECT_EQ(form.edtID->toolTip(), u"Identyfikator niezbędny jest dla\npoprawnego działania opcji menu!");
    EXPECT_EQ(form.klwOpisCD->toolTip(), u"Kliknij, aby zlokalizować plik opisu CDROM'u\nlub wpisz krótki opis");
    for (const QWidget *widget : form.findChildren<QWidget *>()) {
        SCOPED_TRACE(widget->objectName().toStdString());
        EXPECT_FALSE(widget->toolTip().contains(u'\r'));
    }
}
