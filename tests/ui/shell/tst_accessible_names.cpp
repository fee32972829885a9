// What a screen reader finds in every window of the program: a name for each control that a user
// can press or type into, the caption of a field as its name, the hint of a picture as its
// description. Each window is reached the way the program opens it.
#include "TestSupport.h"
#include "cards/CardWindow.h"
#include "shell/ChainWindow.h"
#include "shell/OpenURL.h"
#include "start/TfrmAvvio.h"
#include "start/TfrmCambiaPassword.h"
#include "start/TfrmPassword.h"
#include "start/Windows.h"
#include "widgets/LinkLabel.h"
#include "widgets/PhotoBox.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QHash>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <functional>

namespace {
using WindowOf = std::function<ChainWindow*()>;

// A window as the program opens it: a chain window shown by itself, or a dialog opened by a click
// on a control of a chain window.
struct Opening {
    WindowOf owner;
    QString control; // empty: the owner itself
};

// The text of `text` that a screen reader gets for `widget`.
QString accessibleText(QWidget* widget, QAccessible::Text text)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible ? accessible->text(text) : QString();
}

// Whether a screen reader is shown `widget` at all: a picture that repeats its neighbour's meaning
// is left out of its view.
bool shownToReaders(QWidget* widget)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible && !accessible->state().invisible;
}

// The controls of a window that a user can press or type into. Every control of the program is
// named after its role (txtTitolo, cmdSalva); the parts that Qt builds inside its own widgets
// (scroll bars, headers, a grid's corner) are not controls of their own.
QList<QWidget*> controlsOf(QWidget* window)
{
    QList<QWidget*> controls;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        const QString name = widget->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
            continue;
        if (qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLineEdit*>(widget) ||
            qobject_cast<QPlainTextEdit*>(widget) || qobject_cast<QAbstractItemView*>(widget) ||
            qobject_cast<LinkLabel*>(widget) || qobject_cast<PhotoBox*>(widget))
            controls.append(widget);
    }
    return controls;
}

using Names = QList<std::pair<QString, QString>>; // control, the name a screen reader reads
} // namespace

Q_DECLARE_METATYPE(Opening)
Q_DECLARE_METATYPE(Names)

class AccessibleNamesTest : public WindowTest {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void everyControlHasAName_data();
    void everyControlHasAName();
    void picturesAreDescribedByTheirHints();
    void longTextsAreDescriptions_data();
    void longTextsAreDescriptions();

private:
    // Runs `inspect` on the window while the program shows it.
    void whileOpen(const Opening& opening, const std::function<void(QWidget*)>& inspect);
};

void AccessibleNamesTest::init()
{
    WindowTest::init();
    // The help, the about window and the attachments open documents and links: here, nothing.
    TMisc::setResponder([](const QString&) {});
    for (const Kind* kind : Kind::all())
        Windows::card(kind->id)->setArchive(folder().file(QStringLiteral("Prova") + kind->extension),
                                            QStringLiteral("Prova"));
}

void AccessibleNamesTest::cleanup()
{
    TMisc::setResponder({});
    WindowTest::cleanup();
}

void AccessibleNamesTest::whileOpen(const Opening& opening, const std::function<void(QWidget*)>& inspect)
{
    ChainWindow* owner = opening.owner();
    owner->present();
    if (opening.control.isEmpty()) {
        inspect(owner);
        owner->hide();
        return;
    }
    bool opened = false;
    whenModalOpens([&](QWidget* dialog) {
        opened = dialog != nullptr;
        if (!dialog)
            return;
        inspect(dialog);
        dialog->close();
    });
    click(owner, opening.control);
    owner->hide();
    QVERIFY2(opened, qPrintable(opening.control + QStringLiteral(" opened no window")));
}

void AccessibleNamesTest::everyControlHasAName_data()
{
    QTest::addColumn<Opening>("opening");
    QTest::addColumn<Names>("names");

    const WindowOf start = []() -> ChainWindow* { return Windows::avvio(); };
    const WindowOf books = []() -> ChainWindow* { return Windows::card(KindId::Libri); };
    const WindowOf comics = []() -> ChainWindow* { return Windows::card(KindId::Fumetti); };
    const WindowOf dvds = []() -> ChainWindow* { return Windows::card(KindId::DVD); };

    // The pictures that hold words say them: the initial password above all.
    QTest::newRow("TfrmPassword") << Opening{[]() -> ChainWindow* { return Windows::password(); }, {}}
                                  << Names{{"txtPassword", "Immetti la password e premi OK."},
                                           {"imgLogo", "Password. Proteggi l'accesso al programma con una password "
                                                       "scelta da te. Password iniziale: “pergamenaverde” (da "
                                                       "digitare senza le virgolette)."}};
    QTest::newRow("TfrmCambiaPassword") << Opening{[]() -> ChainWindow* { return Windows::cambiaPassword(); }, {}}
                                        << Names{{"txtPasswordOld", "Vecchia password:"},
                                                 {"txtConferma", "Conferma nuova password:"}};
    QTest::newRow("TfrmAvvio") << Opening{start, {}}
                               << Names{{"imgLibri", "Catalogo libri"},
                                        {"imgFumetti", "Raccolta fumetti"},
                                        {"imgDVD", "Collezione DVD"},
                                        {"imgSottotitolo", "Cataloga libri, fumetti e DVD in schedari con foto di "
                                                           "copertine e locandine, e guarda lo slide show di ogni "
                                                           "raccolta."}};
    QTest::newRow("TfrmGuida") << Opening{start, "imgGuida"} << Names{};
    QTest::newRow("TfrmInfo") << Opening{start, "imgInfo"}
                              << Names{{"imgLogo", "Cartavox. Catalogazione di libri, fumetti e DVD. Versione 1.0. "
                                                   "© 2026 Cartavox Software."}};
    QTest::newRow("TfrmSplash") << Opening{start, "imgCopyright"} << Names{};
    // How the window classes of each kind end.
    const KindRows<QString> suffixes{"suffixes", {{"libri", "Libri"}, {"fumetti", "Fumetti"}, {"dvd", "DVD"}}};
    for (const Kind* each : Kind::all()) {
        const KindId kind = each->id;
        const QString& suffix = suffixes.of(*each);
        const WindowOf menu = [kind]() -> ChainWindow* { return Windows::menu(kind); };
        QTest::addRow("TfrmMenu%s", qPrintable(suffix)) << Opening{menu, {}} << Names{};
        QTest::addRow("TfrmImporta%s", qPrintable(suffix))
            << Opening{menu, "btnImporta"}
            << Names{{"txtFile", "File da importare:"}, {"txtNome", "Nome del nuovo archivio"}, {"imgEsci", "Esci"}};
        QTest::addRow("TfrmCrea%s", qPrintable(suffix))
            << Opening{[kind]() -> ChainWindow* { return Windows::create(kind); }, {}}
            << Names{{"txtFile", "Nome del nuovo archivio:"}, {"btnApplica", "Applica e chiudi"}};
        QTest::addRow("TfrmApri%s", qPrintable(suffix))
            << Opening{[kind]() -> ChainWindow* { return Windows::open(kind); }, {}}
            << Names{{"btnApri", "Apri archivio"}};
        const WindowOf card = [kind]() -> ChainWindow* { return Windows::card(kind); };
        QTest::addRow("Tfrm%s", qPrintable(suffix)) << Opening{card, {}} << Names{};
        QTest::addRow("TfrmTrova%s", qPrintable(suffix)) << Opening{card, "cmdTrova"} << Names{};
        QTest::addRow("TfrmExp%s", qPrintable(suffix)) << Opening{card, "cmdEsporta"} << Names{};
        QTest::addRow("TfrmAnteprima%s", qPrintable(suffix)) << Opening{card, "cmdAnteprima"} << Names{};
        QTest::addRow("TfrmStampa%s", qPrintable(suffix)) << Opening{card, "cmdStampa"} << Names{};
        QTest::addRow("TfrmSlideshow_%s", qPrintable(suffix)) << Opening{card, "cmdSlideshow"} << Names{};
    }
    QTest::newRow("TfrmZoom") << Opening{dvds, "btnZoomFoto"} << Names{};
    // Three slots alike: each button says which document it acts on.
    QTest::newRow("TfrmAllegaCartella") << Opening{books, "cmdFile"}
                                        << Names{{"txtDesc02", "Descrizione 2° file allegato:"},
                                                 {"btnSfoglia02", "Sfoglia... (2° file allegato)"},
                                                 {"btnApri03", "Apri (3° file allegato)"},
                                                 {"imgCancella01", "Cancella il nome del 1° file allegato"}};
    QTest::newRow("TfrmCodici_Dewey") << Opening{books, "btnDewey"} << Names{{"txtTrova", "Parole da trovare"}};
    QTest::newRow("TfrmRiepFumettiMancanti") << Opening{comics, "cmdMancanti"} << Names{};

    // A few names as the user reads them on the card windows and the search window.
    QTest::newRow("TfrmLibri, names") << Opening{books, {}} << Names{{"txtTitolo", "Titolo libro:"},
                                                                     {"txtDewey", "Codice Dewey:"},
                                                                     {"txtNote", "Note"},
                                                                     {"cmdSalva", "Salva scheda"},
                                                                     {"cmdElimina", "Elimina scheda"},
                                                                     {"cmdStampa", "Stampa"},
                                                                     {"btnDewey", "Codici Dewey"}};
    QTest::newRow("TfrmFumetti, names") << Opening{comics, {}}
                                        << Names{{"chkMancante", "Albo mancante"}, {"cmdAnteprima", "Anteprima"}};
    QTest::newRow("TfrmTrovaDVD, names") << Opening{dvds, "cmdTrova"}
                                         << Names{{"txtRegista", "Regista:"}, {"txtTrova", "Parole da trovare"}};
}

void AccessibleNamesTest::everyControlHasAName()
{
    QFETCH(Opening, opening);
    QFETCH(Names, names);
    QStringList seen;
    QStringList unnamed;
    QStringList misnamed;
    QStringList repeated;
    QAccessible::Role role = QAccessible::NoRole;
    whileOpen(opening, [&](QWidget* window) {
        seen << QString::fromLatin1(window->metaObject()->className());
        role = QAccessible::queryAccessibleInterface(window)->role();
        // A listener tells the controls apart by their names: no two alike, nor one left unnamed.
        QHash<QString, QString> named;
        for (QWidget* control : controlsOf(window)) {
            if (!shownToReaders(control))
                continue;
            const QString name = accessibleText(control, QAccessible::Name).trimmed();
            if (name.isEmpty())
                unnamed << control->objectName();
            else if (named.contains(name))
                repeated << named.value(name) + QStringLiteral(" and ") + control->objectName() + QStringLiteral(": ") +
                                name;
            else
                named.insert(name, control->objectName());
        }
        for (const auto& [control, name] : names) {
            const QString read = accessibleText(child<QWidget>(window, control), QAccessible::Name);
            if (read != name)
                misnamed << control + QStringLiteral(": ") + read;
        }
    });
    // The row is named after the window it walks.
    QCOMPARE(seen, QStringList{QString::fromLatin1(QTest::currentDataTag()).section(u',', 0, 0)});
    QCOMPARE(unnamed, QStringList());
    QCOMPARE(misnamed, QStringList());
    QCOMPARE(repeated, QStringList());
    // A chain window is a window to a screen reader, not a "filler"; the others are dialogs.
    QCOMPARE(role, opening.control.isEmpty() ? QAccessible::Window : QAccessible::Dialog);
}

void AccessibleNamesTest::picturesAreDescribedByTheirHints()
{
    CardWindow* books = Windows::card(KindId::Libri);
    books->present();
    QCOMPARE(accessibleText(child<QWidget>(books, QStringLiteral("cmdSalva")), QAccessible::Description),
             QStringLiteral("Salva la scheda in archivio."));
    QCOMPARE(accessibleText(child<QWidget>(books, QStringLiteral("btnZoomFoto")), QAccessible::Description),
             QStringLiteral("Visualizza la foto nelle sue dimensioni reali."));
    QCOMPARE(accessibleText(child<QWidget>(books, QStringLiteral("cmdSlideshow")), QAccessible::Description),
             QStringLiteral("Esegui lo slide show del catalogo di libri."));
}

void AccessibleNamesTest::longTextsAreDescriptions_data()
{
    QTest::addColumn<Opening>("opening");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    const WindowOf books = []() -> ChainWindow* { return Windows::card(KindId::Libri); };
    const WindowOf comics = []() -> ChainWindow* { return Windows::card(KindId::Fumetti); };
    // The quick find's instruction is too long to hear at every visit to its field.
    QTest::newRow("search, quick find")
        << Opening{books, "cmdTrova"} << "txtTrova"
        << "Parole da trovare"
        << "Immettere una o più parole consecutive presenti nella scheda in elenco da cercare e premere il pulsante "
           "Trova.";
    QTest::newRow("missing issues, quick find")
        << Opening{comics, "cmdMancanti"} << "txtTrova"
        << "Parole da trovare"
        << "Immettere una o più parole consecutive presenti nella scheda in elenco da cercare e premere il pulsante "
           "Trova.";
    QTest::newRow("Dewey table, quick find")
        << Opening{books, "btnDewey"} << "txtTrova"
        << "Parole da trovare"
        << "Immettere una o più parole consecutive presenti nella voce in elenco da cercare e premere il pulsante "
           "Trova.";
    QTest::newRow("information, logo")
        << Opening{[]() -> ChainWindow* { return Windows::avvio(); }, "imgInfo"} << "imgLogo"
        << "Cartavox. Catalogazione di libri, fumetti e DVD. Versione 1.0. © 2026 Cartavox Software."
        << "Schede descrittive con foto di copertina. Ricerca su più campi. Stampa e anteprima delle schede. "
           "Esportazione in foglio di calcolo. Slide show delle copertine.";
}

void AccessibleNamesTest::longTextsAreDescriptions()
{
    QFETCH(Opening, opening);
    QFETCH(QString, control);
    QFETCH(QString, name);
    QFETCH(QString, description);
    QString readName;
    QString readDescription;
    whileOpen(opening, [&](QWidget* window) {
        QWidget* widget = child<QWidget>(window, control);
        readName = accessibleText(widget, QAccessible::Name);
        readDescription = accessibleText(widget, QAccessible::Description);
    });
    QCOMPARE(readName, name);
    QCOMPARE(readDescription, description);
}

CARTAVOX_TEST_MAIN(AccessibleNamesTest)
#include "tst_accessible_names.moc"
