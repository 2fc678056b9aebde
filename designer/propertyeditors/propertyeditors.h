#pragma once

#include <QColor>
#include <QList>
#include <QPointer>
#include <QString>

#include <optional>

class DesignerContext;
class OutsidePrograms;
class QWidget;

// What the inspector's editors do when the user commits them: each handler
// takes the editor's value, changes the objects it reaches (EditReach) and
// the project's lists and settings, then marks the project modified and
// records one undo step. The file and colour dialogs go through
// Platform::Dialogs; a handler that opens one returns what its field is to
// show, or nothing when the dialog was cancelled or the choice refused.
class PropertyEditors
{
public:
    explicit PropertyEditors(DesignerContext &context);

    // The starter of the data and bitmap editors (none: the buttons do
    // nothing) and the parent of dialogs and messages.
    void setOutsidePrograms(OutsidePrograms *programs) { m_programs = programs; }
    void setDialogParent(QWidget *parent) { m_dialogParent = parent; }
    // The object the inspector shows.
    QWidget *currentObject() const { return current(); }

    // Keys and labels.
    void edtTekstKeyDown(const QString &text);
    void edtZawijanieTekstuClick(bool wrap);
    // 0 "Po lewej", 1 "Po prawej", 2 "Na górze", 3 "Na dole".
    void edtPolozenieClick(int item);
    // Enter reaches the selected keys; while clicks do not select, any key
    // also reaches the current key.
    void edtNumGlyphsKeyDown(int count, bool enter);
    void edtHintKeyDown(const QString &text);
    // 0 "Widoczne", 1 "Stale widoczne", 2 "Brak".
    void edtBorderClick(int item);

    // Size and position.
    void edtSzerKeyDown(int width);
    void edtWysKeyDown(int height);
    void edtLewaKeyDown(int left);
    void edtGoraKeyDown(int top);

    // Images and lists; itemText is the combo's text.
    void edtWyrownanieClick(const QString &itemText);
    void edtPrzezroczystyClick(bool transparent);
    // 0 "Rozciągnięta", 1 "Sąsiadująco"; bitmapField: the picture field's
    // stored path. False when a named picture does not load (nothing changes).
    bool edtTypUlozeniaClick(int item, const QString &bitmapField);

    // Colours: the chosen colour, for the field or panel that shows it.
    std::optional<QColor> edtKolorButtonClick(const QColor &shown);
    std::optional<QColor> klwFontKolorClick(const QColor &shown);
    std::optional<QColor> klwSelColorClick();

    struct FontChoice
    {
        QString name;
        int size = 8;
        bool bold = false;
        bool italic = false;
        bool underline = false;
    };
    void cmbFontClick(const FontChoice &font);

    // Glyph of a key, picture of the background or the toolbar strip.
    std::optional<QString> edtBitmapaButtonClick(const QString &field);
    bool edtBitmapaKeyDown(const QString &typed);
    // The window mask of the background; offers the 1-bit conversion.
    std::optional<QString> edtMaskaButtonClick(const QString &field);
    bool edtMaskaKeyDown(const QString &typed);

    // Data file and second window of a category key. The dialog takes a
    // new name too (the data file is made with the RV3 button). Enter
    // commits the typed path, stored from the CD folder; one the project
    // cannot store (outside the CD folder, climbing above it) is refused
    // with a message and the key's stored value comes back to the field.
    std::optional<QString> edtDaneButtonClick(const QString &field);
    std::optional<QString> edtDaneKeyDown(const QString &typed);
    std::optional<QString> edtNextINIButtonClick(const QString &field);
    std::optional<QString> edtNextINIKeyDown(const QString &typed);
    void chkUseNextIniClick(bool checked);

    // The outside editors on the file of a field; false when not started.
    // A data file that does not exist yet is offered to be made (empty,
    // titled with the key's caption) and becomes the key's data file.
    bool klwRV3Click(const QString &dataField);
    bool EdytujBMP(const QString &pictureField);

private:
    QList<QWidget *> selected() const;
    QWidget *current() const;
    int currentCategoryId() const;
    void committed(const QString &step);
    // A size or position commit: the selection frame is laid anew too.
    void boundsCommitted(const QString &step);
    void warn(const QString &text) const;
    QWidget *parent() const;
    std::optional<QString> chooseFile(const QString &field, const QString &filter, bool mayBeNew = false);
    // The stored form of a path typed into a field (relative, or absolute
    // inside the CD folder); nothing, after the message, when refused.
    std::optional<QString> storedFromField(const QString &typed);
    std::optional<QString> commitTypedCategoryFile(const QString &typed, bool dataFile);
    void setWidgetSize(QWidget *widget, std::optional<int> width, std::optional<int> height);
    void setWidgetPosition(QWidget *widget, std::optional<int> left, std::optional<int> top);
    bool showPicture(QWidget *object, const QString &stored, const QImage &picture);
    std::optional<QString> chooseCategoryFile(const QString &field, const QString &filter,
                                              bool dataFile);
    std::optional<QString> commitCategoryFile(const QString &stored, bool dataFile);

    DesignerContext &m_context;
    OutsidePrograms *m_programs = nullptr;
    QPointer<QWidget> m_dialogParent;
};
