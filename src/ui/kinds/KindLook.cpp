#include "KindLook.h"

#include <stdexcept>

namespace {
const KindLook& libriLook()
{
    static const KindLook look{
        .kind = Kind::libri(),
        .name = "Libri",
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
                .listTitle = "Riepilogo libri in archivio",
                .listHeadings = {"Titolo", "Autore", "Editore", "Anno"},
            },
        .spreadsheet =
            {
                .caption = " Esporta archivio libri in Microsoft Excel",
                .gridWidths = {300, 250, 250, 180, 250, 250, 150, 250, 180, 250, 300,
                               250, 250, 250, 250, 180, 200, 200, 150, 150, 300, 300},
            },
        .slideShow =
            {
                .caption = " Slide Show Catalogo Libri",
                .startImage = ":/images/slideshow_libri.svg",
            },
        .startColumn =
            {
                .choice = "Catalogo libri",
                .note =
                    "Organizza i libri della tua biblioteca archiviando le schede descrittive in uno o più cataloghi.",
            },
        .importing =
            {
                .caption = " Cartavox - Importazione catalogo libri",
                .newArchive = "In un nuovo catalogo di libri, di nome:",
                .existingArchive = "In fondo a un catalogo di libri esistente:",
                .msgNameInUse =
                    "Attenzione: il nome del catalogo di libri indicato è già stato utilizzato in precedenza.\r\n\r\n"
                    "Inserire un nome diverso oppure scegliere di aggiungere le schede in fondo al "
                    "catalogo esistente.",
                .msgChooseArchive =
                    "Attenzione: scegliere dall'elenco il catalogo di libri in fondo al quale aggiungere le schede.",
            },
    };
    return look;
}

const KindLook& fumettiLook()
{
    static const KindLook look{
        .kind = Kind::fumetti(),
        .name = "Fumetti",
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
                .listTitle = "Riepilogo fumetti in archivio",
                .listHeadings = {"Titolo", "Autore", "Albo n.", "Data"},
            },
        .spreadsheet =
            {
                .caption = " Esporta archivio fumetti in Microsoft Excel",
                .gridWidths = {300, 160, 250, 250, 180, 250, 250, 250, 250, 250, 250, 350,
                               350, 300, 250, 180, 200, 200, 150, 150, 300, 300, 120},
            },
        .slideShow =
            {
                .caption = " Slide Show Raccolta Fumetti",
                .startImage = ":/images/slideshow_fumetti.svg",
            },
        .startColumn =
            {
                .choice = "Raccolta fumetti",
                .note =
                    "Gestisci i tuoi fumetti creando un database per ogni raccolta e annota gli albi che ti mancano.",
            },
        .importing =
            {
                .caption = " Cartavox - Importazione raccolta fumetti",
                .newArchive = "In una nuova raccolta di fumetti, di nome:",
                .existingArchive = "In fondo a una raccolta di fumetti esistente:",
                .msgNameInUse = "Attenzione: il nome della raccolta di fumetti indicato è già stato utilizzato in "
                                "precedenza.\r\n\r\n"
                                "Inserire un nome diverso oppure scegliere di aggiungere le schede in fondo alla "
                                "raccolta esistente.",
                .msgChooseArchive = "Attenzione: scegliere dall'elenco la raccolta di fumetti in fondo alla quale "
                                    "aggiungere le schede.",
            },
    };
    return look;
}

const KindLook& dvdLook()
{
    static const KindLook look{
        .kind = Kind::dvd(),
        .name = "DVD",
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
                .listTitle = "Riepilogo DVD in archivio",
                .listHeadings = {"Titolo", "Regista", "Attore", "Anno"},
            },
        .spreadsheet =
            {
                .caption = " Esporta archivio DVD in Microsoft Excel",
                .gridWidths = {300, 250, 250, 180, 250, 300, 250, 250, 250, 300,
                               300, 250, 300, 250, 180, 250, 200, 150, 300, 300},
            },
        .slideShow =
            {
                .caption = " Slide Show Collezione DVD",
                .startImage = ":/images/slideshow_dvd.svg",
            },
        .startColumn =
            {
                .choice = "Collezione DVD",
                .note =
                    "Raggruppa in appositi schedari i DVD della tua videoteca e inserisci la locandina di ogni film.",
            },
        .importing =
            {
                .caption = " Cartavox - Importazione collezione DVD",
                .newArchive = "In una nuova collezione di DVD, di nome:",
                .existingArchive = "In fondo a una collezione di DVD esistente:",
                .msgNameInUse =
                    "Attenzione: il nome della collezione di DVD indicato è già stato utilizzato in precedenza.\r\n\r\n"
                    "Inserire un nome diverso oppure scegliere di aggiungere le schede in fondo alla "
                    "collezione esistente.",
                .msgChooseArchive =
                    "Attenzione: scegliere dall'elenco la collezione di DVD in fondo alla quale aggiungere le schede.",
            },
    };
    return look;
}

QList<const KindLook*>& registry()
{
    static QList<const KindLook*> looks{&libriLook(), &fumettiLook(), &dvdLook()};
    return looks;
}
} // namespace

const KindLook& KindLook::of(KindId id)
{
    for (const KindLook* look : registry())
        if (look->kind.id == id)
            return *look;
    throw std::logic_error("a kind without its look");
}

void KindLook::add(const KindLook& look)
{
    for (const KindLook* known : registry())
        if (known->kind.id == look.kind.id)
            throw std::logic_error("this kind has its look already");
    registry().append(&look);
}

QString KindLook::countText(int count) const
{
    return catalogue.countPrefix + QString::number(count) + catalogue.countSuffix;
}
