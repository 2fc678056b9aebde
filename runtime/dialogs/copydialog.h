#pragma once

#include <colors.h>

#include <QDialog>

#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class RuntimeContext;
class TDirTree;
class TMenuButton;
struct ProgramChoice;

// Copying the chosen program's folder to the user's disk: the dialog picks
// the target folder, makes it, and hands the copy to the copier "KOPIA.EXE"
// beside the runtime, with the program's folder as "#1..." and the target
// as "#2...".
class T_frmKopia : public QDialog
{
    Q_OBJECT
public:
    static inline const QString CopierName = QStringLiteral("KOPIA.EXE");

    // home: where targets start (the user's own folder). treeStart: the
    // folder the tree opens; nothing keeps the tree's own start folder.
    T_frmKopia(QWidget *owner, const RuntimeContext &context, const ProgramChoice &choice, const QString &home,
               const std::optional<QString> &treeStart, Platform::TColor color, Platform::TColor fontColor);

    // The target first proposed: home joined with KOPIA when it is not
    // empty, else home's "CDROM" folder joined with KOPIA, or with the
    // program's name when the program has no KOPIA at all.
    static QString proposedTarget(const QString &home, const std::optional<QString> &kopia, const QString &program);
    // The target after a folder was chosen in the tree ("?" for none:
    // nothing changes), with the subfolder joined when it is asked for.
    static std::optional<QString> chosenTarget(const QString &selected, bool subfolder, const QString &subfolderName);
    // The folder an edited target names: one trailing separator cut; nothing
    // for an empty or relative path.
    static std::optional<QString> targetFolder(const QString &edited);

    void dirtree1Change(QObject *sender);
    void klwOKClick(QObject *sender);
    void klwAnulujClick(QObject *sender);

    QLabel *lblDocelowy = nullptr;
    QLabel *lblNazwa = nullptr;
    TDirTree *dirtree1 = nullptr;
    QCheckBox *chkPodkatalog = nullptr;
    QLineEdit *edtKatalog = nullptr;
    TMenuButton *klwOK = nullptr;
    TMenuButton *klwAnuluj = nullptr;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    // KOPIA of the program, its name when it has none.
    QString subfolderName() const;
    void refuse(const QString &target);
    bool startCopier(const QString &target);

    const RuntimeContext &m_context;
    const ProgramChoice &m_choice;
};
