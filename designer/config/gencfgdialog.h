#pragma once

#include "generatorconfig.h"
#include "programlinks.h"

#include <QDialog>

#include <array>

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QWidget;
class TBitCheckBox;
class TMenuButton;

// "Konfiguracja generatora": the ten [PLIKI] paths, the selection and undo
// preferences, and the designer's links on the desktop and in the
// application menu. Confirming applies the preferences to current (the
// designer's values in memory), writes the file and makes the links.
class TfrmGen_CFG : public QDialog
{
    Q_OBJECT

public:
    TfrmGen_CFG(Platform::ProfileFile &cfg, GeneratorConfig &current, const GeneratorConfig &defaults,
                const QString &designerProgram, QWidget *parent = nullptr);
    ~TfrmGen_CFG() override;

    // The components, named as the form has always named them.
    QTabWidget *PageControl1;
    QWidget *tabPliki;
    QWidget *tabPreferencje;
    QLineEdit *edtMENU, *edtZazavaRV3, *edtDirForMenu, *edtDLL, *edtKopia, *edtAutostart, *edtPixanto,
        *edtUnZip, *edtUnRAR, *edtZipdoEXE;
    TMenuButton *BrowseMENU, *BrowseDane, *BrowseDIRCD, *BrowseDLL, *BrowseKopiarka, *BrowseAutoStart,
        *BrowsePixanto, *BrowseUnzip, *BrowseRAR, *BrowseZIpdoEXE;
    TMenuButton *klwKlamraColor, *klwKlamraColorII;
    QFrame *Panel1, *Panel2;
    TBitCheckBox *chkZaznacza, *chkPulpit, *chkStart, *chkAll, *chkMinOnTest;
    QSpinBox *spinMaxUndo;
    QPushButton *BitBtn1, *btnAnuluj;

    // The path field of a [PLIKI] key.
    QLineEdit *fileEdit(GeneratorFile file) const { return m_fileEdits[size_t(file)]; }
    // The colour a panel shows.
    Platform::TColor panelColor(const QFrame *panel) const;

    void klwKlamraColorClick(QObject *sender);
    void Browse(QObject *sender);
    void BrowseDIRCDClick(QObject *sender);
    void BitBtn1Click(QObject *sender);

    // The filter of the browse buttons' open dialog.
    static const QString BrowseFilter;

private:
    void FormCreate();
    QWidget *createFilesPage();
    QWidget *createPreferencesPage();
    QGroupBox *createSelectionGroup();
    QGroupBox *createLinksGroup();
    QGroupBox *createOtherGroup();
    void setPanelColor(QFrame *panel, Platform::TColor color);
    QLineEdit *editOfTag(int tag) const;
    ProgramLinkChoice linkChoice() const;

    Platform::ProfileFile &m_cfg;
    GeneratorConfig &m_current;
    GeneratorConfig m_defaults;
    QString m_designerProgram;
    std::array<QLineEdit *, GeneratorFileCount> m_fileEdits{};
};

// Opens the configuration dialog modally over parent, a new one each time;
// true when the user confirmed it. cfg is the designer's open settings file,
// current its settings in memory (changed only on confirmation).
bool showGeneratorConfigDialog(QWidget *parent, Platform::ProfileFile &cfg, GeneratorConfig &current);
