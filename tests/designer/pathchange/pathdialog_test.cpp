#include "designerfixture.h"

#include <pathchange/pathdialog.h>
#include <pathchange/pathmessages.h>
#include <pathchange/requiredfiles.h>
#include <propertyeditors/editormessages.h>

#include <QComboBox>
#include <QPushButton>
#include <buttons/menubutton.h>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <testsupport.h>

using Platform::MessageAnswer;

namespace {
const QString kProject = QStringLiteral("[DATA]\n1001=dane\\gry.rv3\n[GLYPH]\n1001=obrazy\\k.bmp\n");
} // namespace

class PathDialogTest : public DesignerFixture
{
protected:
    void SetUp() override
    {
        DesignerFixture::SetUp();
        QDir().mkpath(drivePath(QStringLiteral("grafika/ikony")));
        writeText(QStringLiteral("projekt/MENU.KLV"), kProject);
    }
    std::unique_ptr<TfrmSciezki> dialog()
    {
        PathChangeSetup setup{drivePath(QStringLiteral("projekt/MENU.KLV")), drivePath(),
                              [this] { ++saveQuestions; return saveAnswer; },
                              [this](const QString &file) { reopened.append(file); }};
        return std::make_unique<TfrmSciezki>(setup);
    }
    QByteArray project() const { return readBytes(QStringLiteral("projekt/MENU.KLV")); }

    int saveQuestions = 0;
    bool saveAnswer = true;
    QStringList reopened;
};

TEST_F(PathDialogTest, OffersTheFoldersOfTheFileAndBrowsesBelowTheDrive)
{
    const auto form = dialog();
    EXPECT_EQ(form->lblNazwaINI->text(), u"MENU.KLV");
    EXPECT_EQ(form->cmbSciezki->count(), 2);
    EXPECT_EQ(form->cmbSciezki->currentText(), u"dane\\");

    QTemporaryDir outside;
    const QString root = QDir::toNativeSeparators(drivePath());
    const struct {
        QString chosen;
        const char *field; // after the choice
        QString message;   // empty: none
    } cases[] = {
        {drivePath(QStringLiteral("grafika/ikony")), "grafika\\ikony\\", {}},
        {drivePath(QStringLiteral("GRAFIKA")), "GRAFIKA\\", {}},
        {outside.path(), "GRAFIKA\\", EditorMessages::outsideDrive(outside.path(), root)},
        {drivePath(), "", {}}, // the root itself: no folder
        {{}, "", {}},          // cancelled
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.chosen.toStdString());
        dialogs.messages.clear();
        dialogs.pathAnswers = {c.chosen};
        form->BrowseIt(form->klwBrowse);
        EXPECT_EQ(form->edtKatalog->text(), QString::fromUtf8(c.field));
        ASSERT_EQ(dialogs.messages.size(), c.message.isEmpty() ? 0 : 1);
        if (!c.message.isEmpty()) {
            EXPECT_EQ(dialogs.messages.first().text, c.message);
        }
    }
    EXPECT_TRUE(dialogs.dialogs.first().endsWith(PathMessages::browseTitle()));
}

TEST_F(PathDialogTest, AnEmptyNewFolderIsAskedForAndTheSaveQuestionComesBeforeTheFileChanges)
{
    const QByteArray before = project();
    const auto form = dialog();
    const struct {
        const char *newFolder;
        QList<MessageAnswer> answers;
        bool saveAnswer;
        bool changed;
    } cases[] = {
        {"", {MessageAnswer::No}, true, false},
        {"", {MessageAnswer::Cancel}, true, false},
        {"Programy", {}, false, false},
        {"", {MessageAnswer::Yes}, true, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.newFolder);
        writeText(QStringLiteral("projekt/MENU.KLV"), kProject);
        dialogs.messages.clear();
        dialogs.answers = c.answers;
        saveAnswer = c.saveAnswer;
        reopened.clear();
        form->cmbSciezki->setCurrentIndex(0);
        form->edtKatalog->setText(QString::fromUtf8(c.newFolder));
        form->klwZmianiajClick(form->klwZmianiaj);
        if (!c.answers.isEmpty()) {
            ASSERT_EQ(dialogs.messages.size(), 1);
            EXPECT_EQ(dialogs.messages.first().text, PathMessages::noNewFolder());
            EXPECT_EQ(dialogs.messages.first().caption, PathMessages::noNewFolderCaption());
            EXPECT_EQ(dialogs.messages.first().icon, Platform::MessageIcon::Warning);
            EXPECT_EQ(dialogs.messages.first().buttons, Platform::MessageButtons::YesNoCancel);
        }
        EXPECT_EQ(project() != before, c.changed);
        EXPECT_EQ(reopened.size(), c.changed ? 1 : 0);
    }
    EXPECT_EQ(project(), stored(QStringLiteral("[DATA]\n1001=gry.rv3\n[GLYPH]\n1001=obrazy\\k.bmp\n")));
    EXPECT_EQ(reopened, QStringList{drivePath(QStringLiteral("projekt/MENU.KLV"))});
    // The folders of the file as it is now.
    EXPECT_EQ(form->cmbSciezki->count(), 1);
    EXPECT_EQ(form->cmbSciezki->currentText(), u"obrazy\\");
}

// After a change the old-folder box shows another folder; a stray Enter
// must not move that one into the new folder too.
TEST_F(PathDialogTest, AfterAChangeTheNewFolderIsEmptyAgainSoEnterAsks)
{
    writeText(QStringLiteral("projekt/MENU.KLV"),
              QStringLiteral("[NEXT_WINDOW_INI]\n1001=okna\\DRUGIE.INI\n[GLYPH]\n1001=stare\\k.bmp\n"));
    const auto form = dialog();
    form->show();
    form->cmbSciezki->setCurrentIndex(form->cmbSciezki->findText(QStringLiteral("stare\\")));
    form->edtKatalog->setText(QStringLiteral("grafika\\"));
    form->klwZmianiaj->click();
    const QByteArray changed =
        stored(QStringLiteral("[NEXT_WINDOW_INI]\n1001=okna\\DRUGIE.INI\n[GLYPH]\n1001=grafika\\k.bmp\n"));
    ASSERT_EQ(project(), changed);
    EXPECT_EQ(form->cmbSciezki->currentText(), u"okna\\");
    EXPECT_TRUE(form->edtKatalog->text().isEmpty());
    EXPECT_TRUE(form->klwZmianiaj->isDefault());

    dialogs.messages.clear();
    dialogs.answers = {MessageAnswer::No};
    QTest::keyClick(form->edtKatalog, Qt::Key_Return);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text, PathMessages::noNewFolder());
    EXPECT_EQ(project(), changed);
    EXPECT_EQ(reopened.size(), 1);
}

// Both dialogs have a fixed border: what they open at is all the size
// they have.
TEST_F(PathDialogTest, ThePathAndRequiredFilesDialogsCannotBeResized)
{
    const auto paths = dialog();
    TfrmWymagane required({{QStringLiteral("dane\\gry.rv3"), false}});
    const struct {
        QDialog *dialog;
        QSize opening; // at least
    } cases[] = {
        {paths.get(), {321, 141}},
        {&required, {282, 287}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.dialog->objectName().toStdString());
        c.dialog->show();
        EXPECT_EQ(c.dialog->minimumSize(), c.dialog->maximumSize());
        EXPECT_EQ(c.dialog->size(), c.dialog->minimumSize());
        EXPECT_GE(c.dialog->width(), c.opening.width());
        EXPECT_GE(c.dialog->height(), c.opening.height());
        c.dialog->hide();
    }
}
