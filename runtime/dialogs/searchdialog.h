#pragma once

#include <projectfile/projectformat.h>

#include <QDialog>
#include <QList>
#include <QString>

#include <optional>

class QLabel;
class QLineEdit;
class RuntimeContext;
class MenuWindows;
class THListBox;
class TMenuButton;

// One program found by the search: its name (the section in its data file),
// the category key of the menu's [DATA] line and that line's data file, as
// stored.
struct SearchHit {
    QString program;
    QString tag;
    QString dataFile;
    bool operator==(const SearchHit &) const = default;
};

// Where a found program is shown: the category of the menu window, and the
// category of the second-level window that this one opens, 0 when the
// program's data file belongs to the menu window itself.
struct SearchTarget {
    int menuTag = 0;
    int subTag = 0;
    QString program;
    bool operator==(const SearchTarget &) const = default;
};

namespace ProgramSearch {

// Every program of every data file of the menu's [DATA] whose name holds
// searched, without regard to letter case; in the order of [DATA] and of
// each file. Nothing for an empty text.
QList<SearchHit> find(const ProjectFormat::ProjectValues &menu, const QString &searched);

// The window and category that show a found program: the first second-level
// file of [NEXT_WINDOW_INI] that lists its data file, else the menu window.
// Data-file paths compare without regard to letter case and separators.
SearchTarget locate(const ProjectFormat::ProjectValues &menu, const SearchHit &hit);

// Opens the target's category (in the second-level window when it has one
// there) and selects the program in its list. A second-level window already
// open on the right category is used as it is.
void goTo(MenuWindows &menu, const SearchTarget &target);

} // namespace ProgramSearch

// The search dialog: part of a program's name, the programs found, and
// "Idź do" to lead the menu to one of them. The dialog only chooses; the
// caller goes to the chosen program once it is closed.
class T_Szukaj : public QDialog
{
    Q_OBJECT
public:
    T_Szukaj(QWidget *owner, const RuntimeContext &context);

    void klwFindClick(QObject *sender);
    void klwGoToClick(QObject *sender);
    void klwAnulujClick(QObject *sender);

    // The hit chosen with "Idź do"; nothing before or without one.
    std::optional<SearchHit> chosen() const { return m_chosen; }
    const QList<SearchHit> &hits() const { return m_hits; }

    QLabel *lblWpisz = nullptr;
    QLineEdit *edtSzukany = nullptr;
    THListBox *lstZnalezione = nullptr;
    TMenuButton *klwFind = nullptr;
    TMenuButton *klwGoTo = nullptr;
    TMenuButton *klwAnuluj = nullptr;


private:
    const RuntimeContext &m_context;
    // Parallel to the lines of lstZnalezione.
    QList<SearchHit> m_hits;
    std::optional<SearchHit> m_chosen;
};
