#include "propertyeditors/inspectoreditors.h"

#include "inspector/objectinspector.h"
#include "propertyeditors/propertyeditors.h"

#include <buttons/menubutton.h>
#include <buttons/toolbarbutton.h>
#include <lists/linkedit.h>

#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSpinBox>

#include <optional>

namespace {

using Row = InspectorModel::Row;

const QString Yes = QStringLiteral("TAK");

void showInField(QLineEdit *field, const std::optional<QString> &text)
{
    if (text)
        field->setText(*text);
}

void commitText(TfrmObiekty &inspector, PropertyEditors &editors, Row row, const QString &text)
{
    switch (row) {
    case Row::Tekst:
        editors.edtTekstKeyDown(text);
        // The object list names category keys by their captions.
        inspector.OdczytWlasciwosci(editors.currentObject());
        return;
    case Row::Hint: editors.edtHintKeyDown(text); return;
    case Row::Bitmapa: editors.edtBitmapaKeyDown(text.trimmed()); return;
    case Row::Maska: editors.edtMaskaKeyDown(text.trimmed()); return;
    case Row::Dane: showInField(inspector.edtDane, editors.edtDaneKeyDown(text)); return;
    case Row::NextIni: showInField(inspector.edtNextINI, editors.edtNextINIKeyDown(text)); return;
    default: return;
    }
}

void commitNumber(PropertyEditors &editors, Row row, int value)
{
    switch (row) {
    case Row::NumGlyphs: editors.edtNumGlyphsKeyDown(value, true); return;
    case Row::Szer: editors.edtSzerKeyDown(value); return;
    case Row::Wys: editors.edtWysKeyDown(value); return;
    case Row::Lewa: editors.edtLewaKeyDown(value); return;
    case Row::Gora: editors.edtGoraKeyDown(value); return;
    default: return;
    }
}

void commitChoice(TfrmObiekty &inspector, PropertyEditors &editors, Row row, int index, const QString &text)
{
    switch (row) {
    case Row::ZawijanieTekstu: editors.edtZawijanieTekstuClick(text == Yes); return;
    case Row::Polozenie: editors.edtPolozenieClick(index); return;
    case Row::TypUlozenia: editors.edtTypUlozeniaClick(index, inspector.edtBitmapa->text().trimmed()); return;
    case Row::Border: editors.edtBorderClick(index); return;
    case Row::Wyrownanie: editors.edtWyrownanieClick(text); return;
    case Row::Przezroczysty: editors.edtPrzezroczystyClick(text == Yes); return;
    default: return;
    }
}

void commitFile(TfrmObiekty &inspector, PropertyEditors &editors, Row row)
{
    switch (row) {
    case Row::Bitmapa:
        showInField(inspector.edtBitmapa, editors.edtBitmapaButtonClick(inspector.edtBitmapa->text().trimmed()));
        return;
    case Row::Maska:
        showInField(inspector.edtMaska, editors.edtMaskaButtonClick(inspector.edtMaska->text().trimmed()));
        return;
    case Row::Dane:
        showInField(inspector.edtDane, editors.edtDaneButtonClick(inspector.edtDane->text().trimmed()));
        return;
    case Row::NextIni:
        showInField(inspector.edtNextINI, editors.edtNextINIButtonClick(inspector.edtNextINI->text().trimmed()));
        return;
    default: return;
    }
}

void commitFont(TfrmObiekty &inspector, PropertyEditors &editors)
{
    PropertyEditors::FontChoice font;
    QWidget *current = editors.currentObject();
    font.name = InspectorModel::committedFamily(inspector.cmbFont->currentText(),
                                                current ? current->font().family() : QString());
    font.size = InspectorModel::fontSize(inspector.cmbFontSize->currentText()).value_or(0);
    font.bold = inspector.klwBold->down();
    font.italic = inspector.klwItalic->down();
    font.underline = inspector.klwUnder->down();
    editors.cmbFontClick(font);
}

void commitFontColour(TfrmObiekty &inspector, PropertyEditors &editors, QObject *sender)
{
    if (sender == inspector.klwSelColor) {
        if (const std::optional<QColor> chosen = editors.klwSelColorClick()) {
            QPalette palette = inspector.pnlSelKolor->palette();
            palette.setColor(QPalette::Window, *chosen);
            inspector.pnlSelKolor->setPalette(palette);
        }
        return;
    }
    if (const std::optional<QColor> chosen = editors.klwFontKolorClick(Platform::toQColor(inspector.fontColor())))
        inspector.showFontColor(Platform::fromQColor(*chosen));
}

void startOutsideEditor(TfrmObiekty &inspector, PropertyEditors &editors, QObject *sender)
{
    if (sender == inspector.klwRV3)
        editors.klwRV3Click(inspector.edtDane->text().trimmed());
    else if (sender == inspector.MenuButton1)
        editors.EdytujBMP(inspector.edtBitmapa->text().trimmed());
    else if (sender == inspector.klwEditBMPMaska)
        editors.EdytujBMP(inspector.edtMaska->text().trimmed());
}

// While clicks do not select, any key in the glyph count (an arrow, a
// digit) gives the current key the count at once; Enter is the row's own
// commit.
class GlyphCountKeys : public QObject
{
public:
    GlyphCountKeys(QSpinBox *box, PropertyEditors &editors)
        : QObject(box)
        , m_box(box)
        , m_editors(editors)
    {
        box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::KeyRelease) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key != Qt::Key_Return && key != Qt::Key_Enter)
                m_editors.edtNumGlyphsKeyDown(m_box->value(), false);
        }
        return false;
    }

private:
    QSpinBox *m_box;
    PropertyEditors &m_editors;
};

} // namespace

void installPropertyEditors(TfrmObiekty &inspector, PropertyEditors &editors)
{
    TfrmObiekty *window = &inspector;
    PropertyEditors *handlers = &editors;
    TfrmObiekty::Commits &commits = inspector.commits;
    commits.text = [window, handlers](Row row, const QString &text) { commitText(*window, *handlers, row, text); };
    commits.number = [handlers](Row row, int value) { commitNumber(*handlers, row, value); };
    commits.choice = [window, handlers](Row row, int index, const QString &text) {
        commitChoice(*window, *handlers, row, index, text);
    };
    commits.colour = [window, handlers](Row) {
        if (const std::optional<QColor> chosen =
                handlers->edtKolorButtonClick(Platform::toQColor(window->objectColor())))
            window->showObjectColor(Platform::fromQColor(*chosen));
    };
    commits.file = [window, handlers](Row row) { commitFile(*window, *handlers, row); };
    commits.font = [window, handlers](QObject *) { commitFont(*window, *handlers); };
    commits.fontColour = [window, handlers](QObject *sender) { commitFontColour(*window, *handlers, sender); };
    commits.nextWindow = [handlers](bool checked) { handlers->chkUseNextIniClick(checked); };
    commits.outsideEditor = [window, handlers](QObject *sender) { startOutsideEditor(*window, *handlers, sender); };
    new GlyphCountKeys(inspector.edtNumGlyphs, editors);
}
