#include "propertyeditors/propertyeditors.h"

#include "outside/outsideprograms.h"
#include "project/designercontext.h"
#include "project/openprojectwrite.h"
#include "document/designerproject.h"
#include "propertyeditors/editormessages.h"
#include "propertyeditors/onebitmask.h"
#include "propertyeditors/pickedpaths.h"
#include "propertyeditors/reach.h"
#include "objects/designedits.h"
#include "surface/menusurface.h"

#include <buttons/menubutton.h>
#include <menuobjects/imagewidget.h>
#include <menuobjects/menuobjects.h>
#include <transplist/transplist.h>

#include <datafile/datafile.h>
#include <dialogs.h>
#include <fonts.h>
#include <paths.h>
#include <profilefile.h>
#include <projectfile/projectformat.h>
#include <safefile.h>

#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>

using namespace ProjectFormat;

namespace {

// The names of the undo steps.
namespace Steps {
const QString Caption = QStringLiteral("Edycja tekstu klawisza");
const QString WordWrap = QStringLiteral("Zmiana zawijania tekstu");
const QString GlyphLayout = QStringLiteral("Zmiana położenia bitmapy");
const QString NumGlyphs = QStringLiteral("Zmiana podziału bitmapy");
const QString Hint = QStringLiteral("Edycja podpowiedzi");
const QString Border = QStringLiteral("Zmiana obramowania klawisza");
const QString Size = QStringLiteral("Zmiana rozmiarów");
const QString Position = QStringLiteral("Zmiana położenia");
const QString Alignment = QStringLiteral("Zmiana wyrównania obiektu");
const QString Transparent = QStringLiteral("Zmiana przezroczystości listy");
const QString Tiling = QStringLiteral("Zmiana ułożenia bitmapy");
const QString ObjectColor = QStringLiteral("Zmiana koloru obiektu");
const QString Font = QStringLiteral("Zmiana właściwości czcionki");
const QString FontColor = QStringLiteral("Zmiana koloru czcionki");
const QString SelectedColor = QStringLiteral("Zmiana koloru wybranej pozycji");
const QString Picture = QStringLiteral("Zmiana bitmapy");
const QString Mask = QStringLiteral("Zmiana maski okna");
const QString DataFile = QStringLiteral("Zmiana pliku danych");
const QString NextWindow = QStringLiteral("Zmiana drugiego okna");
} // namespace Steps

const QString BitmapFilter = QStringLiteral("Bitmapy (*.bmp *.BMP)");
const QString DataFilter = QStringLiteral("Pliki danych (*.RV3 *.rv3);;Wszystkie pliki (*)");
const QString NextWindowFilter = QStringLiteral("Pliki konfiguracji (*.KLV *.klv)");
const QString OpenCaption = QStringLiteral("Otwórz");

const QString Tlo = QStringLiteral("Tlo");
const QString ToolsBack = QStringLiteral("ToolsBack");
const QString MaskaSetting = QStringLiteral("Maska");

Platform::TColor toolsColor(const DesignerContext &context)
{
    return context.Design.tools ? context.Design.tools->color : Platform::clBlack;
}

TMenuButton *asKey(QWidget *widget)
{
    return qobject_cast<TMenuButton *>(widget);
}

ButtonEnums::TButtonLayout layoutOfItem(int item)
{
    static const ButtonEnums::TButtonLayout layouts[] = {ButtonEnums::blGlyphLeft, ButtonEnums::blGlyphRight,
                                                          ButtonEnums::blGlyphTop, ButtonEnums::blGlyphBottom};
    return layouts[qBound(0, item, 3)];
}

void clearPicture(TImage *image)
{
    if (image->hasCanvas())
        image->canvas().fill(Qt::transparent);
    image->update();
}

void paintPicture(TImage *image, const QImage &picture, bool tile)
{
    clearPicture(image);
    if (picture.isNull())
        return;
    if (tile)
        image->tile(picture);
    else
        image->stretch(picture);
}

DesignEdits::KeyFile categoryFile(bool dataFile)
{
    return dataFile ? DesignEdits::KeyFile::Data : DesignEdits::KeyFile::NextWindow;
}

} // namespace

PropertyEditors::PropertyEditors(DesignerContext &context)
    : m_context(context)
{
}

QList<QWidget *> PropertyEditors::selected() const
{
    QList<QWidget *> widgets;
    SelectionFrame &selection = m_context.selection();
    for (int i = 0; i < selection.selectedCount(); ++i) {
        if (QWidget *widget = selection.selected(i))
            widgets.append(widget);
    }
    return widgets;
}

QWidget *PropertyEditors::current() const
{
    return m_context.CurrentObject;
}

int PropertyEditors::currentCategoryId() const
{
    const int id = MenuObjects::tagOf(current());
    return asKey(current()) && isCategoryId(id) ? id : 0;
}

void PropertyEditors::committed(const QString &step)
{
    m_context.ProjectModified = true;
    m_context.undo().SaveUndo(step);
}

void PropertyEditors::boundsCommitted(const QString &step)
{
    // The frame is drawn around the bounds the selection had.
    m_context.selection().refit();
    committed(step);
}

QWidget *PropertyEditors::parent() const
{
    if (m_dialogParent)
        return m_dialogParent;
    return m_context.Surface;
}

void PropertyEditors::warn(const QString &text) const
{
    Platform::showMessage(parent(), text, DesignerCaption, Platform::MessageButtons::Ok,
                          Platform::MessageIcon::Warning);
}

void PropertyEditors::edtTekstKeyDown(const QString &text)
{
    for (QWidget *widget : EditReach::keys(selected(), current(), m_context.ClickSelects))
        DesignEdits::changeKey(m_context, asKey(widget), [&text](DesignKey &key) { key.caption = text; });
    committed(Steps::Caption);
}

void PropertyEditors::edtZawijanieTekstuClick(bool wrap)
{
    for (QWidget *widget : EditReach::wordWrap(selected(), current(), m_context.ClickSelects)) {
        DesignEdits::change(m_context, widget, [wrap](DesignEdits::Entry &entry) {
            if (entry.wordWrap)
                *entry.wordWrap = wrap;
        });
    }
    committed(Steps::WordWrap);
}

void PropertyEditors::edtPolozenieClick(int item)
{
    for (QWidget *widget : EditReach::keys(selected(), current(), m_context.ClickSelects))
        DesignEdits::changeKey(m_context, asKey(widget), [item](DesignKey &key) {
            key.layout = MenuObjects::fromButtonLayout(layoutOfItem(item));
        });
    committed(Steps::GlyphLayout);
}

void PropertyEditors::edtNumGlyphsKeyDown(int count, bool enter)
{
    QList<QWidget *> reached;
    if (enter)
        reached = EditReach::keys(selected(), nullptr, true);
    if (!m_context.ClickSelects && asKey(current()) && !reached.contains(current()))
        reached.append(current());
    if (reached.isEmpty())
        return;
    for (QWidget *widget : reached)
        DesignEdits::changeKey(m_context, asKey(widget), [count](DesignKey &key) { key.numGlyphs = qBound(1, count, 5); });
    committed(Steps::NumGlyphs);
}

void PropertyEditors::edtHintKeyDown(const QString &text)
{
    if (!asKey(current()) && !qobject_cast<QLineEdit *>(current()))
        return;
    DesignEdits::change(m_context, current(), [&text](DesignEdits::Entry &entry) {
        if (entry.hint)
            *entry.hint = text;
    });
    committed(Steps::Hint);
}

void PropertyEditors::edtBorderClick(int item)
{
    for (QWidget *widget : EditReach::keys(selected(), current(), m_context.ClickSelects)) {
        DesignEdits::changeKey(m_context, asKey(widget), [item](DesignKey &key) {
            key.noBorder = item == 2; // "Brak" leaves the other flag as it was
            if (item != 2)
                key.newBorder = item == 1;
        });
    }
    committed(Steps::Border);
}

void PropertyEditors::setWidgetSize(QWidget *widget, std::optional<int> width, std::optional<int> height)
{
    TfrmMenu *surface = m_context.Surface;
    // The window itself, and a background that fills it, take the size as
    // the window's client size.
    if (surface && (widget == surface || (widget == surface->Image1 && surface->backgroundAligned()))) {
        const QSize size(width.value_or(surface->width()), height.value_or(surface->height()));
        DesignEdits::setBounds(m_context, surface, QRect(surface->pos(), size));
        return;
    }
    const QSize size(width.value_or(widget->width()), height.value_or(widget->height()));
    DesignEdits::setBounds(m_context, widget, QRect(widget->pos(), size));
}

void PropertyEditors::setWidgetPosition(QWidget *widget, std::optional<int> left, std::optional<int> top)
{
    TfrmMenu *surface = m_context.Surface;
    if (surface && widget == surface->Image1 && surface->backgroundAligned())
        return; // placed by the window it fills
    const QPoint at(left.value_or(widget->x()), top.value_or(widget->y()));
    if (widget == surface)
        widget->move(at); // where the window stands is no part of the design
    else
        DesignEdits::setBounds(m_context, widget, QRect(at, widget->size()));
}

void PropertyEditors::edtSzerKeyDown(int width)
{
    for (QWidget *widget : EditReach::selectionFirst(selected(), current()))
        setWidgetSize(widget, qBound(1, width, 2000), std::nullopt);
    boundsCommitted(Steps::Size);
}

void PropertyEditors::edtWysKeyDown(int height)
{
    for (QWidget *widget : EditReach::selectionFirst(selected(), current()))
        setWidgetSize(widget, std::nullopt, qBound(1, height, 2000));
    boundsCommitted(Steps::Size);
}

void PropertyEditors::edtLewaKeyDown(int left)
{
    for (QWidget *widget : EditReach::selectionFirst(selected(), current()))
        setWidgetPosition(widget, qBound(-100, left, 2000), std::nullopt);
    boundsCommitted(Steps::Position);
}

void PropertyEditors::edtGoraKeyDown(int top)
{
    for (QWidget *widget : EditReach::selectionFirst(selected(), current()))
        setWidgetPosition(widget, std::nullopt, qBound(-100, top, 2000));
    boundsCommitted(Steps::Position);
}

void PropertyEditors::edtWyrownanieClick(const QString &itemText)
{
    TfrmMenu *surface = m_context.Surface;
    auto *image = dynamic_cast<TImage *>(current());
    if (!surface || !image)
        return;
    if (image == surface->Image1) {
        if (itemText != QStringLiteral("Całe okno") && itemText != QStringLiteral("Brak"))
            return;
        surface->setBackgroundAligned(itemText == QStringLiteral("Całe okno"));
    } else {
        static const QHash<QString, TfrmMenu::ToolsAlign> aligns = {
            {QStringLiteral("Do lewej"), TfrmMenu::AlignLeft},   {QStringLiteral("Do prawej"), TfrmMenu::AlignRight},
            {QStringLiteral("Na górze"), TfrmMenu::AlignTop},    {QStringLiteral("Na dole"), TfrmMenu::AlignBottom},
            {QStringLiteral("Brak"), TfrmMenu::AlignNone}};
        const auto align = aligns.find(itemText);
        if (align == aligns.end())
            return;
        surface->setToolsAlign(image, *align);
    }
    committed(Steps::Alignment);
}

void PropertyEditors::edtPrzezroczystyClick(bool transparent)
{
    auto *list = dynamic_cast<TTranspList *>(current());
    if (!list)
        return;
    DesignEdits::change(m_context, list, [transparent](DesignEdits::Entry &entry) {
        if (entry.transparent)
            *entry.transparent = transparent;
    });
    committed(Steps::Transparent);
}

bool PropertyEditors::edtTypUlozeniaClick(int item, const QString &bitmapField)
{
    TfrmMenu *surface = m_context.Surface;
    if (!surface)
        return false;
    TImage *image = dynamic_cast<TImage *>(current());
    const bool background = image == surface->Image1;
    if (!image || (!background && image != m_context.Objects.tools))
        return false;
    QImage picture;
    if (!bitmapField.trimmed().isEmpty()) {
        const QString file = Platform::resolveDocumentPath(m_context.DriveRoot, bitmapField);
        picture = file.isEmpty() ? QImage() : Platform::readPicture(file);
        if (picture.isNull()) {
            warn(EditorMessages::pictureNotLoaded(m_context.DriveRoot + bitmapField));
            return false;
        }
    }
    const bool tile = item == 1;
    if (background) {
        paintPicture(image, picture, tile);
    } else {
        clearPicture(image);
        image->fillRect(QRect(QPoint(0, 0), image->size()), Platform::toQColor(toolsColor(m_context)));
        if (!picture.isNull())
            tile ? image->tile(picture) : image->stretch(picture);
    }
    DesignEdits::setSetting(m_context, background ? QStringLiteral("TILE") : QStringLiteral("TOOLS_TILE"),
                            QString::number(tile ? 1 : 0));
    committed(Steps::Tiling);
    return true;
}

std::optional<QColor> PropertyEditors::edtKolorButtonClick(const QColor &shown)
{
    QWidget *object = current();
    TfrmMenu *surface = m_context.Surface;
    if (!object || !surface)
        return std::nullopt;
    QColor chosen = shown;
    if (!Platform::Dialogs::instance().chooseColor(parent(), chosen))
        return std::nullopt;
    const Platform::TColor color = Platform::fromQColor(chosen);
    const int id = MenuObjects::tagOf(object);
    if (dynamic_cast<TTranspList *>(object) || (qobject_cast<QLineEdit *>(object) && m_context.Objects.field(id))) {
        DesignEdits::setColor(m_context, object, color);
    } else if (object == surface || object == surface->Image1) {
        DesignEdits::setColor(m_context, surface, color);
    } else if (object == m_context.Objects.tools) {
        TImage *tools = m_context.Objects.tools;
        DesignEdits::setColor(m_context, tools, color);
        if (m_context.Design.setting(ToolsBack).isEmpty())
            tools->fillRect(QRect(QPoint(0, 0), tools->size()), chosen);
    } else {
        return std::nullopt;
    }
    committed(Steps::ObjectColor);
    return chosen;
}

std::optional<QColor> PropertyEditors::klwFontKolorClick(const QColor &shown)
{
    QColor chosen = shown;
    if (!Platform::Dialogs::instance().chooseColor(parent(), chosen))
        return std::nullopt;
    const Platform::TColor color = Platform::fromQColor(chosen);
    for (QWidget *widget : EditReach::selectionFirst(selected(), current())) {
        const bool hasFont = asKey(widget) || dynamic_cast<TTranspList *>(widget) || qobject_cast<QLabel *>(widget)
                             || qobject_cast<QLineEdit *>(widget);
        if (!hasFont)
            continue;
        DesignEdits::setFontColor(m_context, widget, color);
        if (MenuObjects::tagOf(widget) == DescriptionId)
            if (auto *description = dynamic_cast<TTranspList *>(widget))
                description->setSelectedColor(color);
    }
    committed(Steps::FontColor);
    return chosen;
}

std::optional<QColor> PropertyEditors::klwSelColorClick()
{
    TTranspList *list = m_context.Objects.list;
    if (!list)
        return std::nullopt;
    QColor chosen = Platform::toQColor(list->selectedColor());
    if (!Platform::Dialogs::instance().chooseColor(parent(), chosen))
        return std::nullopt;
    DesignEdits::change(m_context, list, [&chosen](DesignEdits::Entry &entry) {
        if (entry.selectedColor)
            *entry.selectedColor = Platform::fromQColor(chosen);
    });
    committed(Steps::SelectedColor);
    return chosen;
}

void PropertyEditors::cmbFontClick(const FontChoice &choice)
{
    for (QWidget *widget : EditReach::selectionFirst(selected(), current())) {
        auto *edit = qobject_cast<QLineEdit *>(widget);
        const bool hasFont = edit || asKey(widget) || dynamic_cast<TTranspList *>(widget)
                             || qobject_cast<QLabel *>(widget);
        if (!hasFont)
            continue;
        const DesignEdits::Entry entry = DesignEdits::entryOf(m_context.Design, widget);
        if (!entry.font)
            continue;
        FontSpec font = *entry.font;
        font.name = choice.name;
        if (choice.size > 0)
            font.size = choice.size;
        font.styles = (choice.bold ? FontBold : 0) | (choice.italic ? FontItalic : 0)
                      | (choice.underline ? FontUnderline : 0);
        // A field takes the height of one line of the new font.
        DesignEdits::setFont(m_context, widget, font);
        if (!edit)
            continue;
        edit->setText(QStringLiteral("Tekst próbny: Źg"));
        if (m_context.ClickSelects) {
            SelectionFrame &selection = m_context.selection();
            if (selection.selectedCount() == 1) {
                selection.detachAll();
                selection.attach(edit);
            }
        }
    }
    committed(Steps::Font);
}

std::optional<QString> PropertyEditors::chooseFile(const QString &field, const QString &filter, bool mayBeNew)
{
    const QString start = field.isEmpty() ? m_context.DriveRoot
                                          : Platform::resolveDocumentPath(m_context.DriveRoot, field);
    Platform::Dialogs &dialogs = Platform::Dialogs::instance();
    const QString chosen = mayBeNew ? dialogs.chooseFileOrNew(parent(), OpenCaption, start, filter)
                                    : dialogs.openFile(parent(), OpenCaption, start, filter);
    return PickedPaths::storeChosenOrTell(parent(), m_context.DriveRoot, chosen);
}

// Puts a loaded picture on object (a key's glyph, the background or the
// toolbar strip) and records its stored path; false for other objects.
bool PropertyEditors::showPicture(QWidget *object, const QString &stored, const QImage &picture)
{
    TfrmMenu *surface = m_context.Surface;
    if (TMenuButton *key = asKey(object)) {
        key->setGlyph(picture);
        DesignEdits::setKeyFile(m_context, MenuObjects::tagOf(key), DesignEdits::KeyFile::Glyph, stored);
        return true;
    }
    if (surface && object == surface->Image1) {
        DesignEdits::setSetting(m_context, Tlo, stored);
        paintPicture(surface->Image1, picture, m_context.Design.setting(QStringLiteral("TILE")) == u'1');
        return true;
    }
    if (object && object == m_context.Objects.tools) {
        TImage *tools = m_context.Objects.tools;
        DesignEdits::setSetting(m_context, ToolsBack, stored);
        clearPicture(tools);
        tools->fillRect(QRect(QPoint(0, 0), tools->size()), Platform::toQColor(toolsColor(m_context)));
        if (!picture.isNull()) {
            if (m_context.Design.setting(QStringLiteral("TOOLS_TILE")) == u'1')
                tools->tile(picture);
            else
                tools->stretch(picture);
        }
        return true;
    }
    return false;
}

std::optional<QString> PropertyEditors::edtBitmapaButtonClick(const QString &field)
{
    QWidget *object = current();
    if (!object)
        return std::nullopt;
    const std::optional<QString> stored = chooseFile(field, BitmapFilter);
    if (!stored)
        return std::nullopt;
    const QString file = Platform::resolveDocumentPath(m_context.DriveRoot, *stored);
    const QImage picture = Platform::readPicture(file);
    if (picture.isNull()) {
        warn(EditorMessages::pictureNotLoaded(file));
        return std::nullopt;
    }
    if (!showPicture(object, *stored, picture))
        return std::nullopt;
    committed(Steps::Picture);
    return stored;
}

bool PropertyEditors::edtBitmapaKeyDown(const QString &typed)
{
    QWidget *object = current();
    const PickedPaths::Stored stored = PickedPaths::fromTypedPath(m_context.DriveRoot, typed);
    if (!stored.ok()) {
        warn(stored.error);
        return false;
    }
    QImage picture;
    if (!typed.trimmed().isEmpty()) {
        picture = Platform::readPicture(Platform::resolveDocumentPath(m_context.DriveRoot, typed));
        // The path is kept all the same: the picture may be put there later.
        if (picture.isNull())
            warn(EditorMessages::pictureNotLoaded(m_context.DriveRoot + typed));
    }
    if (!showPicture(object, typed, picture))
        return false;
    committed(Steps::Picture);
    return true;
}

std::optional<QString> PropertyEditors::edtMaskaButtonClick(const QString &field)
{
    TfrmMenu *surface = m_context.Surface;
    if (!surface || current() != surface->Image1)
        return std::nullopt;
    const std::optional<QString> stored = chooseFile(field, BitmapFilter);
    if (!stored)
        return std::nullopt;
    const QString file = Platform::resolveDocumentPath(m_context.DriveRoot, *stored);
    const Platform::ReadResult bytes = Platform::readRegularFile(file, Platform::SizeLimits::Picture);
    const QImage picture = bytes.ok() ? QImage::fromData(bytes.bytes) : QImage();
    if (picture.isNull()) {
        warn(EditorMessages::pictureNotLoaded(file));
        return std::nullopt;
    }
    if (!OneBitMask::isOneBitBitmap(bytes.bytes)) {
        const Platform::MessageAnswer answer =
            Platform::showMessage(parent(), EditorMessages::convertMaskQuestion(), DesignerCaption,
                                  Platform::MessageButtons::YesNoCancel, Platform::MessageIcon::Warning);
        if (answer != Platform::MessageAnswer::Yes)
            return std::nullopt;
        const OneBitMask::Conversion conversion = OneBitMask::convertFile(file, picture);
        if (!conversion.ok()) {
            warn(conversion.error);
            return std::nullopt;
        }
    }
    DesignEdits::setSetting(m_context, MaskaSetting, *stored);
    // The surface takes the new outline at once.
    DesignerProject(m_context).applyMaskFile(*stored);
    committed(Steps::Mask);
    return stored;
}

bool PropertyEditors::edtMaskaKeyDown(const QString &typed)
{
    const PickedPaths::Stored stored = PickedPaths::fromTypedPath(m_context.DriveRoot, typed);
    if (!stored.ok()) {
        warn(stored.error);
        return false;
    }
    DesignEdits::setSetting(m_context, MaskaSetting, typed);
    DesignerProject(m_context).applyMaskFile(typed);
    committed(Steps::Mask);
    return true;
}

std::optional<QString> PropertyEditors::chooseCategoryFile(const QString &field, const QString &filter,
                                                           bool dataFile)
{
    if (!currentCategoryId())
        return std::nullopt;
    const std::optional<QString> stored = chooseFile(field, filter, dataFile);
    if (!stored)
        return std::nullopt;
    return commitCategoryFile(*stored, dataFile);
}

std::optional<QString> PropertyEditors::storedFromField(const QString &typed)
{
    const PickedPaths::Stored stored = PickedPaths::fromField(m_context.DriveRoot, typed);
    if (!stored.ok()) {
        warn(stored.error);
        return std::nullopt;
    }
    return stored.path;
}

std::optional<QString> PropertyEditors::commitTypedCategoryFile(const QString &typed, bool dataFile)
{
    const int id = currentCategoryId();
    if (!id)
        return std::nullopt;
    const std::optional<QString> stored = storedFromField(typed.trimmed());
    if (!stored) // the field shows what the key keeps
        return DesignEdits::keyFile(m_context, id, categoryFile(dataFile));
    return commitCategoryFile(*stored, dataFile);
}

std::optional<QString> PropertyEditors::commitCategoryFile(const QString &stored, bool dataFile)
{
    const int id = currentCategoryId();
    if (!id)
        return std::nullopt;
    DesignEdits::setKeyFile(m_context, id, categoryFile(dataFile), stored);
    committed(dataFile ? Steps::DataFile : Steps::NextWindow);
    return stored;
}

std::optional<QString> PropertyEditors::edtDaneButtonClick(const QString &field)
{
    return chooseCategoryFile(field, DataFilter, true);
}

std::optional<QString> PropertyEditors::edtDaneKeyDown(const QString &typed)
{
    return commitTypedCategoryFile(typed, true);
}

std::optional<QString> PropertyEditors::edtNextINIButtonClick(const QString &field)
{
    return chooseCategoryFile(field, NextWindowFilter, false);
}

std::optional<QString> PropertyEditors::edtNextINIKeyDown(const QString &typed)
{
    return commitTypedCategoryFile(typed, false);
}

void PropertyEditors::chkUseNextIniClick(bool checked)
{
    const int id = currentCategoryId();
    if (!id || !m_context.ProjectIni)
        return;
    if (const Platform::WriteResult written = DesignEdits::setNextWindow(m_context, id, checked); !written.ok())
        tellSaveFailed(parent(), m_context.ProjectIni->fileName(), written.error);
    committed(Steps::NextWindow);
}

bool PropertyEditors::klwRV3Click(const QString &dataField)
{
    if (dataField.isEmpty() || !m_programs)
        return false;
    const std::optional<QString> stored = storedFromField(dataField);
    if (!stored)
        return false;
    const QString file = Platform::resolveDocumentPath(m_context.DriveRoot, *stored);
    if (!QFileInfo(file).isFile()) {
        const int id = currentCategoryId();
        if (!id || QFileInfo::exists(file))
            return m_programs->editDataFile(*stored); // the editor says what is wrong
        if (Platform::showMessage(parent(), EditorMessages::createDataFile(file), DesignerCaption,
                                  Platform::MessageButtons::YesNo, Platform::MessageIcon::Question)
            != Platform::MessageAnswer::Yes)
            return false;
        DataFile::Category category;
        category.title = asKey(current())->caption();
        QDir().mkpath(QFileInfo(file).absolutePath());
        if (const DataFile::Result written = DataFile::write(file, category); !written.ok()) {
            warn(written.message);
            return false;
        }
        if (DesignEdits::keyFile(m_context, id, DesignEdits::KeyFile::Data) != *stored)
            commitCategoryFile(*stored, true);
    }
    return m_programs->editDataFile(*stored);
}

bool PropertyEditors::EdytujBMP(const QString &pictureField)
{
    // A button that does nothing leaves the user guessing: a missing editor
    // is said at once, whatever the row holds.
    if (!m_programs || !m_programs->bitmapEditorFound() || pictureField.isEmpty())
        return false;
    return m_programs->editBitmap(pictureField);
}
