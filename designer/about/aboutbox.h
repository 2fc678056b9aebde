#pragma once

#include <QDialog>

class QLabel;
class TMenuButton;

// "Dodorurav 2.1 - Informacje": the program's picture and a few lines about
// it. Its button, Enter and Esc each close it with OK.
class TfrmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmAbout(QWidget *parent = nullptr);

    QLabel *Image1;
    QLabel *lblProgram;
    TMenuButton *MenuButton1;

    void MenuButton1Click(QObject *sender);

protected:
    void keyPressEvent(QKeyEvent *event) override; // FormKeyDown
    void showEvent(QShowEvent *event) override;
};

// Shows the about box modally over parent.
void runAboutBox(QWidget *parent);
