#pragma once

#include "project/projectfiles.h"
#include "templates/templatestore.h"

#include <QDialog>
#include <QImage>

#include <functional>
#include <optional>

class QLabel;
class QPushButton;
class QTabWidget;
class QWidget;
class THCheckListBox;
class THListBox;

// What the chooser needs from the designer around it.
struct TemplateChooserSetup {
    QString userDir;    // holds the user's "Szablony" (the designer's data folder)
    QString programDir; // holds the shipped "Szablony" (the program's folder)
    QString driveRoot;  // completes the stored paths of the file list
    ProjectFiles::ConfiguredFiles configured;
    // The save question about the open project; false stops the command.
    std::function<bool()> saveQuestion = [] { return true; };
    // Opens the new project made from a template.
    std::function<void(const QString &fileName)> openProject = [](const QString &) {};
    std::function<void()> showHelp = [] {};
    // The picture on the clipboard; a null image when it holds none.
    std::function<QImage()> clipboardImage;
};

// "Wybierz szablon menu": the templates by name with a preview, the files a
// template names, a new project from a template, deleting a template and a
// preview taken from the clipboard.
class TfrmSzablon : public QDialog
{
    Q_OBJECT

public:
    TfrmSzablon(QWidget *parent, TemplateChooserSetup setup);

    QTabWidget *Pages = nullptr;
    QWidget *tabNazwy = nullptr;
    QWidget *tabPliki = nullptr;
    THListBox *ListaNazw = nullptr;
    THCheckListBox *Lista = nullptr;
    QLabel *Panel = nullptr;
    QLabel *Image1 = nullptr;
    QPushButton *klwOk = nullptr;
    QPushButton *klwUsun = nullptr;
    QPushButton *klwZrzut = nullptr;
    QPushButton *klwAnuluj = nullptr;
    QPushButton *klwHelp = nullptr;

    // Handlers (the sender first).
    void PreviewSzablon(QObject *sender);
    void klwOkClick(QObject *sender);
    void klwUsunClick(QObject *sender);
    void klwZrzutClick(QObject *sender);
    void PagesChange(QObject *sender);

    const QList<Templates::Template> &templates() const { return m_templates; }
    // The template selected in the list, if any.
    std::optional<Templates::Template> selected() const;
    // The picture the preview shows; null while it shows the text.
    QImage previewShown() const { return m_preview; }

private:
    void buildForm();
    void FormCreate();
    void fillNames();
    void showPreview(const QImage &picture);
    void updateButtons();
    // The selected template while it is still there; a message and a fresh
    // list otherwise.
    std::optional<Templates::Template> selectedStillThere();
    QString askTargetFile();
    void tell(const QString &text);

    TemplateChooserSetup m_setup;
    QList<Templates::Template> m_templates;
    QImage m_preview;
};

// Opens the chooser modally; it is gone when this returns.
void runTemplateChooser(QWidget *parent, TemplateChooserSetup setup);
