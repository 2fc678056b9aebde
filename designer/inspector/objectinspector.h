#pragma once

#include "inspector/inspectormodel.h"
#include "project/designerservices.h"

#include <projectfile/menudesign.h>

#include <colors.h>

#include <QMap>
#include <QWidget>

#include <functional>

class DesignerContext;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTabWidget;
class QTimer;
class QToolButton;
class TBitCheckBox;
class TLinkEdit;
class TMenuButton;
class TToolbarButton;

namespace Platform {
class ProfileFile;
}

// "Obiekty menu": the object palette and the property inspector in one tool
// window. The first two pages hold the palette's toggle buttons, which
// choose the object the next click on the design surface places; the third
// shows the current object's properties in rows that the user drags up and
// down. Above the pages, a combo box lists the objects of the surface.
class TfrmObiekty : public QWidget, public ObjectPalette, public ObjectInspector
{
public:
    using Row = InspectorModel::Row;

    explicit TfrmObiekty(DesignerContext &context, QWidget *parent = nullptr);
    // Dodorurav.cfg, where the window keeps its place ([OBIEKTY]): the
    // window takes the place stored there.
    void setConfig(Platform::ProfileFile *cfg);
    ~TfrmObiekty() override;

    QLabel *Label1;
    QComboBox *cmbObiekty;
    QTabWidget *PageControl1;
    QWidget *tabKlawisze, *tabInne, *tabWlasciwosci;
    // The font strip.
    QWidget *fontStrip;
    QComboBox *cmbFontSize, *cmbFont;
    TToolbarButton *klwBold, *klwItalic, *klwUnder, *klwFontKolor, *klwSelColor;
    QFrame *kolor, *pnlSelKolor;
    // The rows.
    QWidget *scrollObjekty, *pnlObiekty;
    QLineEdit *edtTekst, *edtHint;
    QComboBox *edtZawijanieTekstu, *edtPolozenie, *edtTypUlozenia, *edtBorder, *edtWyrownanie, *edtPrzezroczysty;
    TLinkEdit *edtBitmapa, *edtDane, *edtNextINI, *edtMaska, *edtKolor;
    QSpinBox *edtNumGlyphs, *edtSzer, *edtWys, *edtLewa, *edtGora;
    TMenuButton *MenuButton1, *klwRV3, *klwEditBMPMaska;
    TBitCheckBox *chkUseNextIni;
    QToolButton *klwZeruj, *klwDownRight;
    QTimer *Timer1;

    QLabel *captionPanel(Row row) const { return m_captions.value(row); }
    QWidget *editor(Row row) const { return m_editors.value(row); }
    // The palette button of a kind (PaletteKinds); nullptr for none.
    TMenuButton *paletteButton(int kind) const { return m_paletteButtons.value(kind); }
    // Every font name the font box offers.
    QStringList fontNames() const { return m_fontNames; }
    // The colour the colour row and the font colour panel show.
    Platform::TColor objectColor() const { return m_objectColor; }
    Platform::TColor fontColor() const { return m_fontColor; }
    void showObjectColor(Platform::TColor color);
    void showFontColor(Platform::TColor color);

    // The palette.
    bool isDown(int kind) const override;
    void releaseAll() override;
    void setDown(int kind, bool down);

    // The inspector.
    void showInspector() override;
    void showProperties(QWidget *object) override { OdczytWlasciwosci(object); }
    void setPictureFields(const QString &background, const QString &mask) override;
    void showSurfaceBounds(int width, int height, int top, int left) override;
    void showBounds(QWidget *object) override;

    void OdczytWlasciwosci(QWidget *object);
    void Odczyt_NILS() override;
    void CzyszczenieWylaczanie();
    void PageControl1Change();
    void Timer1Timer();
    void cmbObiektyClick(QObject *sender);
    void klwZerujClick(QObject *sender);
    void FormResize();

    // Row drag, in pnlObiekty's coordinates.
    void rowsMouseDown(int y);
    void rowsMouseMove(int y);
    void rowsMouseUp();
    bool rowsDragging() const { return m_rowsDragging; }

    // What a committed editor does. Each kind of editor hands its value to
    // one of these; they start with the plain commits below and may be
    // replaced by fuller editors. Each commit marks the project modified and
    // records one undo step.
    struct Commits {
        std::function<void(Row, const QString &)> text;         // Enter in a text or path field
        std::function<void(Row, int)> number;                   // Enter in a number field
        std::function<void(Row, int, const QString &)> choice;  // a click on a choice
        std::function<void(Row)> colour;                        // the colour row's button
        std::function<void(Row)> file;                          // a path row's button
        std::function<void(QObject *)> font;                    // the font and size boxes, B, I, U
        std::function<void(QObject *)> fontColour;              // the two font colour buttons
        std::function<void(bool)> nextWindow;                   // the second window tick
        std::function<void(QObject *)> outsideEditor;           // the RV3 and BMP buttons
    };
    Commits commits;
    // The plain commits.
    void commitText(Row row, const QString &text);
    void commitNumber(Row row, int value);
    void commitChoice(Row row, int index, const QString &text);
    void commitColour(Row row);
    void commitFile(Row row);
    void commitFont(QObject *sender);
    void commitFontColour(QObject *sender);
    void commitNextWindow(bool checked);

    // The main window's hint window (its Asystuj); the main window unticks
    // its menu item on OnClose.
    std::function<void(const QString &key)> OnHint;
    std::function<void()> OnClose;

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildPalette();
    QWidget *buildPalettePage(const QList<int> &basic, const QList<int> &optional, const QString &box);
    QWidget *buildFontStrip(QWidget *parent);
    void buildRows();
    QWidget *buildEditor(Row row);
    void buildCaptionExtras();
    void connectEditors();
    void place();
    void fillFonts();
    void readEntry(QWidget *object);
    void readFont(const ProjectFormat::FontSpec &font);
    void readKey(const ProjectFormat::DesignKey &key);
    void readImage(QWidget *image);
    void selectCurrentEntry();
    // Marks the project modified and records one undo step.
    void committed(const QString &step);
    QList<QWidget *> reachedBySelection() const;
    void saveFontOf(QWidget *object);

    DesignerContext &m_context;
    Platform::ProfileFile *m_cfg = nullptr;
    QMap<int, TMenuButton *> m_paletteButtons;
    QMap<Row, QLabel *> m_captions;
    QMap<Row, QWidget *> m_editors;
    QList<QPointer<QWidget>> m_entries;
    QStringList m_fontNames;
    Platform::TColor m_objectColor = Platform::clWindow;
    Platform::TColor m_fontColor = Platform::clWindowText;
    bool m_filling = false;
    bool m_rowsDragging = false;
    int m_rowsDragStartY = 0;
};
