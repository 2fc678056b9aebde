// The plain commits of the inspector's editors: each reaches the current
// object (the size, position and font rows every selected object), marks
// the project modified and records one undo step.
#include "objectinspector.h"

#include "inspector/inspectortexts.h"
#include "surface/designobjects.h"
#include "objects/designedits.h"
#include "objects/objectstyle.h"
#include "project/designercontext.h"
#include "project/openprojectwrite.h"
#include "surface/menusurface.h"

#include <buttons/menubutton.h>
#include <buttons/toolbarbutton.h>
#include <lists/linkedit.h>
#include <menuobjects/imagewidget.h>
#include <menuobjects/menuobjects.h>
#include <transplist/transplist.h>

#include <dialogs.h>
#include <fonts.h>
#include <paths.h>
#include <safefile.h>
#include <projectfile/projectformat.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

using namespace InspectorModel;
using namespace ProjectFormat;
using DesignEdits::Entry;
using MenuObjects::tagOf;

namespace {

// An undo step named after its row.
QString rowStep(TfrmObiekty::Row row)
{
    QString caption = QString::fromUtf8(specOf(row).caption);
    if (caption.endsWith(u':'))
        caption.chop(1);
    return caption;
}

TMenuButton *asKey(QWidget *object)
{
    return qobject_cast<TMenuButton *>(object);
}

} // namespace

void TfrmObiekty::committed(const QString &step)
{
    m_context.ProjectModified = true;
    m_context.undo().SaveUndo(step);
}

QList<QWidget *> TfrmObiekty::reachedBySelection() const
{
    QList<QWidget *> reached;
    SelectionFrame &selection = m_context.selection();
    for (int index = 0; index < selection.selectedCount(); ++index) {
        if (QWidget *control = selection.selected(index))
            reached.append(control);
    }
    if (reached.isEmpty() && m_context.CurrentObject)
        reached.append(m_context.CurrentObject);
    return reached;
}

void TfrmObiekty::commitText(Row row, const QString &text)
{
    QWidget *current = m_context.CurrentObject;
    TMenuButton *key = asKey(current);
    switch (row) {
    case Row::Tekst:
        if (key)
            DesignEdits::changeKey(m_context, key, [&text](DesignKey &entry) { entry.caption = text; });
        committed(InspectorTexts::stepCaption());
        Odczyt_NILS();
        selectCurrentEntry();
        return;
    case Row::Hint:
        DesignEdits::change(m_context, current, [&text](Entry &entry) {
            if (entry.hint)
                *entry.hint = text;
        });
        committed(InspectorTexts::stepHint());
        return;
    case Row::Bitmapa: {
        const QString stored = text.trimmed();
        if (key) {
            DesignEdits::setKeyFile(m_context, tagOf(key), DesignEdits::KeyFile::Glyph, stored);
            key->setGlyph(Platform::readPicture(Platform::resolveDocumentPath(m_context.DriveRoot, stored)));
        } else if (classOf(current) == ObjectClass::Image) {
            const bool background = tagOf(current) == BackId;
            DesignEdits::setSetting(m_context, background ? QStringLiteral("Tlo") : QStringLiteral("ToolsBack"),
                                    stored);
            auto *image = static_cast<TImage *>(current);
            const QImage picture = Platform::readPicture(Platform::resolveDocumentPath(m_context.DriveRoot, stored));
            if (picture.isNull()) {
                image->canvas() = QImage();
                image->update();
            } else {
                image->stretch(picture);
            }
        } else {
            return;
        }
        committed(rowStep(row));
        return;
    }
    case Row::Maska:
        DesignEdits::setSetting(m_context, QStringLiteral("Maska"), text.trimmed());
        committed(rowStep(row));
        return;
    default:
        // The data file and second window take only what their dialogs chose.
        return;
    }
}

void TfrmObiekty::commitNumber(Row row, int value)
{
    const bool size = row == Row::Szer || row == Row::Wys;
    if (row == Row::NumGlyphs) {
        if (TMenuButton *key = asKey(m_context.CurrentObject))
            DesignEdits::changeKey(m_context, key, [value](DesignKey &entry) { entry.numGlyphs = value; });
        committed(rowStep(row));
        return;
    }
    if (!size && row != Row::Lewa && row != Row::Gora)
        return;
    for (QWidget *object : reachedBySelection()) {
        QRect bounds = object->geometry();
        switch (row) {
        case Row::Szer: bounds.setWidth(value); break;
        case Row::Wys: bounds.setHeight(value); break;
        case Row::Lewa: bounds.moveLeft(value); break;
        default: bounds.moveTop(value); break;
        }
        DesignEdits::setBounds(m_context, object, bounds);
    }
    committed(size ? InspectorTexts::stepSize() : InspectorTexts::stepPosition());
}

void TfrmObiekty::commitChoice(Row row, int index, const QString &text)
{
    QWidget *current = m_context.CurrentObject;
    TMenuButton *key = asKey(current);
    QString step = rowStep(row);
    switch (row) {
    case Row::ZawijanieTekstu:
        DesignEdits::change(m_context, current, [index](Entry &entry) {
            if (entry.wordWrap)
                *entry.wordWrap = index == 0;
        });
        break;
    case Row::Polozenie: {
        static const TButtonLayout layouts[] = {blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom};
        if (key && index >= 0 && index < 4)
            DesignEdits::changeKey(m_context, key, [index](DesignKey &entry) {
                entry.layout = MenuObjects::fromButtonLayout(layouts[index]);
            });
        break;
    }
    case Row::Border:
        if (key)
            DesignEdits::changeKey(m_context, key, [index](DesignKey &entry) {
                entry.noBorder = index == 2;
                if (index != 2)
                    entry.newBorder = index == 1;
            });
        step = InspectorTexts::stepBorder();
        break;
    case Row::Wyrownanie:
        if (classOf(current) == ObjectClass::Image && m_context.Surface) {
            if (tagOf(current) == BackId) {
                m_context.Surface->setBackgroundAligned(text == InspectorTexts::wholeWindow());
            } else {
                static const TfrmMenu::ToolsAlign aligns[] = {TfrmMenu::AlignLeft, TfrmMenu::AlignRight,
                                                              TfrmMenu::AlignTop, TfrmMenu::AlignBottom,
                                                              TfrmMenu::AlignNone, TfrmMenu::AlignNone};
                const int known = int(InspectorTexts::alignments().indexOf(text));
                if (known >= 0)
                    m_context.Surface->setToolsAlign(current, aligns[known]);
            }
        }
        break;
    case Row::Przezroczysty:
        DesignEdits::change(m_context, current, [index](Entry &entry) {
            if (entry.transparent)
                *entry.transparent = index == 0;
        });
        break;
    case Row::TypUlozenia:
        if (classOf(current) == ObjectClass::Image && index >= 0) {
            const bool background = tagOf(current) == BackId;
            DesignEdits::setSetting(m_context, background ? QStringLiteral("TILE") : QStringLiteral("TOOLS_TILE"),
                                    QString::number(index));
            const QImage picture = Platform::readPicture(
                Platform::resolveDocumentPath(m_context.DriveRoot, edtBitmapa->text().trimmed()));
            auto *image = static_cast<TImage *>(current);
            if (!picture.isNull())
                index == 1 ? image->tile(picture) : image->stretch(picture);
        }
        break;
    default: return;
    }
    committed(step);
}

void TfrmObiekty::commitColour(Row)
{
    QWidget *current = m_context.CurrentObject;
    const ObjectClass kind = classOf(current);
    if (kind == ObjectClass::None || kind == ObjectClass::Key || kind == ObjectClass::Label)
        return;
    QColor chosen = Platform::toQColor(m_objectColor);
    if (!Platform::Dialogs::instance().chooseColor(this, chosen))
        return;
    const Platform::TColor color = Platform::fromQColor(chosen);
    if (kind == ObjectClass::Window || tagOf(current) == BackId) {
        if (m_context.Surface)
            DesignEdits::setColor(m_context, m_context.Surface, color);
    } else {
        DesignEdits::setColor(m_context, current, color);
        if (tagOf(current) == ToolsId && m_context.Design.setting(QStringLiteral("ToolsBack")).isEmpty())
            static_cast<TImage *>(current)->fillRect(current->rect(), chosen);
    }
    showObjectColor(color);
    committed(InspectorTexts::stepColor());
}

void TfrmObiekty::commitFile(Row row)
{
    QString filter = InspectorTexts::bitmapFilter();
    QString caption = InspectorTexts::bitmapDialogCaption();
    if (row == Row::Dane) {
        filter = InspectorTexts::dataFilter();
        caption = InspectorTexts::dataDialogCaption();
    } else if (row == Row::NextIni) {
        filter = InspectorTexts::nextWindowFilter();
        caption = InspectorTexts::nextWindowDialogCaption();
    }
    auto *field = static_cast<QLineEdit *>(editor(row));
    const QString start = Platform::resolveDocumentPath(m_context.DriveRoot, field->text().trimmed());
    const QString chosen = Platform::Dialogs::instance().openFile(this, caption, start, filter);
    if (chosen.isEmpty())
        return;
    const QString stored = Platform::toStoredPath(m_context.DriveRoot, chosen);
    field->setText(stored);
    const int id = tagOf(m_context.CurrentObject);
    switch (row) {
    case Row::Bitmapa:
    case Row::Maska: commitText(row, stored); return;
    case Row::Dane:
        if (rowApplies(row, m_context.CurrentObject))
            DesignEdits::setKeyFile(m_context, id, DesignEdits::KeyFile::Data, stored);
        break;
    case Row::NextIni:
        if (rowApplies(row, m_context.CurrentObject))
            DesignEdits::setKeyFile(m_context, id, DesignEdits::KeyFile::NextWindow, stored);
        break;
    default: return;
    }
    committed(rowStep(row));
}

void TfrmObiekty::saveFontOf(QWidget *object)
{
    const Entry entry = DesignEdits::entryOf(m_context.Design, object);
    if (!entry.font)
        return;
    FontSpec font = *entry.font;
    // The placeholder of a font this machine lacks is no font name: the
    // object keeps its own, and a size that is no number keeps its size.
    font.name = committedFamily(cmbFont->currentText(), font.name);
    if (const std::optional<int> size = fontSize(cmbFontSize->currentText()))
        font.size = *size;
    font.styles = (klwBold->down() ? FontBold : 0) | (klwItalic->down() ? FontItalic : 0)
                  | (klwUnder->down() ? FontUnderline : 0);
    DesignEdits::setFont(m_context, object, font);
    if (auto *edit = qobject_cast<QLineEdit *>(object)) {
        DesignObjectCreators::NapiszProbke(edit);
        // The selection frame follows the field's new height.
        if (m_context.ClickSelects && m_context.selection().selectedCount() == 1) {
            m_context.selection().detachAll();
            m_context.selection().attach(edit);
        }
    }
}

void TfrmObiekty::commitFont(QObject *)
{
    for (QWidget *object : reachedBySelection()) {
        const ObjectClass kind = classOf(object);
        if (kind == ObjectClass::Key || kind == ObjectClass::List || kind == ObjectClass::Edit
            || kind == ObjectClass::Label)
            saveFontOf(object);
    }
    committed(InspectorTexts::stepFont());
}

void TfrmObiekty::commitFontColour(QObject *sender)
{
    if (sender == klwSelColor) {
        TTranspList *list = m_context.Objects.list;
        if (!list)
            return;
        QColor chosen = Platform::toQColor(list->selectedColor());
        if (!Platform::Dialogs::instance().chooseColor(this, chosen))
            return;
        DesignEdits::change(m_context, list, [&chosen](Entry &entry) {
            if (entry.selectedColor)
                *entry.selectedColor = Platform::fromQColor(chosen);
        });
        QPalette palette = pnlSelKolor->palette();
        palette.setColor(QPalette::Window, chosen);
        pnlSelKolor->setPalette(palette);
        list->update();
        committed(InspectorTexts::selectedColorHint().section(u'\n', 0, 0));
        return;
    }
    QColor chosen = Platform::toQColor(m_fontColor);
    if (!Platform::Dialogs::instance().chooseColor(this, chosen))
        return;
    const Platform::TColor color = Platform::fromQColor(chosen);
    showFontColor(color);
    for (QWidget *object : reachedBySelection()) {
        const ObjectClass kind = classOf(object);
        if (kind != ObjectClass::Key && kind != ObjectClass::List && kind != ObjectClass::Edit
            && kind != ObjectClass::Label)
            continue;
        DesignEdits::setFontColor(m_context, object, color);
        if (tagOf(object) == DescriptionId)
            static_cast<TTranspList *>(object)->setSelectedColor(color);
    }
    committed(InspectorTexts::fontColorHint());
}

void TfrmObiekty::commitNextWindow(bool checked)
{
    QWidget *current = m_context.CurrentObject;
    if (!m_context.ProjectIni || !rowApplies(Row::NextIni, current))
        return;
    const Platform::WriteResult written = DesignEdits::setNextWindow(m_context, tagOf(current), checked);
    if (!written.ok())
        tellSaveFailed(this, m_context.ProjectIni->fileName(), written.error);
    committed(rowStep(Row::NextIni));
}
