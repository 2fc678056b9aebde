// What the menu window does when a category key or a program is chosen.
#include "menuwindow.h"

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

std::array<TForm1::ProgramField, 4> TForm1::programFields() const
{
    return {{
        {m_systemField, "SYSTEM_IF_IS", DataFile::Keys::System},
        {m_serialField, "SERIAL_IF_IS", DataFile::Keys::Numer},
        {m_infoField, "PRGINFO_IF_IS", DataFile::Keys::Info},
        {m_sizeField, "SIZE_IF_IS", DataFile::Keys::Rozmiar},
    }};
}

void TForm1::setButtonEnabled(int id, bool enabled)
{
    if (TMenuButton *button = functionButton(id))
        button->setEnabled(enabled);
}

void TForm1::setProgramButtonsEnabled(std::initializer_list<int> ids, bool enabled)
{
    for (int id : ids)
        setButtonEnabled(id, enabled);
}

QString TForm1::dataFileOf(int id) const
{
    return values().text(Sections::Data, QString::number(id), {});
}

bool TForm1::isExistingFile(const QString &stored) const
{
    return !stored.isEmpty() && QFileInfo(values().resolve(stored)).isFile();
}

bool TForm1::isExistingFolder(const QString &stored) const
{
    // An empty value names no folder, although the drive root is one.
    return !stored.isEmpty() && QFileInfo(values().resolve(stored)).isDir();
}

void TForm1::loadDescription(const QString &storedOrText)
{
    if (!m_descriptionMemo)
        return;
    const std::optional<QString> text = Platform::readTextFile(values().resolve(storedOrText));
    m_descriptionMemo->setPlainText(text.value_or(storedOrText));
}

void TForm1::showDescription(bool fromFirstLine)
{
    if (!m_descriptionList)
        return;
    // The memo wraps its words: its lines are the rows of the list's width.
    m_descriptionList->setItems(m_descriptionList->wrapText(m_descriptionMemo->toPlainText()));
    if (!fromFirstLine)
        return;
    m_descriptionList->drawItems(0);
    m_descriptionList->setIncrase(m_descriptionList->visibleCount());
}

void TForm1::resetChoice()
{
    m_context.CurrentProgram.clear();
    if (m_programList)
        m_programList->clearItems();
    for (const ProgramField &entry : programFields()) {
        if (!entry.field)
            continue;
        entry.field->clear();
        entry.field->setVisible(!windowFlag(QLatin1String(entry.flagKey)));
    }
    clearDescription();
}

void TForm1::clearDescription()
{
    if (!m_descriptionMemo)
        return;
    m_descriptionMemo->clear();
    m_descriptionList->clearItems();
}

void TForm1::showCategoryTitle(const QString &title)
{
    if (m_titleLabel)
        m_titleLabel->setText(title.isEmpty() ? m_context.ApplicationTitle : title);
}

void TForm1::showProgramFields(bool visibleByValue)
{
    for (const ProgramField &entry : programFields()) {
        if (!entry.field)
            continue;
        const QString text = m_context.programValue(entry.dataKey);
        entry.field->setText(text);
        if (visibleByValue || windowFlag(QLatin1String(entry.flagKey)))
            entry.field->setVisible(!text.isEmpty());
    }
}

void TForm1::openSubWindow(int id)
{
    // The second-level window is built from this project file and shown in
    // place of the menu window.
    m_context.SubWindowIni = std::make_unique<Platform::ProfileFile>(
        values().path(Sections::NextWindowIni, QString::number(id)));
    m_context.SubWindowKey = QString::number(id);
}

void TForm1::ODCZYTKATEGORI(QObject *sender)
{
    setProgramButtonsEnabled({StartId, CopyId, DescriptionEditId, ScreenshotId, ExploreId}, false);
    const bool oneProgram = windowFlag(QStringLiteral("ONE_PROG_KAT"));
    if (m_programList)
        m_programList->setVisible(!oneProgram);
    if (isHidden())
        show();

    const auto *key = dynamic_cast<TMenuButton *>(sender);
    m_categoryDown = key && key->down();
    const int id = tagOf(sender);
    if (id < 1000)
        return;
    if (values().boolean(Sections::NextWindow, QString::number(id), false)) {
        openSubWindow(id);
        return;
    }

    resetChoice();
    const QString dataFile = dataFileOf(id);
    const DataFile::Header header = DataFile::readHeader(values().resolve(dataFile));
    showCategoryTitle(header.title);
    if (!oneProgram && m_descriptionList) {
        loadDescription(header.description);
        showDescription(true);
    }
    if (dataFile.isEmpty())
        return;

    m_context.CategoryIni = std::make_unique<Platform::ProfileFile>(values().resolve(dataFile));
    const QStringList programs = m_context.CategoryIni->sectionNames();
    if (!oneProgram) {
        if (m_programList)
            m_programList->setItems(programs);
        return;
    }
    if (programs.isEmpty())
        return;
    m_context.CurrentProgram = programs.first();
    chooseOnlyProgram();
}

void TForm1::chooseOnlyProgram()
{
    using namespace DataFile;
    const auto value = [this](const QString &key) { return m_context.programValue(key); };
    setButtonEnabled(StartId, !value(Keys::Setup).isEmpty());
    setButtonEnabled(CopyId, !value(Keys::Katalog).isEmpty());
    setButtonEnabled(DescriptionEditId, !value(Keys::Ambitny).isEmpty());
    setButtonEnabled(ScreenshotId, !value(Keys::Zrzut).isEmpty());
    setButtonEnabled(ExploreId, isExistingFolder(value(Keys::Katalog)));
    loadDescription(value(Keys::Opis));
    showDescription(true);
    showProgramFields(true);
}

void TForm1::LISTA_PRG(QObject *)
{
    using namespace DataFile;
    QApplication::processEvents();
    if (!m_programList || m_programList->itemIndex() < 0)
        return;
    m_context.CurrentProgram = m_programList->items().value(m_programList->itemIndex());
    if (m_descriptionMemo)
        m_descriptionMemo->clear();

    // Without its flag a field keeps its visibility.
    showProgramFields(false);
    const auto value = [this](const QString &key) { return m_context.programValue(key); };
    setButtonEnabled(DescriptionEditId, isExistingFile(value(Keys::Ambitny)));
    setButtonEnabled(StartId, !value(Keys::Setup).isEmpty());
    setButtonEnabled(CopyId, !value(Keys::Katalog).isEmpty());
    setButtonEnabled(ScreenshotId, isExistingFile(value(Keys::Zrzut)));
    setButtonEnabled(ExploreId, isExistingFolder(value(Keys::Katalog)));

    loadDescription(value(Keys::Opis));
    QApplication::processEvents();
    if (m_descriptionList) {
        m_descriptionList->clearItems();
        showDescription(true);
    }
    QApplication::processEvents();
}

void TForm1::OdczytOpisuKategori(QObject *sender)
{
    if (m_categoryDown || sender == m_lastHovered)
        return;
    const bool listOnClick = windowFlag(QStringLiteral("LIST_ON_CLICK"));
    if (!listOnClick && !windowFlag(QStringLiteral("DESC_ON_MOVE"))) {
        m_lastHovered = sender;
        return;
    }
    if (listOnClick && m_programList)
        m_programList->hide();

    const int id = tagOf(sender);
    if (id >= 1000) {
        m_context.CurrentProgram.clear();
        setProgramButtonsEnabled({DescriptionEditId, ScreenshotId}, false);
        for (const ProgramField &entry : programFields()) {
            if (!entry.field)
                continue;
            entry.field->clear();
            const bool flagged = windowFlag(QLatin1String(entry.flagKey));
            if (entry.field == m_systemField || entry.field == m_serialField) {
                if (flagged)
                    entry.field->hide();
            } else {
                entry.field->setVisible(!flagged);
            }
        }
        clearDescription();
    }

    const DataFile::Header header = DataFile::readHeader(values().resolve(dataFileOf(id)));
    showCategoryTitle(header.title);
    loadDescription(header.description);
    showDescription(false);
    m_lastHovered = sender;
}
