#pragma once

#include "generation/generationengine.h"

#include <QDialog>
#include <QPixmap>

#include <functional>

class DesignerContext;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTabWidget;
class TBitCheckBox;
class TBrowseFolder;
class THCheckListBox;
class TMenuButton;

// "Generowanie MENU": the folders of the CD, the files the project names and
// where they go, and what AUTORUN.INF starts. OK generates through the
// engine; the dialog shows the copy's progress itself.
class TfrmGeneruj : public QDialog
{
    Q_OBJECT

public:
    TfrmGeneruj(QWidget *parent, DesignerContext &context, const GeneratorConfig &settings);

    QLineEdit *edtKatalogMenu = nullptr;
    QLineEdit *edtKatalogMulti = nullptr;
    QLineEdit *edtKatalogDane = nullptr;
    TMenuButton *BrowseMenu = nullptr;
    TMenuButton *BrowseMulti = nullptr;
    TMenuButton *BrowseDane = nullptr;
    TBrowseFolder *BrowseFld = nullptr;
    QTabWidget *PageControl1 = nullptr;
    QWidget *tabSource = nullptr;
    QWidget *tabTarget = nullptr;
    QWidget *tabAutoStart = nullptr;
    THCheckListBox *Lista = nullptr;
    THCheckListBox *ListaTarget = nullptr;
    QLabel *Image = nullptr;
    TBitCheckBox *BitCheckBox1 = nullptr;
    QLineEdit *edtPlikIkony = nullptr;
    QPushButton *BrowseICO = nullptr;
    QListWidget *ListaIkon = nullptr;
    TBitCheckBox *chkAuto = nullptr;
    TBitCheckBox *chkMenu = nullptr;
    QLabel *lblAutoGo = nullptr;
    QLabel *lblNoAutostart = nullptr;
    QLabel *lblProgress = nullptr;
    QProgressBar *Progress = nullptr;
    QPushButton *klwOK = nullptr;
    QPushButton *klwAnuluj = nullptr;

    // Handlers (the sender first).
    void OdczytPlikow();
    void PageControl1Change(QObject *sender);
    void klwOKClick(QObject *sender);
    void klwAnulujClick(QObject *sender);
    void Slesze();
    void ListaClick(QObject *sender);
    void BrowseICOClick(QObject *sender);
    void ListaIkonChange(QObject *sender);

    // The engine's view of the fields.
    Generation::Folders folders() const;
    const std::vector<Generation::SourceLine> &sources() const { return m_sources; }
    // What the last generation reported.
    const Generation::Report &lastReport() const { return m_report; }

    // The key passed to the designer's hint assistant for a control; empty
    // for controls without one.
    static QString hintKeyOf(const QObject *control);
    // The mouse came over a control with a hint key.
    std::function<void(QObject *sender, const QString &key)> OnHintKey;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildForm();
    QWidget *buildSourcePage();
    QWidget *buildTargetPage();
    QWidget *buildAutorunPage();
    void fillTargetList();
    void browseFolder(QLineEdit *field, const QString &title);
    void showPreview(const QString &path);
    bool showProgress(const QString &title, int done, int total, const QString &name);
    QString iconFile() const;

    DesignerContext &m_context;
    GeneratorConfig m_settings;
    std::vector<Generation::SourceLine> m_sources;
    QPixmap m_preview;
    Generation::Report m_report;
    Generation::ProgressPacer m_progressPacer;
};

// Ctrl+F9 of the main window: asks to save unsaved changes, then shows the
// dialog modally; true when a CD folder was generated.
bool runGenerationDialog(QWidget *parent, DesignerContext &context, GeneratorConfig &settings);
