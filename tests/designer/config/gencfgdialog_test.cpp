#include "config/gencfgdialog.h"

#include "userfolders.h"

#include "testdoubles.h"
#include "testsupport.h"

#include <buttons/menubutton.h>
#include <checkbox/bitcheckbox.h>
#include <shelllinks/desktopentry.h>

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

namespace {

const QString Designer = QStringLiteral("/opt/kalvora/dodorurav");

class GeneratorConfigDialog : public TemporaryUserFolders
{
protected:
    void SetUp() override
    {
        TemporaryUserFolders::SetUp();
        cfgPath = TestSupport::writeFile(configHome() + QStringLiteral("/ZeltrinSoftware/Dodorurav.cfg"),
                                         "[OPCJE]\r\nKlamra=1\r\nMAXUNDO=30\r\n");
        cfg = std::make_unique<Platform::ProfileFile>(cfgPath);
        current = readGeneratorConfig(*cfg, defaults);
    }
    std::unique_ptr<TfrmGen_CFG> openDialog()
    {
        return std::make_unique<TfrmGen_CFG>(*cfg, current, defaults, Designer);
    }
    QString menuLink(const QString &name) const
    {
        return programs() + QStringLiteral("/Dodorurav 2.1/") + name + QStringLiteral(".desktop");
    }
    QString desktopLink() const { return desktop() + QStringLiteral("/Dodorurav 2.1.desktop"); }
    static QStringList linkTarget(const QString &link)
    {
        const std::optional<DesktopEntry> entry = readDesktopEntry(TestSupport::readFile(link));
        return entry ? entry->exec : QStringList();
    }
    static void confirm(TfrmGen_CFG &dialog)
    {
        QTest::mouseClick(dialog.BitBtn1, Qt::LeftButton);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }

    TestSupport::RecordingDialogs dialogs;
    const GeneratorConfig defaults =
        defaultGeneratorConfig(QStringLiteral("/opt/kalvora/"));
    QString cfgPath;
    std::unique_ptr<Platform::ProfileFile> cfg;
    GeneratorConfig current;
};

TEST_F(GeneratorConfigDialog, WithoutPlikiShowsTheTenDefaultsAndConfirmingWritesThemAll)
{
    auto dialog = openDialog();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Konfiguracja generatora"));
    EXPECT_EQ(dialog->PageControl1->currentWidget(), dialog->tabPliki);
    for (int i = 0; i < GeneratorFileCount; ++i)
        EXPECT_EQ(dialog->fileEdit(GeneratorFile(i))->text(), defaults.files[size_t(i)]);
    EXPECT_EQ(dialog->spinMaxUndo->value(), 30);
    EXPECT_FALSE(dialog->chkPulpit->checked());
    EXPECT_FALSE(dialog->chkStart->checked());
    EXPECT_FALSE(dialog->chkAll->checked());

    confirm(*dialog);
    EXPECT_EQ(TestSupport::readFile(cfgPath),
              "[OPCJE]\r\nKlamra=1\r\nMAXUNDO=30\r\nMINONTEST=1\r\n"
              "[PLIKI]\r\n"
              "MENU=/opt/kalvora/orvanta\r\n"
              "ZAZAVA_RV3=/opt/kalvora/zazava\r\n"
              "KATALOG_MENU=\r\n"
              "MPEGDLL=/opt/kalvora/mpegdll.dll\r\n"
              "KOPIARKA=/opt/kalvora/kopia\r\n"
              "AUTOSTART=/opt/kalvora/peldix\r\n"
              "ZAZAVA_BMP=/opt/kalvora/pixanto\r\n"
              "UNZIP=/opt/kalvora/unzdll.dll\r\n"
              "UNRAR=/opt/kalvora/unrar.dll\r\n"
              "ZIPSFX=/opt/kalvora/zipsfx.bin\r\n");
    // No link was asked for, and none was made.
    EXPECT_FALSE(QFileInfo::exists(programs() + QStringLiteral("/Dodorurav 2.1")));
    EXPECT_FALSE(QFileInfo::exists(desktopLink()));
}

TEST_F(GeneratorConfigDialog, ConfirmingAppliesThePreferencesAndCancellingChangesNothing)
{
    {
        auto dialog = openDialog();
        dialogs.colorChoice = QColor(255, 0, 0);
        dialog->klwKlamraColorII->click();
        EXPECT_EQ(dialog->panelColor(dialog->Panel2), Platform::clRed);
        dialog->chkZaznacza->setChecked(false);
        dialog->chkMinOnTest->setChecked(false);
        dialog->spinMaxUndo->setValue(1);
        EXPECT_EQ(dialog->spinMaxUndo->value(), 2);
        dialog->spinMaxUndo->setValue(500);
        EXPECT_EQ(dialog->spinMaxUndo->value(), 200);
        dialog->edtMENU->setText(QStringLiteral("/usr/games/orvanta"));
        QTest::mouseClick(dialog->btnAnuluj, Qt::LeftButton);
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
    }
    EXPECT_EQ(current.handleColorII, Platform::clBlack);
    EXPECT_TRUE(current.clickSelects);
    EXPECT_EQ(current.maxUndo, 30);
    EXPECT_EQ(TestSupport::readFile(cfgPath), "[OPCJE]\r\nKlamra=1\r\nMAXUNDO=30\r\n");

    auto dialog = openDialog();
    dialogs.colorChoice = QColor(0, 0, 255);
    dialog->klwKlamraColor->click();
    dialog->chkZaznacza->setChecked(false);
    dialog->chkMinOnTest->setChecked(false);
    dialog->spinMaxUndo->setValue(3);
    confirm(*dialog);
    EXPECT_EQ(current.handleColor, Platform::clBlue);
    EXPECT_EQ(current.handleColorII, Platform::clBlack);
    EXPECT_FALSE(current.clickSelects);
    EXPECT_FALSE(current.minimizeOnTest);
    EXPECT_EQ(current.maxUndo, 3);
    // Klamra and the colours are the designer's to write when it closes.
    const Platform::ProfileFile written(cfgPath);
    EXPECT_EQ(written.readString(QStringLiteral("OPCJE"), QStringLiteral("MAXUNDO"), {}), QStringLiteral("3"));
    EXPECT_EQ(written.readString(QStringLiteral("OPCJE"), QStringLiteral("MINONTEST"), {}), QStringLiteral("0"));
    EXPECT_FALSE(written.valueExists(QStringLiteral("OPCJE"), QStringLiteral("Klamra_Kolor")));
}

TEST_F(GeneratorConfigDialog, BrowseButtonsFillTheirFields)
{
    auto dialog = openDialog();
    const struct {
        TMenuButton *button;
        QLineEdit *edit;
    } rows[] = {
        {dialog->BrowseMENU, dialog->edtMENU},         {dialog->BrowseDane, dialog->edtZazavaRV3},
        {dialog->BrowseDLL, dialog->edtDLL},           {dialog->BrowseKopiarka, dialog->edtKopia},
        {dialog->BrowseAutoStart, dialog->edtAutostart}, {dialog->BrowsePixanto, dialog->edtPixanto},
        {dialog->BrowseUnzip, dialog->edtUnZip},       {dialog->BrowseRAR, dialog->edtUnRAR},
        {dialog->BrowseZIpdoEXE, dialog->edtZipdoEXE},
    };
    for (const auto &row : rows) {
        const QString chosen = QStringLiteral("/wybrane/") + row.button->objectName();
        dialogs.pathAnswers << chosen;
        row.button->click();
        EXPECT_EQ(row.edit->text(), chosen) << row.button->objectName().toStdString();
        // Cancelled: the field stays.
        row.button->click();
        EXPECT_EQ(row.edit->text(), chosen);
    }
    EXPECT_EQ(dialogs.dialogs.size(), 18);
    EXPECT_EQ(dialogs.dialogs.value(0), QStringLiteral("open: Otwórz"));
    // Linux programs have no extension.
    EXPECT_TRUE(TfrmGen_CFG::BrowseFilter.endsWith(QStringLiteral("(*)")));

    // The menu folder comes from the folder dialog, without a trailing separator.
    dialogs.pathAnswers << QStringLiteral("/home/autor/Płyta/MENU/");
    dialog->BrowseDIRCD->click();
    EXPECT_EQ(dialog->edtDirForMenu->text(), QStringLiteral("/home/autor/Płyta/MENU"));
    EXPECT_EQ(dialogs.dialogs.last(), QStringLiteral("folder: Domyślny katalog dla menu:"));
}

TEST_F(GeneratorConfigDialog, ShortcutsFollowTheThreeBoxes)
{
    {
        auto dialog = openDialog();
        dialog->edtMENU->setText(QStringLiteral("/usr/games/KALVORA CD/orvanta"));
        dialog->chkPulpit->setChecked(true);
        dialog->chkStart->setChecked(true);
        dialog->chkAll->setChecked(true);
        confirm(*dialog);
    }
    EXPECT_EQ(linkTarget(desktopLink()), QStringList{Designer});
    const struct {
        const char *name;
        QString target;
    } links[] = {
        {"Dodorurav 2.1", Designer},
        {"KALVORA 4.0", QStringLiteral("/usr/games/KALVORA CD/orvanta")}, // as typed in the field
        {"Zazava danych", QStringLiteral("/opt/kalvora/zazava")},
        {"Zazava bitmap", QStringLiteral("/opt/kalvora/pixanto")},
        {"AutoStart", QStringLiteral("/opt/kalvora/peldix")},
    };
    for (const auto &link : links)
        EXPECT_EQ(linkTarget(menuLink(QString::fromUtf8(link.name))), QStringList{link.target}) << link.name;

    // Unticking "all" with the menu link kept: the folder holds the designer alone.
    {
        auto dialog = openDialog();
        EXPECT_TRUE(dialog->chkPulpit->checked());
        EXPECT_TRUE(dialog->chkStart->checked());
        EXPECT_TRUE(dialog->chkAll->checked());
        dialog->chkAll->setChecked(false);
        dialog->chkPulpit->setChecked(false);
        confirm(*dialog);
    }
    EXPECT_EQ(QDir(programs() + QStringLiteral("/Dodorurav 2.1")).entryList(QDir::Files),
              QStringList{QStringLiteral("Dodorurav 2.1.desktop")});
    EXPECT_FALSE(QFileInfo::exists(desktopLink()));

    // Nothing ticked: the folder goes too, but not while it holds other files.
    TestSupport::writeFile(programs() + QStringLiteral("/Dodorurav 2.1/notatka.txt"), "x");
    {
        auto dialog = openDialog();
        EXPECT_FALSE(dialog->chkPulpit->checked());
        EXPECT_TRUE(dialog->chkStart->checked());
        EXPECT_FALSE(dialog->chkAll->checked());
        dialog->chkStart->setChecked(false);
        confirm(*dialog);
    }
    EXPECT_EQ(QDir(programs() + QStringLiteral("/Dodorurav 2.1")).entryList(QDir::Files),
              QStringList{QStringLiteral("notatka.txt")});
    QFile::remove(programs() + QStringLiteral("/Dodorurav 2.1/notatka.txt"));
    {
        auto dialog = openDialog();
        confirm(*dialog);
    }
    EXPECT_FALSE(QFileInfo::exists(programs() + QStringLiteral("/Dodorurav 2.1")));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(GeneratorConfigDialog, ALinkThatCannotBeMadeIsReportedAndTheKeysStayWritten)
{
    const QString tooLong = QStringLiteral("/opt/") + QString(300, u'x');
    auto dialog = openDialog();
    dialog->edtMENU->setText(tooLong);
    dialog->chkAll->setChecked(true);
    dialog->chkPulpit->setChecked(true);
    confirm(*dialog);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.contains(tooLong));
    EXPECT_EQ(Platform::ProfileFile(cfgPath).readString(QStringLiteral("PLIKI"), QStringLiteral("MENU"), {}),
              tooLong);
    // The designer's link came first; the steps after the failure did not run.
    EXPECT_TRUE(QFileInfo::exists(menuLink(QStringLiteral("Dodorurav 2.1"))));
    EXPECT_FALSE(QFileInfo::exists(menuLink(QStringLiteral("Zazava danych"))));
    EXPECT_FALSE(QFileInfo::exists(desktopLink()));
}

TEST_F(GeneratorConfigDialog, PicturesOfBothPages)
{
    auto dialog = openDialog();
    dialog->chkStart->setChecked(true);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    const char *names[] = {"gencfg_wymagane_pliki.png", "gencfg_preferencje.png"};
    for (int page = 0; page < 2; ++page) {
        dialog->PageControl1->setCurrentIndex(page);
        QCoreApplication::processEvents();
        const QString file = TestSupport::outputDir() + u'/' + QString::fromLatin1(names[page]);
        EXPECT_TRUE(dialog->grab().save(file));
    }
}

} // namespace
