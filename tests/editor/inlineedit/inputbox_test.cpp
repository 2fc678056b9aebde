#include "inputbox/inputbox.h"

#include "testdoubles.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(InputBox, WithoutBrowseAsksTheTextDialog)
{
    TestSupport::RecordingDialogs dialogs;
    dialogs.textAnswers = {QStringLiteral("Nowa nazwa"), std::nullopt};
    QString value = QStringLiteral("Stara");
    EXPECT_TRUE(InputBox(nullptr, QStringLiteral("Zmiana"), QStringLiteral("Nazwa:"), false, value));
    EXPECT_EQ(value, QStringLiteral("Nowa nazwa"));
    EXPECT_FALSE(InputBox(nullptr, QStringLiteral("Zmiana"), QStringLiteral("Nazwa:"), false, value));
    EXPECT_EQ(value, QStringLiteral("Nowa nazwa"));
    EXPECT_EQ(dialogs.dialogs, (QStringList{"text: Zmiana", "text: Zmiana"}));
}

TEST(InputBox, BrowsePutsTheDriveRelativePathIntoTheEdit)
{
    TestSupport::RecordingDialogs dialogs;
    dialogs.pathAnswers = {QStringLiteral("/media/cd/Gry/Setup.exe"), QString()};
    TfrmInput form(nullptr, QStringLiteral("Plik"), QStringLiteral("Podaj plik:"), QStringLiteral("x"),
                   QStringLiteral("Programy (*.exe)"), QStringLiteral("/media/cd/"));
    EXPECT_EQ(form.size(), QSize(383, 119));
    EXPECT_TRUE(form.lblPrompt->wordWrap());
    form.klwBrowse->click();
    EXPECT_EQ(form.edtDefault->text(), QStringLiteral("Gry\\Setup.exe"));
    form.klwBrowse->click(); // cancelled: the edit keeps its text
    EXPECT_EQ(form.edtDefault->text(), QStringLiteral("Gry\\Setup.exe"));
    EXPECT_EQ(dialogs.dialogs, (QStringList{"open: Plik", "open: Plik"}));
}

TEST(InputBox, WithBrowseHandsBackTheTextOnOkOnly)
{
    TestSupport::RecordingDialogs dialogs;
    const auto answer = [](const char *buttonText, const QString &typed) {
        QTimer::singleShot(0, [=] {
            auto *form = qobject_cast<TfrmInput *>(QApplication::activeModalWidget());
            ASSERT_NE(form, nullptr);
            EXPECT_TRUE(form->klwBrowse->isVisible());
            EXPECT_EQ(form->edtDefault->width(), 344);
            form->edtDefault->setText(typed);
            (QString::fromUtf8(buttonText) == u"&OK" ? form->klwOK : form->klwAnuluj)->click();
        });
    };
    QString value = QStringLiteral("a");
    answer("&OK", QStringLiteral("b"));
    EXPECT_TRUE(InputBox(nullptr, QStringLiteral("P"), QStringLiteral("?"), true, value, QString(), QStringLiteral("/")));
    EXPECT_EQ(value, QStringLiteral("b"));
    answer("&Anuluj", QStringLiteral("c"));
    EXPECT_FALSE(InputBox(nullptr, QStringLiteral("P"), QStringLiteral("?"), true, value, QString(), QStringLiteral("/")));
    EXPECT_EQ(value, QStringLiteral("b"));
}

} // namespace
