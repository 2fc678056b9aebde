#include "searchdialog.h"

#include "dialogtexts.h"
#include "dialogstyle.h"
#include "menuwindow/menuview.h"
#include "startup/runtimecontext.h"

#include <buttons/menubutton.h>
#include <datafile/datafile.h>
#include <lists/horlistbox.h>
#include <menuobjects/menuobjects.h>
#include <transplist/transplist.h>

#include <profilefile.h>

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace ProjectFormat;

namespace ProgramSearch {

namespace {

// A data-file path as a key: one separator kind, no leading separator,
// letter case folded, so "dane/gry.rv3" names "DANE\GRY.RV3".
QString pathKey(const QString &stored)
{
    QString key = stored.trimmed();
    key.replace(u'/', u'\\');
    while (key.contains(QStringLiteral("\\\\")))
        key.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
    while (key.startsWith(u'\\'))
        key.remove(0, 1);
    return key.toCaseFolded();
}

int tagNumber(const QString &key)
{
    bool ok = false;
    const int tag = key.trimmed().toInt(&ok);
    return ok ? tag : 0;
}

// The "key=value" lines of a section as pairs, in file order.
QList<std::pair<QString, QString>> sectionLines(const Platform::ProfileFile &file, const QString &section)
{
    QList<std::pair<QString, QString>> lines;
    for (const QString &key : file.keyNames(section))
        lines.append({key, file.readString(section, key, {})});
    return lines;
}

template<typename Action> void quietly(Action action)
{
    // A category that fails to open leaves the menu as it is.
    try {
        action();
    } catch (...) {
    }
}

void selectProgram(MenuView &window, const QString &program)
{
    TTranspList *list = window.controls().programList;
    if (!list)
        return;
    const int index = int(list->items().indexOf(program));
    if (index < 0)
        return;
    list->setItemIndex(index);
    window.LISTA_PRG(list);
}

void openCategory(MenuView &window, int tag)
{
    for (TMenuButton *key : window.controls().categoryKeys) {
        if (MenuObjects::tagOf(key) == tag)
            quietly([&] { window.ODCZYTKATEGORI(key); });
    }
}

} // namespace

QList<SearchHit> find(const ProjectValues &menu, const QString &searched)
{
    QList<SearchHit> hits;
    const QString needle = searched.toLower();
    if (needle.isEmpty())
        return hits;
    for (const auto &[tag, dataFile] : sectionLines(menu.file(), Sections::Data)) {
        const DataFile::ReadResult category = DataFile::read(menu.resolve(dataFile));
        for (const DataFile::Program &program : category.category.programs) {
            if (program.name.toLower().contains(needle))
                hits.append({program.name, tag, dataFile});
        }
    }
    return hits;
}

SearchTarget locate(const ProjectValues &menu, const SearchHit &hit)
{
    const QString wanted = pathKey(hit.dataFile);
    for (const auto &[menuTag, windowFile] : sectionLines(menu.file(), Sections::NextWindowIni)) {
        const Platform::ProfileFile window(menu.resolve(windowFile));
        for (const auto &[subTag, dataFile] : sectionLines(window, Sections::Data)) {
            if (pathKey(dataFile) == wanted)
                return {tagNumber(menuTag), tagNumber(subTag), hit.program};
        }
    }
    return {tagNumber(hit.tag), 0, hit.program};
}

void goTo(MenuWindows &menu, const SearchTarget &target)
{
    if (target.subTag == 0) {
        openCategory(menu.menuView(), target.menuTag);
        selectProgram(menu.menuView(), target.program);
        return;
    }
    // The search may run in that very window: opening its category again
    // would close it and open another.
    MenuView *open = menu.subWindowOpenedBy(target.menuTag);
    if (!open || !open->widget().isVisible())
        openCategory(menu.menuView(), target.menuTag);
    MenuView *second = menu.subWindowOpenedBy(target.menuTag);
    if (!second)
        return;
    openCategory(*second, target.subTag);
    selectProgram(*second, target.program);
}

} // namespace ProgramSearch

T_Szukaj::T_Szukaj(QWidget *owner, const RuntimeContext &context)
    : QDialog(owner)
    , m_context(context)
{
    setObjectName(QStringLiteral("_Szukaj"));
    setWindowTitle(DialogTexts::SearchCaption);

    lblWpisz = new QLabel(DialogTexts::SearchPrompt, this);
    lblWpisz->setObjectName(QStringLiteral("lblWpisz"));
    edtSzukany = new QLineEdit(this);
    edtSzukany->setObjectName(QStringLiteral("edtSzukany"));
    lstZnalezione = new THListBox(this);
    lstZnalezione->setObjectName(QStringLiteral("lstZnalezione"));
    klwFind = DialogStyle::button(this, QStringLiteral("klwFind"), DialogTexts::Find);
    klwGoTo = DialogStyle::button(this, QStringLiteral("klwGoTo"), DialogTexts::GoTo);
    klwAnuluj = DialogStyle::button(this, QStringLiteral("klwAnuluj"), DialogTexts::Cancel);
    klwFind->OnClick = [this](QObject *sender) { klwFindClick(sender); };
    klwGoTo->OnClick = [this](QObject *sender) { klwGoToClick(sender); };
    klwAnuluj->OnClick = [this](QObject *sender) { klwAnulujClick(sender); };
    // Enter in the box searches, as the "Znajdź" button does.
    connect(edtSzukany, &QLineEdit::returnPressed, this, [this] { klwFindClick(edtSzukany); });
    connect(lstZnalezione, &QListWidget::itemDoubleClicked, this, [this] { klwGoToClick(lstZnalezione); });

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(klwFind);
    buttons->addWidget(klwGoTo);
    buttons->addStretch();
    buttons->addWidget(klwAnuluj);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblWpisz);
    layout->addWidget(edtSzukany);
    layout->addWidget(lstZnalezione);
    layout->addLayout(buttons);
    resize(360, 300);

    // The menu's colours, whichever window asks.
    const ProjectValues menu = context.menuValues();
    DialogStyle::paint(this, menu.color(Sections::Window, QStringLiteral("COLOR"), Platform::clBlack),
                       menu.color(Sections::Window, QStringLiteral("KOPIA_FONT_COLOR"), Platform::clBlack),
                       {lblWpisz, klwFind, klwGoTo, klwAnuluj});
    edtSzukany->setFocus();
}

void T_Szukaj::klwFindClick(QObject *)
{
    lstZnalezione->clearItems();
    m_hits = ProgramSearch::find(m_context.menuValues(), edtSzukany->text());
    for (const SearchHit &hit : std::as_const(m_hits))
        lstZnalezione->addItem(hit.program);
}

void T_Szukaj::klwGoToClick(QObject *)
{
    const int row = lstZnalezione->currentRow();
    if (row < 0 || row >= m_hits.size() || !lstZnalezione->currentItem()->isSelected())
        return;
    m_chosen = m_hits.at(row);
    accept();
}

void T_Szukaj::klwAnulujClick(QObject *)
{
    reject();
}
