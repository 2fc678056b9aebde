#pragma once

#include <QList>
#include <QStringList>

#include <optional>

class DesignerContext;
class QLabel;
class QLineEdit;
class QWidget;
class TImage;
class TMenuButton;
class TTranspList;

// The creators of design objects: each puts one object of its kind on the
// design surface at the click point, with its id, caption and the designer's
// defaults, and makes it the current object. A function key or single object
// that is already there is not made again (nullptr).
class DesignObjectCreators
{
public:
    explicit DesignObjectCreators(DesignerContext &context);

    // The creator of a palette kind (PaletteKinds).
    QWidget *create(int kind);

    TMenuButton *DodajKlawisz();
    // A category key with a given id (an undo step brings a key back); none
    // when the id is not a free category id.
    TMenuButton *DodajKlawisz(int id);
    TMenuButton *DodajKlawisz_Start();
    TMenuButton *DodajKlawisz_Kopiuj();
    TMenuButton *DodajKlawisz_OPIS();
    TMenuButton *DodajKlawisz_Exploracja();
    TMenuButton *DodajKlawiszInformacja_o();
    TMenuButton *DodajKlawisz_Koniec();
    TMenuButton *Dodaj_Szukaj();
    TMenuButton *DodajKlawiszEdycji();
    TMenuButton *DodajKlawiszMIN();
    TMenuButton *DodajKlawisz_Muzyka();
    TMenuButton *Dodaj_Zrzuty();
    TMenuButton *DodajKlawisz_Opcje();
    TTranspList *DodajListeProgramow();
    QLineEdit *DodajNumerySeryjne();
    QLineEdit *DodajWymaganySystem();
    QLineEdit *DodajPRGInfo();
    QLineEdit *DodajRozmiar();
    TImage *Dodaj_PASEK();
    TTranspList *DodajOpisProgramow();
    QLabel *DodajEtykiete_Tytul();

    // The id of a new category key next to the ids in use: the largest + 1,
    // stepping over the single objects' ids 1500-1508; past 9999 the lowest
    // free id; nothing when every id is taken.
    static std::optional<int> nextCategoryId(const QList<int> &usedIds);

    // The sample text of an edit, and its height from its own font.
    static void NapiszProbke(QLineEdit *edit);

    static QStringList listSampleLines();
    static QStringList descriptionSampleLines();

private:
    TMenuButton *createFunctionKey(int id);
    // A key with its new entry in the design.
    TMenuButton *createKey(int id, const QString &caption, const QString &hint = {});
    QLineEdit *createField(int id);
    TTranspList *createList(int id, const QStringList &lines);
    template<typename Entry>
    Entry newListEntry() const;
    // A glyph left for the id in the glyph list; false when it would not load.
    bool loadRememberedGlyph(TMenuButton *key, int id);
    void makeCurrent(QWidget *object);

    DesignerContext &m_context;
};
