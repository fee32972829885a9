#include "SampleContent.h"

#include "folder/CoverPhotos.h"
#include "folder/CoverPicture.h"
#include "folder/ProgramFolder.h"
#include "storage/CatalogueFile.h"

#include <QFile>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <utility>

namespace {
using Card = QList<std::pair<const char16_t*, const char16_t*>>; // as typed below
using Texts = QList<std::pair<QString, QString>>;                // field, text

const QList<Card>& books()
{
    static const QList<Card> cards{
        {{u"Titolo", u"I promessi sposi"},
         {u"Autore", u"Alessandro Manzoni"},
         {u"Nazione", u"Italia"},
         {u"Anno", u"1840"},
         {u"Editore", u"Edizioni del Portico"},
         {u"Citta", u"Milano"},
         {u"Dewey", u"853.7"},
         {u"Genere", u"Romanzo storico"},
         {u"ISBN", u"978-88-00000-01-7"},
         {u"Lingua", u"Italiano"},
         {u"Originale", u"I promessi sposi"},
         {u"Collana", u"I classici del Portico"},
         {u"Curatore", u"Giovanna Ferri"},
         {u"Posizione", u"Soggiorno, libreria grande, ripiano 2"},
         {u"Etichetta", u"LIB-0001"},
         {u"Formato", u"Tascabile"},
         {u"Volumi", u"1"},
         {u"Pagine", u"720"},
         {u"Prezzo", u"12,50 €"},
         {u"Giudizio", u"Il romanzo che ha fatto la lingua italiana: da rileggere ogni dieci anni."},
         {u"Note", u"Edizione con le illustrazioni di Francesco Gonin."}},
        {{u"Titolo", u"Il fu Mattia Pascal"},
         {u"Autore", u"Luigi Pirandello"},
         {u"Nazione", u"Italia"},
         {u"Anno", u"1904"},
         {u"Editore", u"Edizioni del Portico"},
         {u"Citta", u"Milano"},
         {u"Dewey", u"853.912"},
         {u"Genere", u"Romanzo"},
         {u"ISBN", u"978-88-00000-02-4"},
         {u"Lingua", u"Italiano"},
         {u"Originale", u"Il fu Mattia Pascal"},
         {u"Collana", u"I classici del Portico"},
         {u"Curatore", u"Paolo Marchi"},
         {u"Posizione", u"Soggiorno, libreria grande, ripiano 2"},
         {u"Etichetta", u"LIB-0002"},
         {u"Formato", u"Tascabile"},
         {u"Volumi", u"1"},
         {u"Pagine", u"288"},
         {u"Prezzo", u"9,00 €"},
         {u"Giudizio", u"Ironico e amaro: un uomo che si ritrova libero di essere nessuno."},
         {u"Note", u"Prestato a Lucia il 3 marzo."}},
        {{u"Titolo", u"Orgoglio e pregiudizio"},
         {u"Autore", u"Jane Austen"},
         {u"Nazione", u"Regno Unito"},
         {u"Anno", u"1813"},
         {u"Editore", u"Libreria Aurora"},
         {u"Citta", u"Torino"},
         {u"Dewey", u"823.7"},
         {u"Genere", u"Romanzo"},
         {u"ISBN", u"978-88-00000-03-1"},
         {u"Lingua", u"Italiano"},
         {u"Originale", u"Pride and Prejudice"},
         {u"Traduttore", u"Elena Conti"},
         {u"Collana", u"Narratori stranieri"},
         {u"Curatore", u"Marco Bellini"},
         {u"Posizione", u"Camera, scaffale accanto alla finestra"},
         {u"Etichetta", u"LIB-0003"},
         {u"Formato", u"Rilegato"},
         {u"Volumi", u"1"},
         {u"Pagine", u"416"},
         {u"Prezzo", u"16,00 €"},
         {u"Giudizio", u"Dialoghi brillanti e personaggi indimenticabili."},
         {u"Note", u"Regalo di compleanno."}},
    };
    return cards;
}

// Three issues of one series: what they share, then each issue's own.
const QList<Card>& comics()
{
    static const Card series{{u"Titolo", u"Capitan Bussola"},
                             {u"Autore", u"Franco Neri"},
                             {u"Nazione", u"Italia"},
                             {u"Editore", u"Edizioni Nuvola"},
                             {u"Citta", u"Bologna"},
                             {u"Direttore", u"Sergio Valli"},
                             {u"Genere", u"Avventura"},
                             {u"Disegnatore", u"Anna Riva"},
                             {u"Lingua", u"Italiano"},
                             {u"Formato", u"Bonelliano"},
                             {u"Pagine", u"96"},
                             {u"Prezzo", u"400 lire"}};
    static const QList<Card> cards{
        series + Card{{u"Numero", u"1"},
                      {u"Data", u"03/1978"},
                      {u"Storia", u"Il capitano salpa da Genova per cercare l'isola che non compare sulle carte."},
                      {u"Personaggi", u"Capitan Bussola, il mozzo Tito, la cartografa Irene"},
                      {u"Contenuti", u"Poster del veliero"},
                      {u"Posizione", u"Studio, scatola blu"},
                      {u"Etichetta", u"FUM-0001"},
                      {u"Stato", u"Ottimo"},
                      {u"Giudizio", u"Il numero che ha dato inizio a tutto."},
                      {u"Note", u"Prima edizione."},
                      {u"Mancante", u"No"}},
        series + Card{{u"Numero", u"2"},
                      {u"Data", u"04/1978"},
                      {u"Storia", u"Una tempesta spinge il veliero tra i ghiacci del Nord."},
                      {u"Personaggi", u"Capitan Bussola, il mozzo Tito, l'orso Bruno"},
                      {u"Contenuti", u"Adesivi"},
                      {u"Posizione", u"Studio, scatola blu"},
                      {u"Etichetta", u"FUM-0002"},
                      {u"Stato", u"Buono"},
                      {u"Giudizio", u"Disegni splendidi."},
                      {u"Note", u"Copertina un po' ingiallita."},
                      {u"Mancante", u"No"}},
        series + Card{{u"Numero", u"3"},
                      {u"Data", u"05/1978"},
                      {u"Storia", u"Sull'isola misteriosa il capitano trova una vecchia mappa."},
                      {u"Personaggi", u"Capitan Bussola, la cartografa Irene"},
                      {u"Contenuti", u"Nessuno"},
                      {u"Posizione", u"Da cercare"},
                      {u"Etichetta", u"FUM-0003"},
                      {u"Stato", u"Da acquistare"},
                      {u"Giudizio", u"Da leggere."},
                      {u"Note", u"Cercarlo alla mostra mercato di primavera."},
                      {u"Mancante", u"Sì"}},
    };
    return cards;
}

const QList<Card>& dvds()
{
    static const QList<Card> cards{
        {{u"Titolo", u"Ladri di biciclette"},
         {u"Regista", u"Vittorio De Sica"},
         {u"Nazione", u"Italia"},
         {u"Anno", u"1948"},
         {u"Protagonista", u"Lamberto Maggiorani"},
         {u"Cast", u"Lamberto Maggiorani, Enzo Staiola, Lianella Carell"},
         {u"Genere", u"Drammatico"},
         {u"Distribuzione", u"Cineteca del Portico"},
         {u"Lingua", u"Italiano"},
         {u"Originale", u"Ladri di biciclette"},
         {u"AltreLingue", u"Inglese, francese"},
         {u"Collana", u"Il cinema italiano"},
         {u"Sottotitoli", u"Italiano, inglese"},
         {u"Posizione", u"Mobile della TV, ripiano 1"},
         {u"Etichetta", u"DVD-0001"},
         {u"Premi", u"Oscar onorario 1950"},
         {u"Durata", u"89 minuti"},
         {u"Prezzo", u"9,90 €"},
         {u"Giudizio", u"Un capolavoro del neorealismo."},
         {u"Note", u"Versione restaurata."}},
        {{u"Titolo", u"La strada"},
         {u"Regista", u"Federico Fellini"},
         {u"Nazione", u"Italia"},
         {u"Anno", u"1954"},
         {u"Protagonista", u"Giulietta Masina"},
         {u"Cast", u"Giulietta Masina, Anthony Quinn, Richard Basehart"},
         {u"Genere", u"Drammatico"},
         {u"Distribuzione", u"Cineteca del Portico"},
         {u"Lingua", u"Italiano"},
         {u"Originale", u"La strada"},
         {u"AltreLingue", u"Inglese"},
         {u"Collana", u"Il cinema italiano"},
         {u"Sottotitoli", u"Italiano, inglese, francese"},
         {u"Posizione", u"Mobile della TV, ripiano 1"},
         {u"Etichetta", u"DVD-0002"},
         {u"Premi", u"Oscar al miglior film straniero 1957"},
         {u"Durata", u"108 minuti"},
         {u"Prezzo", u"9,90 €"},
         {u"Giudizio", u"Commovente."},
         {u"Note", u"Con un libretto di fotografie di scena."}},
        {{u"Titolo", u"Roma città aperta"},
         {u"Regista", u"Roberto Rossellini"},
         {u"Nazione", u"Italia"},
         {u"Anno", u"1945"},
         {u"Protagonista", u"Aldo Fabrizi"},
         {u"Cast", u"Aldo Fabrizi, Anna Magnani, Marcello Pagliero"},
         {u"Genere", u"Drammatico"},
         {u"Distribuzione", u"Cineteca del Portico"},
         {u"Lingua", u"Italiano"},
         {u"Originale", u"Roma città aperta"},
         {u"AltreLingue", u"Inglese"},
         {u"Collana", u"Il cinema italiano"},
         {u"Sottotitoli", u"Italiano, inglese"},
         {u"Posizione", u"Mobile della TV, ripiano 2"},
         {u"Etichetta", u"DVD-0003"},
         {u"Premi", u"Grand Prix al Festival di Cannes 1946"},
         {u"Durata", u"100 minuti"},
         {u"Prezzo", u"7,90 €"},
         {u"Giudizio", u"Da vedere almeno una volta."},
         {u"Note", u"Contiene un documentario sulle riprese."}},
    };
    return cards;
}

// A kind's sample cards, and what its covers show under the title and above it.
struct KindSamples {
    QList<Texts> cards;
    QString number; // the field of the number, written under the title; empty where none
    QString byline; // the field of the author or director, written above the title
};

QList<Texts> texts(const QList<Card>& cards)
{
    QList<Texts> converted;
    for (const Card& card : cards) {
        Texts fields;
        for (const auto& [field, text] : card)
            fields.append({QString::fromUtf16(field), QString::fromUtf16(text)});
        converted.append(fields);
    }
    return converted;
}

// Three cards for a kind without samples written above: each text field holds its own caption
// and the card's number, so that every window of the kind has something to show in every place.
QList<Texts> madeUp(const Kind& kind)
{
    QList<Texts> cards;
    for (int n = 1; n <= 3; ++n) {
        Texts card;
        for (const FieldSpec& field : kind.layout.fields()) {
            if (field.role != FieldSpec::Role::Text)
                continue;
            QString caption = field.caption;
            caption.remove(u':');
            card.append({field.name, (caption.isEmpty() ? field.name : caption) + u' ' + QString::number(n)});
        }
        cards.append(card);
    }
    return cards;
}

KindSamples samplesOf(const Kind& kind)
{
    if (kind.tag == QLatin1String("libri"))
        return {texts(books()), {}, QStringLiteral("Autore")};
    if (kind.tag == QLatin1String("fumetti"))
        return {texts(comics()), QStringLiteral("Numero"), QStringLiteral("Autore")};
    if (kind.tag == QLatin1String("dvd"))
        return {texts(dvds()), {}, QStringLiteral("Regista")};
    // The field that follows the title in the kind's lists names who made it.
    return {madeUp(kind), {}, kind.resultLine.size() > 1 ? kind.resultLine.at(1).field : QString()};
}

QString textOf(const Texts& card, const QString& field)
{
    for (const auto& [name, text] : card)
        if (name == field)
            return text;
    return {};
}

// A cover drawn in the colours of the program: the title in large letters, the author or
// director under it, a band and a simple emblem.
QImage cover(const KindSamples& samples, const Texts& card, int n)
{
    static const QColor kBackgrounds[] = {QColor(0x2F, 0x5D, 0x8C), QColor(0x8C, 0x3B, 0x2F), QColor(0x3E, 0x6B, 0x4F)};
    const QColor background = kBackgrounds[n % 3];
    QImage image(600, 900, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient shade(0, 0, 0, 900);
    shade.setColorAt(0, background.lighter(125));
    shade.setColorAt(1, background.darker(140));
    painter.fillRect(image.rect(), shade);
    painter.fillRect(QRect(0, 610, 600, 18), QColor(0xF0, 0xA0, 0x30));

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 60));
    painter.drawEllipse(QPoint(300, 760), 70, 70);
    painter.setBrush(QColor(255, 255, 255, 140));
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = i % 2 ? 18 : 44;
        const qreal angle = M_PI / 2 + i * M_PI / 5;
        const QPointF point(300 + radius * std::cos(angle), 760 - radius * std::sin(angle));
        i ? star.lineTo(point) : star.moveTo(point);
    }
    painter.drawPath(star);

    QString title = textOf(card, QStringLiteral("Titolo"));
    if (!samples.number.isEmpty())
        title += QStringLiteral("\nn. ") + textOf(card, samples.number);
    const QString author = textOf(card, samples.byline);
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(64);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(40, 150, 520, 400), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, title);
    font.setPixelSize(34);
    font.setBold(false);
    painter.setFont(font);
    painter.setPen(QColor(0xF4, 0xE8, 0xD0));
    painter.drawText(QRect(40, 60, 520, 60), Qt::AlignCenter, author);
    return image;
}
} // namespace

void SampleContent::writeArchives()
{
    for (const Kind* kind : Kind::all()) {
        CatalogueFile file(kind->layout);
        file.open(archivePath(*kind));
        const KindSamples samples = samplesOf(*kind);
        for (const Texts& card : samples.cards) {
            Record record(kind->layout);
            for (const auto& [field, text] : card)
                record.setText(field, text);
            const int number = file.appendCard(record);
            CoverPhotos::save(*kind, kArchiveName, QString::number(number), CoverPicture(cover(samples, card, number)));
        }
        file.close();
        for (const char* name : {"Ufficio", "Regali di Natale 2023"})
            QFile(ProgramFolder::file(QLatin1String(name) + kind->extension)).open(QIODevice::WriteOnly);
    }
}

QString SampleContent::archivePath(const Kind& kind)
{
    return ProgramFolder::file(kArchiveName + kind.extension);
}

QString SampleContent::writeBooksToImport()
{
    const QString path = ProgramFolder::path() + QStringLiteral("../Libri del circolo.csv");
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write("Title;Author;Publisher;Year;Shelf;Borrowed by\r\n"
                   "Il Gattopardo;Giuseppe Tomasi di Lampedusa;Feltrinelli;1958;A1;\r\n"
                   "La coscienza di Zeno;Italo Svevo;Cappelli;1923;A1;Marta\r\n"
                   "Se questo \xC3\xA8 un uomo;Primo Levi;De Silva;1947;A2;\r\n"
                   "\"Marcovaldo, ovvero le stagioni in citt\xC3\xA0\";Italo Calvino;Einaudi;1963;A3;Luca\r\n"
                   "Il giorno della civetta;Leonardo Sciascia;Einaudi;1961;A3;\r\n");
    return path;
}

QImage SampleContent::landscape()
{
    QImage photo(1600, 1000, QImage::Format_RGB32);
    QPainter painter(&photo);
    QLinearGradient sky(0, 0, 0, 650);
    sky.setColorAt(0, QColor(0x2C, 0x5D, 0x8F));
    sky.setColorAt(1, QColor(0xF2, 0xC1, 0x8D));
    painter.fillRect(0, 0, 1600, 650, sky);
    painter.fillRect(0, 650, 1600, 350, QColor(0x3E, 0x6B, 0x2F));
    painter.setBrush(QColor(0xFF, 0xE0, 0x80));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPoint(1150, 480), 130, 130);
    return photo;
}
