// Writes the PDF manual beside the executable at build time, with pictures of the windows it
// describes, taken from the program itself on sample archives, so they never go stale:
//   QT_QPA_PLATFORM=offscreen cartavox-manual PROGRAM_DIR/Guida.pdf
#include "SampleContent.h"
#include "cards/CardWindow.h"
#include "catalogues/ImportWindow.h"
#include "folder/ProgramFolder.h"
#include "help/HelpTopics.h"
#include "help/ManualPdf.h"
#include "output/CardPrintWindow.h"
#include "output/SlideShowWindow.h"
#include "search/SearchWindow.h"
#include "shell/Application.h"
#include "shell/FileDialog.h"
#include "start/TfrmAvvio.h"
#include "start/WindowClasses.h"
#include "start/Windows.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace {
// What a window shows once it has painted and its timers of the moment have run.
QImage picture(QWidget* window)
{
    QTest::qWait(150);
    return window->grab().toImage();
}

// A full-screen window without the empty screen around its panel, which would only make the panel
// smaller on the page: a strip of the window's background is kept, so it still reads as a window.
QImage panelPicture(QWidget* window)
{
    constexpr int kMargin = 20;
    const QImage whole = picture(window); // first, so the panel has found its place
    return whole.copy(window->childrenRect().adjusted(-kMargin, -kMargin, kMargin, kMargin) & window->rect());
}

// Opens a modal window with `open` and runs `action` on it from inside its event loop; `action`
// closes it.
void onModal(const std::function<void()>& open, const std::function<void(QWidget*)>& action)
{
    QTimer::singleShot(0, [action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            qFatal("the window expected did not open");
        action(modal);
    });
    open();
}

// Where each kind's help topic describes its card, and what the picture of the card says. A kind
// without a row here has its card shown after the first paragraph of its topic.
struct CardPicture {
    const char* tag;
    const char* after;
    const char* caption;
};
const CardPicture kCardPictures[] = {
    {"libri", "Per ogni libro la scheda raccoglie", "La scheda di un libro, con la foto della copertina."},
    {"fumetti", "Per ogni albo la scheda raccoglie", "La scheda di un albo a fumetti."},
    {"dvd", "Per ogni DVD la scheda raccoglie", "La scheda di un DVD, con la locandina."},
};

CardPicture cardPictureOf(const Kind& kind)
{
    for (const CardPicture& picture : kCardPictures)
        if (kind.tag == QLatin1String(picture.tag))
            return picture;
    return {nullptr, "", "La finestra della scheda."};
}

CardWindow* cardOnFirstCard(KindId kind)
{
    CardWindow* card = Windows::card(kind);
    card->present();
    card->setArchive(SampleContent::archivePath(Kind::of(kind)), SampleContent::kArchiveName);
    card->cmdAvantiClick();
    return card;
}

QList<ManualPdf::Picture> takePictures()
{
    QList<ManualPdf::Picture> pictures;
    const auto add = [&pictures](const QString& topic, const QString& after, const QString& caption,
                                 const QImage& image) {
        pictures.append({topic, after, caption, image});
    };

    TfrmAvvio* start = Windows::avvio();
    start->present();
    add(HelpTopics::kStartTitle, QStringLiteral("Entrambe si raggiungono dalla finestra iniziale"),
        QStringLiteral("La finestra iniziale: un clic su un'immagine apre la sua applicazione."), panelPicture(start));
    start->hide();

    for (const Kind* kind : Kind::all()) {
        CardWindow* card = cardOnFirstCard(kind->id);
        const CardPicture picture = cardPictureOf(*kind);
        add(kind->helpTopic, QString::fromUtf8(picture.after), QString::fromUtf8(picture.caption), panelPicture(card));
        card->hide();
    }

    // The windows every kind shares, shown once, in the books' chapter.
    const QString books = Kind::libri().helpTopic;
    CardWindow* card = cardOnFirstCard(KindId::Libri);

    onModal([card] { card->cmdTrovaClick(); },
            [&](QWidget* modal) {
                auto* search = qobject_cast<SearchWindow*>(modal);
                search->criterion(QStringLiteral("Editore"))->setText(QStringLiteral("Portico"));
                search->btnCercaClick();
                add(books, QStringLiteral("Il pulsante \"Trova\""),
                    QStringLiteral("Le schede trovate cercando \"Portico\" nel campo della casa editrice."),
                    picture(search));
                search->close();
            });

    onModal([card] { card->cmdSlideshowClick(); },
            [&](QWidget* modal) {
                auto* show = qobject_cast<SlideShowWindow*>(modal);
                show->TimerTimer(); // the first cover, six seconds in
                add(books, QStringLiteral("Il pulsante \"Slide Show\""),
                    QStringLiteral("Lo slide show: le copertine del catalogo a tutto schermo, una ogni sei secondi."),
                    picture(show));
                show->close();
            });

    onModal([card] { card->cmdAnteprimaClick(); },
            [&](QWidget* modal) {
                auto* print = qobject_cast<CardPrintWindow*>(modal);
                onModal([print] { print->btnStampaClick(); },
                        [&](QWidget* preview) {
                            preview->resize(1000, 768);
                            add(books, QStringLiteral("Il pulsante \"Anteprima\""),
                                QStringLiteral("L'anteprima di stampa della scheda."), picture(preview));
                            preview->close();
                        });
            });

    onModal([card] { card->cmdEsportaClick(); },
            [&](QWidget* modal) {
                add(Kind::libri().exportHelpTopic, QStringLiteral("Nella finestra che mostra la griglia"),
                    QStringLiteral("La griglia dei dati di un catalogo di libri, pronta per l'esportazione."),
                    picture(modal));
                modal->close();
            });
    card->hide();

    const QString list = SampleContent::writeBooksToImport();
    FileDialog::setResponder([&list](const FileDialog::Request&) { return list; });
    const auto import = WindowClasses::createDialog<ImportWindow>(WindowRole::Import, KindId::Libri, nullptr);
    import->show();
    import->btnScegliClick();
    import->txtNome->setText(QStringLiteral("Libri del circolo"));
    FileDialog::setResponder({});
    add(HelpTopics::kImportTitle, QStringLiteral("Premi \"Scegli il file\""),
        QStringLiteral("Un elenco di libri salvato da un foglio di calcolo, pronto per l'importazione: le "
                       "colonne \"Title\", \"Author\" e le altre hanno già il loro campo, \"Borrowed by\" "
                       "resta fuori."),
        picture(import.get()));
    import->hide();
    return pictures;
}
} // namespace

int main(int argc, char** argv)
{
    Application::requestSoftwareRendering();
    Application app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.pdf\n", argv[0]);
        return 2;
    }
    QTemporaryDir folder;
    ProgramFolder::setOverride(folder.path());
    SampleContent::writeArchives();
    Windows::createAll();
    const QList<ManualPdf::Picture> pictures = takePictures();
    Windows::destroyAll();
    if (!ManualPdf::write(QString::fromLocal8Bit(argv[1]), pictures)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
