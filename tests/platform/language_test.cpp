#include <language.h>

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace Platform;

TEST(Language, CountsFollowPolishPluralForms)
{
    const struct {
        qint64 count;
        const char *expected;
    } cases[] = {
        {0, "0 plików"},  {1, "1 plik"},    {2, "2 pliki"},     {4, "4 pliki"},    {5, "5 plików"},
        {12, "12 plików"}, {13, "13 plików"}, {22, "22 pliki"}, {25, "25 plików"}, {101, "101 plików"},
        {112, "112 plików"}, {1004, "1004 pliki"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(countOf(c.count, QStringLiteral("plik"), QStringLiteral("pliki"), QStringLiteral("plików")),
                  QString::fromUtf8(c.expected))
            << c.count;
    }
}

// What every program loads at start: Qt's own dialogs and standard buttons
// read Polish, not English.
TEST(Language, QtDialogsSpeakPolish)
{
    ASSERT_TRUE(loadPolishTranslations()) << "qt6-translations-l10n is not installed";

    QMessageBox box(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    const struct {
        QMessageBox::StandardButton button;
        const char *text;
    } buttons[] = {{QMessageBox::Yes, "Tak"}, {QMessageBox::No, "Nie"}, {QMessageBox::Cancel, "Anuluj"}};
    for (const auto &b : buttons)
        EXPECT_EQ(box.button(b.button)->text().remove(u'&'), QString::fromUtf8(b.text));

    QDialogButtonBox okCancel(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    EXPECT_EQ(okCancel.button(QDialogButtonBox::Cancel)->text().remove(u'&'), QStringLiteral("Anuluj"));

    QFileDialog files;
    files.setOption(QFileDialog::DontUseNativeDialog);
    QStringList labels;
    for (const QLabel *label : files.findChildren<QLabel *>())
        labels << label->text();
    EXPECT_FALSE(labels.contains(QStringLiteral("Look in:"))) << labels.join(u'|').toStdString();
}
