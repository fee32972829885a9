// The report engine: a list of 3,721 lines of about 80 characters (the size of the Dewey table)
// prepared and painted to PDF, and a card whose picture is a 6000 x 4000 photo prepared and painted
// to PDF and shown in the preview window; the median and the slowest of several runs.
//   build/bench/bench_report [runs] [folder]
// With a folder, the PDFs of the last run stay there to be looked at: the three cards filled with
// sample values and a list of three pages.
#include "BenchSupport.h"
#include "output/ReportPrinter.h"
#include "report/ListReport.h"
#include "report/Report.h"
#include "shell/Application.h"
#include "shell/ProgramFormats.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {
double milliseconds(const QElapsedTimer& timer)
{
    return timer.nsecsElapsed() / 1e6;
}

QStringList listLines(int count)
{
    // Lines like the Dewey table's: a code, a description padded to a fixed width.
    const QString words = QStringLiteral("Filosofia psicologia religione scienze sociali linguaggio matematica "
                                         "tecnologia arti letteratura geografia storia biografie ");
    QRandomGenerator random(3721);
    QStringList lines;
    for (int i = 0; i < count; ++i) {
        const int start = int(random.bounded(words.size() / 2));
        const QString text = words.mid(start, 66).leftJustified(66);
        lines << QStringLiteral("%1.%2   %3")
                     .arg(i % 1000, 3, 10, QLatin1Char('0'))
                     .arg(i % 97, 2, 10, QLatin1Char('0'))
                     .arg(text);
    }
    return lines;
}

QImage cameraPhoto()
{
    QImage photo(6000, 4000, QImage::Format_RGB32);
    QPainter painter(&photo);
    QLinearGradient sky(0, 0, 0, photo.height());
    sky.setColorAt(0, QColor::fromHsv(210, 120, 200));
    sky.setColorAt(1, QColor::fromHsv(30, 90, 230));
    painter.fillRect(photo.rect(), sky);
    QRandomGenerator shapes(7);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 300; ++i) {
        painter.setBrush(QColor::fromHsv(int(shapes.bounded(360)), 140, 60 + int(shapes.bounded(180))));
        painter.drawEllipse(QPoint(int(shapes.bounded(photo.width())), int(shapes.bounded(photo.height()))),
                            40 + int(shapes.bounded(400)), 40 + int(shapes.bounded(300)));
    }
    painter.end();
    // Through JPEG and back, as a photo file would come.
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    photo.save(&buffer, "JPG", 90);
    return QImage::fromData(jpeg, "JPG");
}

struct Card {
    QString resource;
    QString name;
    QString title;
    QList<std::pair<QString, QString>> values;
};

const QList<Card> kCards{
    {QStringLiteral(":/reports/scheda_libro.json"),
     QStringLiteral("Biblioteca di casa"),
     QStringLiteral("Il nome della rosa"),
     {{"txtAutore", "Umberto Eco"},
      {"txtNazione", "Italia"},
      {"txtAnno", "1980"},
      {"txtEditore", "Bompiani"},
      {"txtCitta", "Milano"},
      {"txtGenere", "Romanzo storico"},
      {"txtISBN", "978-88-452-0705-8"},
      {"txtLingua", "Italiano"},
      {"txtOriginale", "Il nome della rosa"},
      {"txtTraduttore", "-"},
      {"txtCollana", "I grandi tascabili [n. 12]"},
      {"txtCuratore", "-"},
      {"txtPosizione", "Scaffale 3, ripiano 2"},
      {"txtEtichetta", "LIB-0042"},
      {"txtFormato", "Tascabile"},
      {"txtDewey", "853.914"},
      {"txtVolumi", "1"},
      {"txtPagine", "503"},
      {"txtPrezzo", "12,50"},
      {"txtGiudizio", "Ottimo"},
      {"txtNote", "Prima edizione con sovraccoperta; dedica dell'autore sul frontespizio. Un testo molto lungo che "
                  "continua oltre il bordo del riquadro e viene tagliato senza andare a capo, come previsto."}}},
    {QStringLiteral(":/reports/scheda_fumetto.json"),
     QStringLiteral("Raccolta fumetti"),
     QStringLiteral("Tex - La mano rossa"),
     {{"txtAutore", "G. L. Bonelli"},
      {"txtNazione", "Italia"},
      {"txtData", "01/09/1958"},
      {"txtNumero", "1"},
      {"txtEditore", "Sergio Bonelli Editore"},
      {"txtCitta", "Milano"},
      {"txtGenere", "Western"},
      {"txtDirettore", "Sergio Bonelli"},
      {"txtLingua", "Italiano"},
      {"txtDisegnatore", "Aurelio Galleppini"},
      {"txtContenuti", "Poster"},
      {"txtStato", "Buono"},
      {"txtFormato", "Bonelli"},
      {"txtPosizione", "Scatola 1"},
      {"txtEtichetta", "FUM-0001"},
      {"txtStoria", "Tex Willer affronta la banda della mano rossa nel Nuovo Messico."},
      {"txtPersonaggi", "Tex Willer, Kit Carson, Tiger Jack"},
      {"txtPrezzo", "3,00"},
      {"txtPagine", "114"},
      {"txtGiudizio", "Da collezione"},
      {"txtNote", "Ristampa anastatica"}}},
    {QStringLiteral(":/reports/scheda_dvd.json"),
     QStringLiteral("Collezione film"),
     QStringLiteral("La dolce vita"),
     {{"txtRegista", "Federico Fellini"},
      {"txtNazione", "Italia, Francia"},
      {"txtAnno", "1960"},
      {"txtProtagonista", "Marcello Mastroianni"},
      {"txtDistribuzione", "Cineriz"},
      {"txtGenere", "Drammatico"},
      {"txtLingua", "Italiano"},
      {"txtAltreLingue", "Inglese, Francese"},
      {"txtOriginale", "La dolce vita"},
      {"txtSottotitoli", "Italiano, Inglese"},
      {"txtCollana", "Capolavori del cinema"},
      {"txtPremi", "Palma d'oro, Cannes 1960"},
      {"txtPosizione", "Mobile TV, cassetto 1"},
      {"txtEtichetta", "DVD-0107"},
      {"txtDurata", "174 minuti"},
      {"txtPrezzo", "9,90"},
      {"txtCast", "Marcello Mastroianni, Anita Ekberg, Anouk Aimée, Yvonne Furneaux, Alain Cuny"},
      {"txtGiudizio", "Capolavoro"},
      {"txtNote", "Edizione restaurata in due dischi"}}},
};

Report filledCard(const Card& card, const QImage& photo)
{
    Report report = Report::load(card.resource);
    report.page(1).setOrientation(QPageLayout::Portrait);
    report.picture(QStringLiteral("imgLogo")).setPicture(photo);
    report.text(QStringLiteral("txtTitolo")).setText(card.title);
    report.text(QStringLiteral("txtNome")).setText(card.name);
    for (const auto& [object, value] : card.values)
        report.text(object).setText(value);
    report.prepare(QStringLiteral("dd/MM/yyyy"));
    return report;
}
} // namespace

int main(int argc, char** argv)
{
    prepareBenchmark();
    Application app(argc, argv);
    ProgramFormats::apply();
    const int runs = runsArgument(argc, argv, 9);
    QTemporaryDir temporary;
    const QString folder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : temporary.path();
    QDir().mkpath(folder);

    const QStringList lines = listLines(3721);
    QList<double> listTimes;
    int listPages = 0;
    qint64 listBytes = 0;
    for (int run = 0; run < runs; ++run) {
        const QString pdf = folder + QStringLiteral("/riepilogo_3721.pdf");
        QElapsedTimer timer;
        timer.start();
        const Report report =
            ListReport::make(QStringLiteral("Tabella Codici Dewey"), lines, QStringLiteral("dd/MM/yyyy"));
        report.writePdf(pdf);
        listTimes << milliseconds(timer);
        listPages = report.pageCount();
        listBytes = QFileInfo(pdf).size();
    }
    const Figures list = summary(listTimes);
    std::printf(
        "list of %lld lines, %d pages, %.0f KB: prepare + paint to PDF median %.0f ms, slowest %.0f ms (no target)\n",
        qlonglong(lines.size()), listPages, listBytes / 1024.0, list.median, list.slowest);

    const QImage photo = cameraPhoto();
    QList<double> cardTimes;
    QList<double> previewTimes;
    qint64 cardBytes = 0;
    for (int run = 0; run < runs; ++run) {
        const QString pdf = folder + QStringLiteral("/scheda_foto.pdf");
        QElapsedTimer timer;
        timer.start();
        const Report report = filledCard(kCards.at(0), photo);
        report.writePdf(pdf);
        cardTimes << milliseconds(timer);
        cardBytes = QFileInfo(pdf).size();

        // From the button to the preview window on screen, painted: the timer runs once the
        // window's event loop has shown it.
        double shown = 0;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog)
                return;
            dialog->repaint();
            shown = milliseconds(timer);
            dialog->close();
        });
        timer.restart();
        Report previewed = filledCard(kCards.at(0), photo);
        ReportPrinter::preview(nullptr, previewed, QStringLiteral("Scheda Libro"));
        previewTimes << shown;
    }
    const Figures card = summary(cardTimes);
    const Figures preview = summary(previewTimes);
    std::printf("card with a 6000 x 4000 photo, %.0f KB: fill + prepare + paint to PDF median %.0f ms, slowest %.0f ms "
                "(no target)\n",
                cardBytes / 1024.0, card.median, card.slowest);
    std::printf(
        "card with a 6000 x 4000 photo: preview window shown and painted median %.0f ms, slowest %.0f ms (no target)\n",
        preview.median, preview.slowest);

    if (argc > 2) {
        const QImage sample = photo.scaled(1200, 800);
        for (const Card& sampleCard : kCards)
            filledCard(sampleCard, sample)
                .writePdf(folder + QLatin1Char('/') + QFileInfo(sampleCard.resource).baseName() +
                          QStringLiteral(".pdf"));
        ListReport::make(QStringLiteral("Riepilogo libri in archivio"), lines.mid(0, 130), QStringLiteral("dd/MM/yyyy"))
            .writePdf(folder + QStringLiteral("/riepilogo_3_pagine.pdf"));
        std::printf("samples written in %s\n", qPrintable(folder));
    }
    return 0;
}
