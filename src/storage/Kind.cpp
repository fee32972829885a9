#include "Kind.h"

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
        .card =
            {
                .caption = " Cartavox - Catalogo Libri",
                .nameBarText = "Nome catalogo libri",
                .rowSizes = {1, 3, 3, 3, 2, 2, 2, 4, 1},
                .positionLabelWidth = 50,
                .required = {{"Titolo", "Attenzione: per salvare la scheda è necessario indicare il titolo del libro."},
                             {"Autore", "Attenzione: per salvare la scheda è necessario indicare l'autore del libro."}},
                .slideshowHint = "Esegui lo slide show del catalogo di libri.",
                .placeholderImage = ":/images/segnaposto_libri.svg",
                .printTemplate = ":/reports/scheda_libro.json",
                .helpTopic = "Applicazione Catalogo Libri.",
            },
        .catalogue =
            {
                .menuCaption = " Cartavox - Catalogo Libri",
                .menuInstructions =
                    "Premi il pulsante per creare un nuovo catalogo di libri o per aprirne uno esistente.",
                .createButton = "Crea nuovo catalogo",
                .openButton = "Apri catalogo esistente",
                .createCaption = " Cartavox - Creazione catalogo libri",
                .openCaption = " Cartavox - Apertura catalogo libri",
                .countPrefix = "Sono stati creati ",
                .countSuffix = " cataloghi di libri.",
                .msgNameMissing = "Attenzione: per creare il nuovo archivio è necessario indicare il nome del nuovo "
                                  "catalogo di libri.",
                .msgNameInUse =
                    "Attenzione: il nome del catalogo di libri indicato è già stato utilizzato in precedenza.\r\n\r\n"
                    "Inserire un nome diverso oppure, se si desidera aprire un catalogo di libri già creato, premere "
                    "il "
                    "pulsante Apri catalogo esistente.",
                .msgCreated =
                    "Il file di archivio relativo al nuovo catalogo di libri è stato creato con successo.\r\n\r\n"
                    "E' ora possibile visualizzarlo nell'elenco dei cataloghi esistenti.",
                .msgListEmpty = "Attenzione: l'elenco non contiene nessun catalogo di libri.",
                .msgSelectToOpen = "Attenzione: selezionare il catalogo di libri dall'elenco prima di premere il "
                                   "pulsante Apri archivio.",
                .msgSelectToDelete = "Attenzione: selezionare dall'elenco il catalogo di libri da eliminare prima di "
                                     "premere il pulsante del "
                                     "cestino.",
                .msgConfirmDelete = "Si sta per eliminare il catalogo di libri selezionato. Si ricorda che il file "
                                    "eliminato non potrà essere "
                                    "recuperato.\r\n\r\nSi conferma l'eliminazione dell'archivio?",
                .msgDeleted = "Il catalogo di libri è stato eliminato con successo.",
            },
        .search =
            {
                .caption = " Trova libri in archivio",
                .criteria = {{"Titolo", "Titolo libro:", 1},
                             {"Autore", "Autore:", 2},
                             {"Genere", "Genere:", 9},
                             {"Anno", "Anno pubblicazione:", 10},
                             {"Editore", "Casa editrice:", 5},
                             {"Dewey", "Codice Dewey:", 6},
                             {"ISBN", "ISBN:", 7},
                             {"Etichetta", "Codice su etichetta:", 8},
                             {"Curatore", "Curatore:", 3},
                             {"Note", "Note:", 4}},
                .line = {{"", "Titolo", 55},
                         {"  Autore: ", "Autore", 30},
                         {"  Editore: ", "Editore", 30},
                         {"  Anno: ", "Anno", 0}},
                .listTitle = "Riepilogo libri in archivio",
            },
        .spreadsheet =
            {
                .caption = " Esporta archivio libri in Microsoft Excel",
                .fileName = "Catalogo_Libri.xls",
                .worksheet = "Catalogo Libri",
                .columns = {
                    // field, caption, grid width, export width, editable
                    {"Titolo", "Titolo libro", 300, 350, kFixed},
                    {"Autore", "Autore", 250, 250, kFixed},
                    {"Nazione", "Nazione", 250, 250, kFixed},
                    {"Anno", "Anno pubblicazione", 180, 200, kFixed},
                    {"Editore", "Casa editrice", 250, 250, kFixed},
                    {"Citta", "Città pubblicazione", 250, 250, kFixed},
                    {"Dewey", "Codice Dewey", 150, 200, kEditable},
                    {"Genere", "Genere", 250, 250, kFixed},
                    {"ISBN", "ISBN", 180, 250, kFixed},
                    {"Lingua", "Lingua", 250, 250, kFixed},
                    {"Originale", "Titolo originale", 300, 350, kEditable},
                    {"Traduttore", "Traduttore", 250, 250, kEditable},
                    {"Collana", "Collana", 250, 350, kEditable},
                    {"Curatore", "Curatore", 250, 250, kEditable},
                    {"Posizione", "Posizione su scaffale", 250, 350, kEditable},
                    {"Etichetta", "Codice su etichetta", 180, 250, kEditable},
                    {"Formato", "Formato", 200, 250, kEditable},
                    {"Volumi", "Volumi", 200, 250, kEditable},
                    {"Pagine", "Pagine", 150, 200, kEditable},
                    {"Prezzo", "Prezzo", 150, 200, kEditable},
                    {"Giudizio", "Giudizio", 300, 350, kEditable},
                    {"Note", "Note", 300, 400, kEditable},
                },
            },
        .slideShow =
            {
                .caption = " Slide Show Catalogo Libri",
                .startImage = ":/images/slideshow_libri.svg",
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
        .card =
            {
                .caption = " Cartavox - Raccolta fumetti",
                .nameBarText = "Nome raccolta fumetti",
                .rowSizes = {2, 3, 3, 3, 1, 2, 2, 4, 1},
                .positionLabelWidth = 105,
                .required = {{"Titolo",
                              "Attenzione: per salvare la scheda è necessario indicare il titolo del fumetto."},
                             {"Numero", "Attenzione: per salvare la scheda è necessario indicare il numero dell'albo."},
                             {"Autore",
                              "Attenzione: per salvare la scheda è necessario indicare l'autore del fumetto."}},
                .slideshowHint = "Esegui lo slide show della raccolta di fumetti.",
                .placeholderImage = ":/images/segnaposto_fumetti.svg",
                .printTemplate = ":/reports/scheda_fumetto.json",
                .helpTopic = "Applicazione Raccolta Fumetti.",
            },
        .catalogue =
            {
                .menuCaption = " Cartavox - Raccolta Fumetti",
                .menuInstructions =
                    "Premi il pulsante per creare una nuova raccolta di fumetti o per aprirne una esistente.",
                .createButton = "Crea nuova raccolta",
                .openButton = "Apri raccolta esistente",
                .createCaption = " Cartavox - Creazione raccolta fumetti",
                .openCaption = " Cartavox - Apertura raccolta fumetti",
                .countPrefix = "Sono state create ",
                .countSuffix = " raccolte di fumetti.",
                .msgNameMissing = "Attenzione: per creare il nuovo archivio è necessario indicare il nome della nuova "
                                  "raccolta di fumetti.",
                .msgNameInUse = "Attenzione: il nome della raccolta di fumetti indicato è già stato utilizzato in "
                                "precedenza.\r\n\r\n"
                                "Inserire un nome diverso oppure, se si desidera aprire una raccolta di fumetti già "
                                "creata, premere il "
                                "pulsante Apri raccolta esistente.",
                .msgCreated =
                    "Il file di archivio relativo alla nuova raccolta di fumetti è stato creato con successo.\r\n\r\n"
                    "E' ora possibile visualizzarlo nell'elenco delle raccolte esistenti.",
                .msgListEmpty = "Attenzione: l'elenco non contiene nessuna raccolta di fumetti.",
                .msgSelectToOpen = "Attenzione: selezionare la raccolta di fumetti dall'elenco prima di premere il "
                                   "pulsante Apri archivio.",
                .msgSelectToDelete = "Attenzione: selezionare dall'elenco la raccolta di fumetti da eliminare prima di "
                                     "premere il pulsante del "
                                     "cestino.",
                .msgConfirmDelete = "Si sta per eliminare la raccolta di fumetti selezionata. Si ricorda che il file "
                                    "eliminato non potrà "
                                    "essere recuperato.\r\n\r\nSi conferma l'eliminazione dell'archivio?",
                .msgDeleted = "La raccolta di fumetti è stata eliminata con successo.",
            },
        .search =
            {
                .caption = " Trova fumetti in archivio",
                .criteria = {{"Titolo", "Titolo fumetto:", 1},
                             {"Numero", "Numero albo:", 2},
                             {"Autore", "Autore:", 9},
                             {"Data", "Data pubblicazione:", 10},
                             {"Editore", "Casa editrice:", 5},
                             {"Disegnatore", "Disegnatore:", 6},
                             {"Storia", "Storia narrata (sintesi):", 7},
                             {"Etichetta", "Codice su etichetta:", 8},
                             {"Personaggi", "Personaggi:", 3},
                             {"Note", "Note:", 4}},
                .line = {{"", "Titolo", 55},
                         {"  Autore: ", "Autore", 30},
                         {"  Albo n. ", "Numero", 20},
                         {"  Data: ", "Data", 0}},
                .listTitle = "Riepilogo fumetti in archivio",
            },
        .spreadsheet =
            {
                .caption = " Esporta archivio fumetti in Microsoft Excel",
                .fileName = "Raccolta_Fumetti.xls",
                .worksheet = "Raccolta Fumetti",
                .columns = {
                    // field, caption, grid width, export width, editable
                    {"Titolo", "Titolo fumetto", 300, 350, kFixed},
                    {"Numero", "Numero albo", 160, 200, kEditable},
                    {"Autore", "Autore", 250, 250, kFixed},
                    {"Nazione", "Nazione", 250, 250, kFixed},
                    {"Data", "Data pubblicazione", 180, 200, kFixed},
                    {"Editore", "Casa editrice", 250, 250, kFixed},
                    {"Citta", "Città pubblicazione", 250, 250, kFixed},
                    {"Direttore", "Direttore", 250, 250, kEditable},
                    {"Genere", "Genere", 250, 250, kFixed},
                    {"Disegnatore", "Disegnatore", 250, 250, kFixed},
                    {"Lingua", "Lingua", 250, 250, kFixed},
                    {"Storia", "Storia narrata", 350, 400, kEditable},
                    {"Personaggi", "Personaggi", 350, 400, kEditable},
                    {"Contenuti", "Contenuti extra", 300, 350, kEditable},
                    {"Posizione", "Posizione su scaffale", 250, 350, kEditable},
                    {"Etichetta", "Codice su etichetta", 180, 250, kEditable},
                    {"Formato", "Formato", 200, 250, kEditable},
                    {"Stato", "Stato conservazione", 200, 250, kEditable},
                    {"Pagine", "Pagine", 150, 200, kEditable},
                    {"Prezzo", "Prezzo", 150, 200, kEditable},
                    {"Giudizio", "Giudizio", 300, 350, kEditable},
                    {"Note", "Note", 300, 400, kEditable},
                    {"Mancante", "Albo mancante", 120, 200, kEditable},
                },
            },
        .slideShow =
            {
                .caption = " Slide Show Raccolta Fumetti",
                .startImage = ":/images/slideshow_fumetti.svg",
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
        .card =
            {
                .caption = " Cartavox - Collezione DVD",
                .nameBarText = "Nome collezione DVD",
                .rowSizes = {1, 3, 2, 3, 2, 2, 2, 3, 1},
                .positionLabelWidth = 50,
                .required = {{"Titolo", "Attenzione: per salvare la scheda è necessario indicare il titolo del DVD."},
                             {"Regista",
                              "Attenzione: per salvare la scheda è necessario indicare il nome del regista."}},
                .slideshowHint = "Esegui lo slide show della collezione di DVD.",
                .placeholderImage = ":/images/segnaposto_dvd.svg",
                .printTemplate = ":/reports/scheda_dvd.json",
                .helpTopic = "Applicazione Collezione DVD.",
            },
        .catalogue =
            {
                .menuCaption = " Cartavox - Collezione DVD",
                .menuInstructions =
                    "Premi il pulsante per creare una nuova collezione di DVD o per aprirne una esistente.",
                .createButton = "Crea nuova collezione",
                .openButton = "Apri collezione esistente",
                .createCaption = " Cartavox - Creazione collezione DVD",
                .openCaption = " Cartavox - Apertura collezione DVD",
                .countPrefix = "Sono state create ",
                .countSuffix = " collezioni di DVD.",
                .msgNameMissing = "Attenzione: per creare il nuovo archivio è necessario indicare il nome della nuova "
                                  "collezione di DVD.",
                .msgNameInUse =
                    "Attenzione: il nome della collezione di DVD indicato è già stato utilizzato in precedenza.\r\n\r\n"
                    "Inserire un nome diverso oppure, se si desidera aprire una collezione di DVD già creata, premere "
                    "il "
                    "pulsante Apri collezione esistente.",
                .msgCreated =
                    "Il file di archivio relativo alla nuova collezione di DVD è stato creato con successo.\r\n\r\n"
                    "E' ora possibile visualizzarlo nell'elenco delle collezioni esistenti.",
                .msgListEmpty = "Attenzione: l'elenco non contiene nessuna collezione di DVD.",
                .msgSelectToOpen = "Attenzione: selezionare la collezione di DVD dall'elenco prima di premere il "
                                   "pulsante Apri archivio.",
                .msgSelectToDelete = "Attenzione: selezionare dall'elenco la collezione di DVD da eliminare prima di "
                                     "premere il pulsante del "
                                     "cestino.",
                .msgConfirmDelete =
                    "Si sta per eliminare la collezione di DVD selezionata. Si ricorda che il file eliminato non potrà "
                    "essere recuperato.\r\n\r\nSi conferma l'eliminazione dell'archivio?",
                .msgDeleted = "La collezione di DVD è stata eliminata con successo.",
            },
        .search =
            {
                .caption = " Trova DVD in archivio",
                .criteria = {{"Titolo", "Titolo DVD:", 1},
                             {"Regista", "Regista:", 2},
                             {"Genere", "Genere:", 9},
                             {"Anno", "Anno produzione:", 10},
                             {"Nazione", "Nazione:", 5},
                             {"Protagonista", "Protagonista:", 6},
                             {"Cast", "Cast:", 7},
                             {"Etichetta", "Codice su etichetta:", 8},
                             {"Premi", "Premi e riconoscimenti:", 3},
                             {"Note", "Note:", 4}},
                .line = {{"", "Titolo", 55},
                         {"  Regista: ", "Regista", 30},
                         {"  Attore: ", "Protagonista", 30},
                         {"  Anno: ", "Anno", 0}},
                .listTitle = "Riepilogo DVD in archivio",
            },
        .spreadsheet =
            {
                .caption = " Esporta archivio DVD in Microsoft Excel",
                .fileName = "Collezione_DVD.xls",
                .worksheet = "Collezione DVD",
                .columns = {
                    // field, caption, grid width, export width, editable
                    {"Titolo", "Titolo DVD", 300, 350, kFixed},
                    {"Regista", "Regista", 250, 250, kFixed},
                    {"Nazione", "Nazione", 250, 250, kFixed},
                    {"Anno", "Anno produzione", 180, 200, kFixed},
                    {"Protagonista", "Protagonista", 250, 250, kFixed},
                    {"Cast", "Cast", 300, 400, kFixed},
                    {"Genere", "Genere", 250, 250, kFixed},
                    {"Distribuzione", "Distribuzione", 250, 250, kFixed},
                    {"Lingua", "Lingua originale", 250, 250, kFixed},
                    {"Originale", "Titolo originale", 300, 350, kEditable},
                    {"AltreLingue", "Altre lingue", 300, 300, kEditable},
                    {"Collana", "Collana", 250, 350, kEditable},
                    {"Sottotitoli", "Sottotitoli", 300, 300, kEditable},
                    {"Posizione", "Posizione su scaffale", 250, 350, kEditable},
                    {"Etichetta", "Codice su etichetta", 180, 250, kEditable},
                    {"Premi", "Premi e riconoscimenti", 250, 300, kEditable},
                    {"Durata", "Durata", 200, 250, kEditable},
                    {"Prezzo", "Prezzo", 150, 200, kEditable},
                    {"Giudizio", "Giudizio", 300, 350, kEditable},
                    {"Note", "Note", 300, 400, kEditable},
                },
            },
        .slideShow =
            {
                .caption = " Slide Show Collezione DVD",
                .startImage = ":/images/slideshow_dvd.svg",
            },
    };
    return kind;
}

const Kind& Kind::of(KindId id)
{
    switch (id) {
    case KindId::Libri:
        return libri();
    case KindId::Fumetti:
        return fumetti();
    case KindId::DVD:
        break;
    }
    return dvd();
}

const std::array<const Kind*, 3>& Kind::all()
{
    static const std::array<const Kind*, 3> kinds{&libri(), &fumetti(), &dvd()};
    return kinds;
}
