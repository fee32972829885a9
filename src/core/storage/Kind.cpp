#include "Kind.h"

#include <stdexcept>

namespace {
using Role = FieldSpec::Role;

// Whether the export grid lets the user change a column.
constexpr bool kEditable = true;
constexpr bool kFixed = false;

QVector<FieldSpec> withAttachments(QVector<FieldSpec> fields)
{
    for (const char* name : {"File01", "File02", "File03", "Desc01", "Desc02", "Desc03"})
        fields.append({QString::fromLatin1(name), 250, {}, Role::Attachment});
    return fields;
}
} // namespace

const RecordLayout& bookLayout()
{
    static const RecordLayout layout(withAttachments({
        {"Titolo", 120, "Titolo libro:"},
        {"Autore", 50, "Autore:"},
        {"Nazione", 50, "Nazione:"},
        {"Anno", 20, "Anno pubblicazione:"},
        {"Editore", 50, "Casa editrice:"},
        {"Citta", 50, "Città pubblicazione:"},
        {"Dewey", 12, "Codice Dewey:"},
        {"Genere", 50, "Genere:"},
        {"ISBN", 20, "ISBN:"},
        {"Lingua", 50, "Lingua:"},
        {"Originale", 120, "Titolo originale:"},
        {"Traduttore", 50, "Traduttore:"},
        {"Collana", 120, "Collana:"},
        {"Curatore", 50, "Curatore:"},
        {"Posizione", 120, "Posizione su scaffale:"},
        {"Etichetta", 50, "Codice su etichetta:"},
        {"Formato", 50, "Formato:"},
        {"Volumi", 50, "Volumi:"},
        {"Pagine", 20, "Pagine:"},
        {"Prezzo", 20, "Prezzo:"},
        {"Giudizio", 250, "Giudizio:"},
        {"Note", 250, {}},
    }));
    return layout;
}

const RecordLayout& comicLayout()
{
    static const RecordLayout layout(withAttachments({
        {"Titolo", 120, "Titolo fumetto:"},
        {"Numero", 20, "Numero albo:"},
        {"Autore", 50, "Autore:"},
        {"Nazione", 50, "Nazione:"},
        {"Data", 20, "Data pubblicazione:"},
        {"Editore", 50, "Casa editrice:"},
        {"Citta", 50, "Città pubblicazione:"},
        {"Direttore", 50, "Direttore:"},
        {"Genere", 50, "Genere:"},
        {"Disegnatore", 50, "Disegnatore:"},
        {"Lingua", 50, "Lingua:"},
        {"Storia", 250, "Storia narrata (sintesi):"},
        {"Personaggi", 250, "Personaggi:"},
        {"Contenuti", 250, "Contenuti extra:"},
        {"Posizione", 120, "Posizione su scaffale:"},
        {"Etichetta", 50, "Codice su etichetta:"},
        {"Formato", 50, "Formato:"},
        {"Stato", 50, "Stato conservazione:"},
        {"Pagine", 20, "Pagine:"},
        {"Prezzo", 20, "Prezzo:"},
        {"Giudizio", 250, "Giudizio:"},
        {"Note", 250, {}},
        {"Mancante", 2, "Albo mancante", Role::Flag},
    }));
    return layout;
}

const RecordLayout& dvdLayout()
{
    static const RecordLayout layout(withAttachments({
        {"Titolo", 120, "Titolo DVD:"},
        {"Regista", 50, "Regista:"},
        {"Nazione", 50, "Nazione:"},
        {"Anno", 20, "Anno produzione:"},
        {"Protagonista", 50, "Protagonista:"},
        {"Cast", 250, "Cast:"},
        {"Genere", 50, "Genere:"},
        {"Distribuzione", 50, "Distribuzione:"},
        {"Lingua", 50, "Lingua originale:"},
        {"Originale", 120, "Titolo originale:"},
        {"AltreLingue", 250, "Altre lingue:"},
        {"Collana", 120, "Collana:"},
        {"Sottotitoli", 250, "Sottotitoli:"},
        {"Posizione", 120, "Posizione su scaffale:"},
        {"Etichetta", 50, "Codice su etichetta:"},
        {"Premi", 120, "Premi e riconoscimenti:"},
        {"Durata", 50, "Durata:"},
        {"Prezzo", 20, "Prezzo:"},
        {"Giudizio", 250, "Giudizio:"},
        {"Note", 250, {}},
    }));
    return layout;
}

QStringList Kind::textFields() const
{
    QStringList names;
    for (const FieldSpec& field : layout.fields())
        if (field.role == FieldSpec::Role::Text)
            names.append(field.name);
    return names;
}

const Kind& Kind::libri()
{
    static const Kind kind{
        .id = KindId::Libri,
        .tag = "libri",
        .extension = ".lib",
        .pattern = "*.lib",
        .photoFolder = "Catalogo_Libri",
        .layout = bookLayout(),
        .helpTopic = "Applicazione Catalogo Libri.",
        .exportHelpTopic = "Esportazione archivio libri in Microsoft Excel.",
        .resultLine = {{"", "Titolo", 55},
                       {"  Autore: ", "Autore", 30},
                       {"  Editore: ", "Editore", 30},
                       {"  Anno: ", "Anno", 0}},
        .spreadsheet =
            {
                .fileName = "Catalogo_Libri.xls",
                .worksheet = "Catalogo Libri",
                .columns =
                    {
                        // field, caption, export width, editable
                        {"Titolo", "Titolo libro", 350, kFixed},
                        {"Autore", "Autore", 250, kFixed},
                        {"Nazione", "Nazione", 250, kFixed},
                        {"Anno", "Anno pubblicazione", 200, kFixed},
                        {"Editore", "Casa editrice", 250, kFixed},
                        {"Citta", "Città pubblicazione", 250, kFixed},
                        {"Dewey", "Codice Dewey", 200, kEditable},
                        {"Genere", "Genere", 250, kFixed},
                        {"ISBN", "ISBN", 250, kFixed},
                        {"Lingua", "Lingua", 250, kFixed},
                        {"Originale", "Titolo originale", 350, kEditable},
                        {"Traduttore", "Traduttore", 250, kEditable},
                        {"Collana", "Collana", 350, kEditable},
                        {"Curatore", "Curatore", 250, kEditable},
                        {"Posizione", "Posizione su scaffale", 350, kEditable},
                        {"Etichetta", "Codice su etichetta", 250, kEditable},
                        {"Formato", "Formato", 250, kEditable},
                        {"Volumi", "Volumi", 250, kEditable},
                        {"Pagine", "Pagine", 200, kEditable},
                        {"Prezzo", "Prezzo", 200, kEditable},
                        {"Giudizio", "Giudizio", 350, kEditable},
                        {"Note", "Note", 400, kEditable},
                    },
            },
        .importFrom =
            {
                .tellicoCollection = 2,
                .archiveWords = "un catalogo di libri",
                .names =
                    {
                        {"Titolo", {"Title"}},
                        {"Autore", {"Author", "Authors", "Writer"}},
                        {"Nazione", {"Country", "Nation", "Nationality"}},
                        {"Anno", {"Year", "Publication Year", "Year Published", "pub_year"}},
                        {"Editore", {"Publisher"}},
                        {"Citta", {"City", "Place", "Place of Publication"}},
                        {"Dewey", {"Dewey Decimal", "DDC"}},
                        {"Genere", {"Genre"}},
                        {"ISBN", {"ISBN13", "ISBN-13", "ISBN10"}},
                        {"Lingua", {"Language"}},
                        {"Originale", {"Original Title"}},
                        {"Traduttore", {"Translator"}},
                        {"Collana", {"Series"}},
                        {"Curatore", {"Editor"}},
                        {"Posizione", {"Location", "Shelf"}},
                        {"Etichetta", {"Label", "Call Number"}},
                        {"Formato", {"Format", "Binding"}},
                        {"Volumi", {"Volumes"}},
                        {"Pagine", {"Pages", "Number of Pages"}},
                        {"Prezzo", {"Price", "Purchase Price", "pur_price"}},
                        {"Giudizio", {"Rating", "My Rating"}},
                        {"Note", {"Notes", "Comments"}},
                    },
            },
    };
    return kind;
}

const Kind& Kind::fumetti()
{
    static const Kind kind{
        .id = KindId::Fumetti,
        .tag = "fumetti",
        .extension = ".fum",
        .pattern = "*.fum",
        .photoFolder = "Raccolta_Fumetti",
        .layout = comicLayout(),
        .helpTopic = "Applicazione Raccolta Fumetti.",
        .exportHelpTopic = "Esportazione archivio fumetti in Microsoft Excel.",
        .resultLine = {{"", "Titolo", 55},
                       {"  Autore: ", "Autore", 30},
                       {"  Albo n. ", "Numero", 20},
                       {"  Data: ", "Data", 0}},
        .spreadsheet =
            {
                .fileName = "Raccolta_Fumetti.xls",
                .worksheet = "Raccolta Fumetti",
                .columns =
                    {
                        // field, caption, export width, editable
                        {"Titolo", "Titolo fumetto", 350, kFixed},
                        {"Numero", "Numero albo", 200, kEditable},
                        {"Autore", "Autore", 250, kFixed},
                        {"Nazione", "Nazione", 250, kFixed},
                        {"Data", "Data pubblicazione", 200, kFixed},
                        {"Editore", "Casa editrice", 250, kFixed},
                        {"Citta", "Città pubblicazione", 250, kFixed},
                        {"Direttore", "Direttore", 250, kEditable},
                        {"Genere", "Genere", 250, kFixed},
                        {"Disegnatore", "Disegnatore", 250, kFixed},
                        {"Lingua", "Lingua", 250, kFixed},
                        {"Storia", "Storia narrata", 400, kEditable},
                        {"Personaggi", "Personaggi", 400, kEditable},
                        {"Contenuti", "Contenuti extra", 350, kEditable},
                        {"Posizione", "Posizione su scaffale", 350, kEditable},
                        {"Etichetta", "Codice su etichetta", 250, kEditable},
                        {"Formato", "Formato", 250, kEditable},
                        {"Stato", "Stato conservazione", 250, kEditable},
                        {"Pagine", "Pagine", 200, kEditable},
                        {"Prezzo", "Prezzo", 200, kEditable},
                        {"Giudizio", "Giudizio", 350, kEditable},
                        {"Note", "Note", 400, kEditable},
                        {"Mancante", "Albo mancante", 200, kEditable},
                    },
            },
        .importFrom =
            {
                .tellicoCollection = 6,
                .archiveWords = "una raccolta di fumetti",
                .names =
                    {
                        {"Titolo", {"Title"}},
                        {"Numero", {"Issue", "Number", "Issue Number"}},
                        {"Autore", {"Writer", "Author"}},
                        {"Nazione", {"Country", "Nation"}},
                        {"Data", {"Date", "Publication Year", "Year", "pub_year"}},
                        {"Editore", {"Publisher"}},
                        {"Citta", {"City"}},
                        {"Direttore", {"Editor", "Editor in Chief"}},
                        {"Genere", {"Genre"}},
                        {"Disegnatore", {"Artist", "Penciller", "Illustrator"}},
                        {"Lingua", {"Language"}},
                        {"Storia", {"Plot", "Plot Summary", "Story", "Summary"}},
                        {"Personaggi", {"Characters"}},
                        {"Contenuti", {"Contents", "Extras"}},
                        {"Posizione", {"Location", "Shelf"}},
                        {"Etichetta", {"Label"}},
                        {"Formato", {"Format"}},
                        {"Stato", {"Condition"}},
                        {"Pagine", {"Pages"}},
                        {"Prezzo", {"Price", "Purchase Price", "pur_price"}},
                        {"Giudizio", {"Rating"}},
                        {"Note", {"Notes", "Comments"}},
                        {"Mancante", {"Missing"}},
                    },
            },
    };
    return kind;
}

const Kind& Kind::dvd()
{
    static const Kind kind{
        .id = KindId::DVD,
        .tag = "dvd",
        .extension = ".dvd",
        .pattern = "*.dvd",
        .photoFolder = "Collezione_DVD",
        .layout = dvdLayout(),
        .helpTopic = "Applicazione Collezione DVD.",
        .exportHelpTopic = "Esportazione archivio DVD in Microsoft Excel.",
        .resultLine = {{"", "Titolo", 55},
                       {"  Regista: ", "Regista", 30},
                       {"  Attore: ", "Protagonista", 30},
                       {"  Anno: ", "Anno", 0}},
        .spreadsheet =
            {
                .fileName = "Collezione_DVD.xls",
                .worksheet = "Collezione DVD",
                .columns =
                    {
                        // field, caption, export width, editable
                        {"Titolo", "Titolo DVD", 350, kFixed},
                        {"Regista", "Regista", 250, kFixed},
                        {"Nazione", "Nazione", 250, kFixed},
                        {"Anno", "Anno produzione", 200, kFixed},
                        {"Protagonista", "Protagonista", 250, kFixed},
                        {"Cast", "Cast", 400, kFixed},
                        {"Genere", "Genere", 250, kFixed},
                        {"Distribuzione", "Distribuzione", 250, kFixed},
                        {"Lingua", "Lingua originale", 250, kFixed},
                        {"Originale", "Titolo originale", 350, kEditable},
                        {"AltreLingue", "Altre lingue", 300, kEditable},
                        {"Collana", "Collana", 350, kEditable},
                        {"Sottotitoli", "Sottotitoli", 300, kEditable},
                        {"Posizione", "Posizione su scaffale", 350, kEditable},
                        {"Etichetta", "Codice su etichetta", 250, kEditable},
                        {"Premi", "Premi e riconoscimenti", 300, kEditable},
                        {"Durata", "Durata", 250, kEditable},
                        {"Prezzo", "Prezzo", 200, kEditable},
                        {"Giudizio", "Giudizio", 350, kEditable},
                        {"Note", "Note", 400, kEditable},
                    },
            },
        .importFrom =
            {
                .tellicoCollection = 3,
                .archiveWords = "una collezione di DVD",
                .names =
                    {
                        {"Titolo", {"Title"}},
                        {"Regista", {"Director"}},
                        {"Nazione", {"Nationality", "Country"}},
                        {"Anno", {"Year", "Production Year"}},
                        {"Protagonista", {"Star", "Lead Actor"}},
                        {"Cast", {"Actors"}},
                        {"Genere", {"Genre"}},
                        {"Distribuzione", {"Studio", "Distributor"}},
                        {"Lingua", {"Language", "Original Language"}},
                        {"Originale", {"Original Title"}},
                        {"AltreLingue", {"Audio Tracks", "audio-track", "Other Languages"}},
                        {"Collana", {"Series"}},
                        {"Sottotitoli", {"Subtitles", "Subtitle", "Subtitle Languages"}},
                        {"Posizione", {"Location", "Shelf"}},
                        {"Etichetta", {"Label"}},
                        {"Premi", {"Awards"}},
                        {"Durata", {"Running Time", "Runtime", "Length", "Duration"}},
                        {"Prezzo", {"Price", "Purchase Price", "pur_price"}},
                        {"Giudizio", {"Rating", "Personal Rating"}},
                        {"Note", {"Notes", "Comments"}},
                    },
            },
    };
    return kind;
}

namespace {
QList<const Kind*>& registry()
{
    static QList<const Kind*> kinds{&Kind::libri(), &Kind::fumetti(), &Kind::dvd()};
    return kinds;
}
} // namespace

const Kind& Kind::of(KindId id)
{
    for (const Kind* kind : registry())
        if (kind->id == id)
            return *kind;
    throw std::logic_error("no kind has this id");
}

const QList<const Kind*>& Kind::all()
{
    return registry();
}

void Kind::add(const Kind& kind)
{
    for (const Kind* known : registry())
        if (known->id == kind.id || known->tag == kind.tag)
            throw std::logic_error("a kind with this id or tag is already known");
    registry().append(&kind);
}
