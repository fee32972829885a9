#include "Kind.h"

namespace {
using Role = FieldSpec::Role;

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
        KindId::Libri,
        "libri",
        ".lib",
        "*.lib",
        "Catalogo_Libri",
        bookLayout(),
        " Cartavox - Catalogo Libri",
        "Nome catalogo libri",
        {1, 3, 3, 3, 2, 2, 2, 4, 1},
        50,
        {{"Titolo", "Attenzione: per salvare la scheda è necessario indicare il titolo del libro."},
         {"Autore", "Attenzione: per salvare la scheda è necessario indicare l'autore del libro."}},
        "Esegui lo slide show del catalogo di libri.",
        ":/images/segnaposto_libri.svg",
        "Applicazione Catalogo Libri.",
        " Cartavox - Catalogo Libri",
        "Premi il pulsante per creare un nuovo catalogo di libri o per aprirne uno esistente.",
        "Crea nuovo catalogo",
        "Apri catalogo esistente",
        " Cartavox - Creazione catalogo libri",
        " Cartavox - Apertura catalogo libri",
        "Sono stati creati ",
        " cataloghi di libri.",
        "Attenzione: per creare il nuovo archivio è necessario indicare il nome del nuovo catalogo di libri.",
        "Attenzione: il nome del catalogo di libri indicato è già stato utilizzato in precedenza.\r\n\r\n"
        "Inserire un nome diverso oppure, se si desidera aprire un catalogo di libri già creato, premere il "
        "pulsante Apri catalogo esistente.",
        "Il file di archivio relativo al nuovo catalogo di libri è stato creato con successo.\r\n\r\n"
        "E' ora possibile visualizzarlo nell'elenco dei cataloghi esistenti.",
        "Attenzione: l'elenco non contiene nessun catalogo di libri.",
        "Attenzione: selezionare il catalogo di libri dall'elenco prima di premere il pulsante Apri archivio.",
        "Attenzione: selezionare dall'elenco il catalogo di libri da eliminare prima di premere il pulsante del "
        "cestino.",
        "Si sta per eliminare il catalogo di libri selezionato. Si ricorda che il file eliminato non potrà essere "
        "recuperato.\r\n\r\nSi conferma l'eliminazione dell'archivio?",
        "Il catalogo di libri è stato eliminato con successo.",
        " Trova libri in archivio",
        " Esporta archivio libri in Microsoft Excel",
        " Slide Show Catalogo Libri",
    };
    return kind;
}

const Kind& Kind::fumetti()
{
    static const Kind kind{
        KindId::Fumetti,
        "fumetti",
        ".fum",
        "*.fum",
        "Raccolta_Fumetti",
        comicLayout(),
        " Cartavox - Raccolta fumetti",
        "Nome raccolta fumetti",
        {2, 3, 3, 3, 1, 2, 2, 4, 1},
        105,
        {{"Titolo", "Attenzione: per salvare la scheda è necessario indicare il titolo del fumetto."},
         {"Numero", "Attenzione: per salvare la scheda è necessario indicare il numero dell'albo."},
         {"Autore", "Attenzione: per salvare la scheda è necessario indicare l'autore del fumetto."}},
        "Esegui lo slide show della raccolta di fumetti.",
        ":/images/segnaposto_fumetti.svg",
        "Applicazione Raccolta Fumetti.",
        " Cartavox - Raccolta Fumetti",
        "Premi il pulsante per creare una nuova raccolta di fumetti o per aprirne una esistente.",
        "Crea nuova raccolta",
        "Apri raccolta esistente",
        " Cartavox - Creazione raccolta fumetti",
        " Cartavox - Apertura raccolta fumetti",
        "Sono state create ",
        " raccolte di fumetti.",
        "Attenzione: per creare il nuovo archivio è necessario indicare il nome della nuova raccolta di fumetti.",
        "Attenzione: il nome della raccolta di fumetti indicato è già stato utilizzato in precedenza.\r\n\r\n"
        "Inserire un nome diverso oppure, se si desidera aprire una raccolta di fumetti già creata, premere il "
        "pulsante Apri raccolta esistente.",
        "Il file di archivio relativo alla nuova raccolta di fumetti è stato creato con successo.\r\n\r\n"
        "E' ora possibile visualizzarlo nell'elenco delle raccolte esistenti.",
        "Attenzione: l'elenco non contiene nessuna raccolta di fumetti.",
        "Attenzione: selezionare la raccolta di fumetti dall'elenco prima di premere il pulsante Apri archivio.",
        "Attenzione: selezionare dall'elenco la raccolta di fumetti da eliminare prima di premere il pulsante del "
        "cestino.",
        "Si sta per eliminare la raccolta di fumetti selezionata. Si ricorda che il file eliminato non potrà "
        "essere recuperato.\r\n\r\nSi conferma l'eliminazione dell'archivio?",
        "La raccolta di fumetti è stata eliminata con successo.",
        " Trova fumetti in archivio",
        " Esporta archivio fumetti in Microsoft Excel",
        " Slide Show Raccolta Fumetti",
    };
    return kind;
}

const Kind& Kind::dvd()
{
    static const Kind kind{
        KindId::DVD,
        "dvd",
        ".dvd",
        "*.dvd",
        "Collezione_DVD",
        dvdLayout(),
        " Cartavox - Collezione DVD",
        "Nome collezione DVD",
        {1, 3, 2, 3, 2, 2, 2, 3, 1},
        50,
        {{"Titolo", "Attenzione: per salvare la scheda è necessario indicare il titolo del DVD."},
         {"Regista", "Attenzione: per salvare la scheda è necessario indicare il nome del regista."}},
        "Esegui lo slide show della collezione di DVD.",
        ":/images/segnaposto_dvd.svg",
        "Applicazione Collezione DVD.",
        " Cartavox - Collezione DVD",
        "Premi il pulsante per creare una nuova collezione di DVD o per aprirne una esistente.",
        "Crea nuova collezione",
        "Apri collezione esistente",
        " Cartavox - Creazione collezione DVD",
        " Cartavox - Apertura collezione DVD",
        "Sono state create ",
        " collezioni di DVD.",
        "Attenzione: per creare il nuovo archivio è necessario indicare il nome della nuova collezione di DVD.",
        "Attenzione: il nome della collezione di DVD indicato è già stato utilizzato in precedenza.\r\n\r\n"
        "Inserire un nome diverso oppure, se si desidera aprire una collezione di DVD già creata, premere il "
        "pulsante Apri collezione esistente.",
        "Il file di archivio relativo alla nuova collezione di DVD è stato creato con successo.\r\n\r\n"
        "E' ora possibile visualizzarlo nell'elenco delle collezioni esistenti.",
        "Attenzione: l'elenco non contiene nessuna collezione di DVD.",
        "Attenzione: selezionare la collezione di DVD dall'elenco prima di premere il pulsante Apri archivio.",
        "Attenzione: selezionare dall'elenco la collezione di DVD da eliminare prima di premere il pulsante del "
        "cestino.",
        "Si sta per eliminare la collezione di DVD selezionata. Si ricorda che il file eliminato non potrà "
        "essere recuperato.\r\n\r\nSi conferma l'eliminazione dell'archivio?",
        "La collezione di DVD è stata eliminata con successo.",
        " Trova DVD in archivio",
        " Esporta archivio DVD in Microsoft Excel",
        " Slide Show Collezione DVD",
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
