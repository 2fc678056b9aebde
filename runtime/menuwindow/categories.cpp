// What the menu window does when a category key or a program is chosen.
#include "menuwindowbase.h"

#include "startup/runtimecontext.h"

#include <buttons/menubutton.h>
#include <menuobjects/imagewidget.h>
#include <menuobjects/menuobjects.h>
#include <datafile/datafile.h>
#include <transplist/transplist.h>

#include <paths.h>
#include <textfile.h>

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

using namespace ProjectFormat;
using MenuObjects::tagOf;

std::array<TMenuWindowBase::ProgramField, 4> TMenuWindowBase::programFields() const
{
    return {{
        {m_controls.systemField, "SYSTEM_IF_IS", DataFile::Keys::System},
        {m_controls.serialField, "SERIAL_IF_IS", DataFile::Keys::Numer},
        {m_controls.infoField, "PRGINFO_IF_IS", DataFile::Keys::Info},
        {m_controls.sizeField, "SIZE_IF_IS", DataFile::Keys::Rozmiar},
    }};
}

void TMenuWindowBase::setButtonEnabled(int id, bool enabled)
{
    if (TMenuButton *button = m_controls.functionButton(id))
        button->setEnabled(enabled);
}

void TMenuWindowBase::setProgramButtonsEnabled(std::initializer_list<int> ids, bool enabled)
{
    for (int id : ids)
        setButtonEnabled(id, enabled);
}

QString TMenuWindowBase::dataFileOf(int id) const
{
    return values().text(Sections::Data, QString::number(id), {});
}

bool TMenuWindowBase::isExistingFile(const QString &stored) const
{
    return !stored.isEmpty() && QFileInfo(values().resolve(stored)).isFile();
}

bool TMenuWindowBase::isExistingFolder(const QString &stored) const
{
    // An empty value names no folder, although the drive root is one.
    return !stored.isEmpty() && QFileInfo(values().resolve(stored)).isDir();
}

void TMenuWindowBase::loadDescription(const QString &storedOrText)
{
    if (!m_controls.descriptionMemo)
        return;
    const std::optional<QString> text = Platform::readTextFile(values().resolve(storedOrText));
    m_controls.descriptionMemo->setPlainText(text.value_or(storedOrText));
}

void TMenuWindowBase::showDescription(bool fromFirstLine)
{
    TTranspList *list = m_controls.descriptionList;
    if (!list)
        return;
    // The memo wraps its words: its lines are the rows of the list's width.
    list->setItems(list->wrapText(m_controls.descriptionMemo->toPlainText()));
    if (!fromFirstLine)
        return;
    list->drawItems(0);
    list->setIncrase(list->visibleCount());
}

void TMenuWindowBase::resetChoice()
{
    m_choice.CurrentProgram.clear();
    if (m_controls.programList)
        m_controls.programList->clearItems();
    for (const ProgramField &entry : programFields())
        resetField(entry.field, QLatin1String(entry.flagKey), m_kind.categoryReset);
    clearDescription();
}

void TMenuWindowBase::resetField(QLineEdit *field, const QString &flagKey, MenuWindowKind::FieldReset reset)
{
    if (!field)
        return;
    field->clear();
    const bool flagged = windowFlag(flagKey);
    const bool systemOrSerial = field == m_controls.systemField || field == m_controls.serialField;
    if (reset == MenuWindowKind::FieldReset::KeepSystemAndSerial && systemOrSerial) {
        if (flagged)
            field->hide();
    } else {
        field->setVisible(!flagged);
    }
}

void TMenuWindowBase::clearDescription()
{
    if (!m_controls.descriptionMemo)
        return;
    m_controls.descriptionMemo->clear();
    m_controls.descriptionList->clearItems();
}

void TMenuWindowBase::showCategoryTitle(const QString &title)
{
    if (m_controls.titleLabel)
        m_controls.titleLabel->setText(title.isEmpty() ? m_context.ApplicationTitle : title);
}

void TMenuWindowBase::showProgramFields(bool visibleByValue)
{
    for (const ProgramField &entry : programFields()) {
        if (!entry.field)
            continue;
        const QString text = m_choice.programValue(entry.dataKey);
        entry.field->setText(text);
        if (visibleByValue || windowFlag(QLatin1String(entry.flagKey)))
            entry.field->setVisible(!text.isEmpty());
    }
}

void TMenuWindowBase::openSubWindow(int)
{
}

void TMenuWindowBase::showForCategoryClick()
{
    show();
}

void TMenuWindowBase::ODCZYTKATEGORI(QObject *sender)
{
    setProgramButtonsEnabled({StartId, CopyId, DescriptionEditId, ScreenshotId, ExploreId}, false);
    const bool oneProgram = windowFlag(QStringLiteral("ONE_PROG_KAT"));
    if (m_controls.programList)
        m_controls.programList->setVisible(!oneProgram);
    if (isHidden())
        showForCategoryClick();

    const auto *key = dynamic_cast<TMenuButton *>(sender);
    m_categoryDown = key && key->down();
    const int id = tagOf(sender);
    if (id < 1000)
        return;
    if (m_kind.opensSubWindow && values().boolean(Sections::NextWindow, QString::number(id), false)) {
        openSubWindow(id);
        return;
    }

    resetChoice();
    const QString dataFile = dataFileOf(id);
    const DataFile::Header header = DataFile::readHeader(values().resolve(dataFile));
    showCategoryTitle(header.title);
    if (!oneProgram && m_controls.descriptionList) {
        loadDescription(header.description);
        showDescription(true);
    }
    if (dataFile.isEmpty())
        return;

    m_choice.CategoryIni = std::make_unique<Platform::ProfileFile>(values().resolve(dataFile));
    const QStringList programs = m_choice.CategoryIni->sectionNames();
    if (!oneProgram) {
        if (m_controls.programList)
            m_controls.programList->setItems(programs);
        return;
    }
    if (programs.isEmpty())
        return;
    m_choice.CurrentProgram = programs.first();
    chooseOnlyProgram();
}

void TMenuWindowBase::chooseOnlyProgram()
{
    using namespace DataFile;
    const auto value = [this](const QString &key) { return m_choice.programValue(key); };
    setButtonEnabled(StartId, !value(Keys::Setup).isEmpty());
    setButtonEnabled(CopyId, !value(Keys::Katalog).isEmpty());
    setButtonEnabled(DescriptionEditId, !value(Keys::Ambitny).isEmpty());
    setButtonEnabled(ScreenshotId, !value(Keys::Zrzut).isEmpty());
    setButtonEnabled(ExploreId, isExistingFolder(value(Keys::Katalog)));
    loadDescription(value(Keys::Opis));
    showDescription(true);
    showProgramFields(true);
}

void TMenuWindowBase::LISTA_PRG(QObject *)
{
    using namespace DataFile;
    QApplication::processEvents();
    if (!m_controls.programList || m_controls.programList->itemIndex() < 0)
        return;
    m_choice.CurrentProgram = m_controls.programList->items().value(m_controls.programList->itemIndex());
    if (m_controls.descriptionMemo)
        m_controls.descriptionMemo->clear();

    // Without its flag a field keeps its visibility.
    showProgramFields(false);
    const auto value = [this](const QString &key) { return m_choice.programValue(key); };
    setButtonEnabled(DescriptionEditId, isExistingFile(value(Keys::Ambitny)));
    setButtonEnabled(StartId, !value(Keys::Setup).isEmpty());
    setButtonEnabled(CopyId, !value(Keys::Katalog).isEmpty());
    setButtonEnabled(ScreenshotId, isExistingFile(value(Keys::Zrzut)));
    setButtonEnabled(ExploreId, isExistingFolder(value(Keys::Katalog)));

    loadDescription(value(Keys::Opis));
    QApplication::processEvents();
    if (m_controls.descriptionList) {
        m_controls.descriptionList->clearItems();
        showDescription(true);
    }
    QApplication::processEvents();
}

void TMenuWindowBase::OdczytOpisuKategori(QObject *sender)
{
    if (m_categoryDown || sender == m_lastHovered)
        return;
    const bool listOnClick = windowFlag(QStringLiteral("LIST_ON_CLICK"));
    if (!listOnClick && !windowFlag(QStringLiteral("DESC_ON_MOVE"))) {
        m_lastHovered = sender;
        return;
    }
    if (listOnClick && m_controls.programList)
        m_controls.programList->hide();

    const int id = tagOf(sender);
    if (id >= 1000) {
        m_choice.CurrentProgram.clear();
        setProgramButtonsEnabled({DescriptionEditId, ScreenshotId}, false);
        for (const ProgramField &entry : programFields())
            resetField(entry.field, QLatin1String(entry.flagKey), m_kind.hoverReset);
        clearDescription();
    }

    const DataFile::Header header = DataFile::readHeader(values().resolve(dataFileOf(id)));
    showCategoryTitle(header.title);
    loadDescription(header.description);
    showDescription(m_kind.hoverRedrawsDescription);
    m_lastHovered = sender;
}
