#include <dialogs.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Platform;

namespace {

struct ShownBox {
    QString text;
    int labelWidth = 0;
    int widestUnbroken = 0; // what the text needs when broken wherever it may be
    int boxWidth = 0;
    int screenWidth = 0;
};

// Shows text in the programs' own message box and reads it as shown.
ShownBox show(const QString &text)
{
    ShownBox shown;
    QTimer::singleShot(0, [&shown] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        if (const auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))) {
            shown.text = label->text();
            shown.labelWidth = label->width();
            shown.widestUnbroken = label->minimumSizeHint().width();
        }
        shown.boxWidth = box->width();
        shown.screenWidth = box->screen()->availableGeometry().width();
        box->accept();
    });
    Dialogs::setInstance(nullptr);
    showMessage(nullptr, text, QStringLiteral("Zazava RV3 1.1"), MessageButtons::Ok, MessageIcon::Error);
    return shown;
}

} // namespace

// A message wraps inside its box, even a folder name of 250 letters with no
// place to break; it reads as given, and a usual one is shown as it stands.
TEST(MessageBox, WrapsLongNamesInsideItself)
{
    const QString longName(252, u'A');
    const struct {
        QString text;
        bool asItStands;
    } cases[] = {
        {QStringLiteral("Nie zapisano plików danych dla katalogów:\r\n\r\n/cd/MUZYKA/%1\r\n"
                        "Nie można zapisać \"/cd/DANE/%1.rv3\": Za długa nazwa pliku")
             .arg(longName),
         false},
        {QStringLiteral("Czy chcesz zachować zmiany w pliku: \r\n\"/home/ania/Płyta CD/DANE/GRY.RV3\""), true},
    };
    for (const auto &c : cases) {
        const ShownBox shown = show(c.text);
        ASSERT_FALSE(shown.text.isEmpty());
        EXPECT_EQ(QString(shown.text).remove(QChar(0x200B)), c.text);
        if (c.asItStands) {
            EXPECT_EQ(shown.text, c.text);
        }
        EXPECT_LE(shown.widestUnbroken, shown.labelWidth);
        EXPECT_LE(shown.boxWidth, shown.screenWidth);
    }
}
