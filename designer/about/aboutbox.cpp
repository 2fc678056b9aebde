#include "about/aboutbox.h"

#include "about/aboutpicture.h"

#include <buttons/menubutton.h>

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QVBoxLayout>

TfrmAbout::TfrmAbout(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("Dodorurav 2.1 - Informacje"));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap::fromImage(drawAboutPicture()));
    lblProgram = new QLabel(QStringLiteral("Dodorurav 2.1 – projektant menu autostartu płyt CD\n"
                                           "Menu uruchamia program ORVANTA, pliki danych pisze Zazava.\n"
                                           "© Zeltrin Software"),
                            this);
    lblProgram->setObjectName(QStringLiteral("lblProgram"));
    lblProgram->setAlignment(Qt::AlignCenter);
    MenuButton1 = new TMenuButton(this);
    MenuButton1->setObjectName(QStringLiteral("MenuButton1"));
    MenuButton1->setCaption(QStringLiteral("OK"));
    MenuButton1->setFixedSize(90, 25);
    MenuButton1->OnClick = [this](QObject *sender) { MenuButton1Click(sender); };

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Image1, 0, Qt::AlignCenter);
    layout->addWidget(lblProgram);
    layout->addWidget(MenuButton1, 0, Qt::AlignCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmAbout::MenuButton1Click(QObject *)
{
    accept();
}

void TfrmAbout::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void TfrmAbout::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Centred on the screen, not on the main window (a strip at the top).
    if (const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void runAboutBox(QWidget *parent)
{
    TfrmAbout dialog(parent);
    dialog.exec();
}
