#pragma once

#include <colors.h>

#include <QDialog>
#include <QPoint>

class QPlainTextEdit;
class RuntimeContext;
class TControlShaper;
class TImage;
class TTranspList;

// The information window of the CD: a text of the menu's author, laid out
// by the menu's [INFOCD] keys, on a window that a mask may shape. Enter,
// Esc or a double click close it; dragging moves it.
class TfrmInfoCD : public QDialog
{
    Q_OBJECT
public:
    // color: the menu window's; size: the window's size without a mask.
    TfrmInfoCD(QWidget *owner, const RuntimeContext &context, Platform::TColor color, const QSize &size);

    // The text shown: "INFOCD.TXT" beside the runtime, else the file PLIK
    // names, else PLIK itself.
    static QString infoText(const RuntimeContext &context);

    TImage *Image1 = nullptr;
    TTranspList *TranspList1 = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    TControlShaper *ControlShaper1 = nullptr;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void applyFont();
    void applyShape();
    void placeText();
    void showText();
    void startDrag();
    void drag();
    void endDrag() { m_dragging = false; }

    const RuntimeContext &m_context;
    bool m_dragging = false;
    QPoint m_dragStartPointer;
    QPoint m_dragStartWindow;
};
