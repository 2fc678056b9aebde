#pragma once

#include "menuoptions/menuoptions.h"

#include <QDialog>
#include <QLabel>

#include <array>
#include <functional>

class DesignerContext;
class QLineEdit;
class QPushButton;
class QTabWidget;
class TBitCheckBox;

// A label that reports clicks: the colour panels and the shape's caption.
class ClickableLabel : public QLabel
{
public:
    using QLabel::QLabel;
    std::function<void(QObject *sender)> OnClick;

protected:
    void mousePressEvent(QMouseEvent *event) override;
};

// The shape of the runtime's hints: an ellipse or a rectangle in the hint
// colours.
class THintShape : public QWidget
{
public:
    using QWidget::QWidget;
    bool oval() const { return m_oval; }
    void setOval(bool oval);
    void setColors(const QColor &fill, const QColor &pen);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_oval = true;
    QColor m_fill, m_pen;
};

// "Opcje menu": the menu's identity, titles and description ("Aplikacja"),
// its look and the behaviour of its keys and lists ("Prezencja"). The values
// are MenuOptions; OK applies them to the surface, Anuluj changes nothing.
class TfrmOpcje : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmOpcje(DesignerContext &context, QWidget *parent = nullptr);

    QTabWidget *PageControl1;
    QWidget *TabSheet1, *TabSheet2;
    QLineEdit *edtID, *edtEtykieta, *edtTytul, *edtOpisCD;
    QPushButton *klwOpisCD;
    // In the order of MenuOptions::flagTable().
    std::array<TBitCheckBox *, 12> flagBoxes{};
    ClickableLabel *pnlHintKolor, *pnlHintTextKolor, *Label4, *lblDialog;
    THintShape *HintShape;
    QPushButton *klwOK, *klwAnuluj;

    TBitCheckBox *checkBox(MenuOptions::FlagIndex index) const { return flagBoxes[size_t(index)]; }

    void pnlHintKolorClick(QObject *sender);
    void Label4Click(QObject *sender);
    void lblDialogClick(QObject *sender);
    void klwOpisCDClick(QObject *sender);
    void klwOKClick(QObject *sender);

    // What the controls hold now.
    MenuOptions options() const;

private:
    void FormCreate();
    QWidget *buildApplicationPage();
    QWidget *buildPresencePage();
    void showColors();
    void warn(const QString &text);

    DesignerContext &m_context;
    // The colour texts as read or as chosen since.
    MenuOptions m_colors;
};

// Opens the dialog modally over parent.
void runMenuOptionsDialog(QWidget *parent, DesignerContext &context);
