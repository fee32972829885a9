// What a screen reader is told when an action changes what a window shows while the focus stays
// where it was. The card that a navigation picture or key brought is told by a notification that
// shows, which a reader speaks whatever has the focus; the line that "Trova" found becomes the
// list's current line, which Qt tells a reader as the line with the focus.
#include "../search/SearchTestSupport.h"
#include "OpenCard.h"
#include "TestSupport.h"
#include "search/SearchWindow.h"
#include "search/TfrmCodici_Dewey.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

#include <utility>

namespace {
// The words of every notification that shows while it lives. Qt tells a screen reader of each
// widget that shows, and a reader speaks a notification as it does, whatever has the focus. The
// showing is watched rather than Qt's accessibility event, which Qt hands on only while a screen
// reader listens: offscreen, none does.
class Notifications final : public QObject {
public:
    Notifications() { qApp->installEventFilter(this); }

    QStringList take() { return std::exchange(m_said, {}); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            QAccessibleInterface* shown = QAccessible::queryAccessibleInterface(watched);
            if (shown && shown->role() == QAccessible::Notification)
                m_said.append(shown->text(QAccessible::Name));
        }
        return false;
    }

private:
    QStringList m_said;
};

struct SearchCase {
    StoredTexts card;
    QString key;
    QString line; // the line found, the blanks between its columns run together
};

const KindRows<SearchCase> kSearchCases{
    "kSearchCases",
    {{"libri",
      {{{"Titolo", "Il nome della rosa"}, {"Autore", "Umberto Eco"}, {"Editore", "Bompiani"}, {"Anno", "1980"}},
       "ROSA",
       "Il nome della rosa Autore: Umberto Eco Editore: Bompiani Anno: 1980"}},
     {"fumetti",
      {{{"Titolo", "Tex"}, {"Autore", "Gian Luigi Bonelli"}, {"Numero", "12"}, {"Data", "1960"}},
       "bonelli",
       "Tex Autore: Gian Luigi Bonelli Albo n. 12 Data: 1960"}},
     {"dvd",
      {{{"Titolo", "Il gattopardo"},
        {"Regista", "Luchino Visconti"},
        {"Protagonista", "Burt Lancaster"},
        {"Anno", "1963"}},
       "lancaster",
       "Il gattopardo Regista: Luchino Visconti Attore: Burt Lancaster Anno: 1963"}}},
};

// The list's current line, which Qt tells a screen reader as the line with the focus.
QString currentLine(const ResultList* list)
{
    const int row = list->currentIndex().row();
    return row >= 0 ? list->lines().at(row) : QString();
}

QString archivePath(const ProgramFolderFixture& folder, KindId kind)
{
    return folder.file(QStringLiteral("Prova") + Kind::of(kind).extension);
}
} // namespace

class TestAnnouncements : public WindowTest {
    Q_OBJECT

private slots:
    void navigationTellsTheCardItShows_data() { addKindRows(); }
    void navigationTellsTheCardItShows();
    void navigationKeysTellItToo_data();
    void navigationKeysTellItToo();
    void emptyArchiveLeavesItToTheMessage();
    void quickFindMakesTheLineCurrent_data() { addKindRows(); }
    void quickFindMakesTheLineCurrent();
    void deweyFindMakesTheRowCurrent();
};

void TestAnnouncements::navigationTellsTheCardItShows()
{
    QFETCH(KindId, kind);
    const QString path = archivePath(folder(), kind);
    archiveOf(path, Kind::of(kind), {{{"Titolo", "Il nome della rosa"}}, {{"Titolo", "Baudolino"}}, {}});
    OpenCard card(kind, path);
    QVERIFY(QTest::qWaitForWindowActive(card.window));
    QWidget* focus = QApplication::focusWidget();
    QCOMPARE(focus, card.field(QStringLiteral("Titolo")));

    Notifications told;
    const struct {
        const char* button;
        QStringList said;
    } steps[] = {
        {"cmdAvanti", {"Scheda 1: Il nome della rosa"}},
        {"cmdUltimo", {"Scheda 3"}}, // a card without a title
        {"cmdAvanti", {}},           // the last card already: nothing changes, nothing is said
        {"cmdIndietro", {"Scheda 2: Baudolino"}},
        {"cmdPrimo", {"Scheda 1: Il nome della rosa"}},
        {"cmdIndietro", {}},
    };
    for (const auto& step : steps) {
        card.click(step.button);
        QCOMPARE(told.take(), step.said);
        QCOMPARE(QApplication::focusWidget(), focus);
    }
    QCOMPARE(messages().count(), 0);
}

void TestAnnouncements::navigationKeysTellItToo_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("said");
    QTest::newRow("Space on the next-card picture")
        << "cmdAvanti" << int(Qt::Key_Space) << Qt::KeyboardModifiers() << "Scheda 1: Il nome della rosa";
    QTest::newRow("Enter on the last-card picture")
        << "cmdUltimo" << int(Qt::Key_Return) << Qt::KeyboardModifiers() << "Scheda 2: Baudolino";
    QTest::newRow("Page Down in a field")
        << "txtAutore" << int(Qt::Key_PageDown) << Qt::KeyboardModifiers() << "Scheda 1: Il nome della rosa";
    QTest::newRow("Ctrl+End in a field") << "txtTitolo" << int(Qt::Key_End)
                                         << Qt::KeyboardModifiers(Qt::ControlModifier) << "Scheda 2: Baudolino";
}

void TestAnnouncements::navigationKeysTellItToo()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, said);
    const QString path = archivePath(folder(), KindId::Libri);
    archiveOf(path, Kind::libri(), {{{"Titolo", "Il nome della rosa"}}, {{"Titolo", "Baudolino"}}});
    OpenCard card(KindId::Libri, path);
    QVERIFY(QTest::qWaitForWindowActive(card.window));
    auto* focused = child<QWidget>(card.window, focus);
    focused->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), focused);

    Notifications told;
    QTest::keyClick(focused, Qt::Key(key), modifiers);
    QCOMPARE(told.take(), QStringList{said});
    QCOMPARE(QApplication::focusWidget(), focused);
}

void TestAnnouncements::emptyArchiveLeavesItToTheMessage()
{
    const QString path = archivePath(folder(), KindId::Libri);
    writeFileBytes(path, {});
    OpenCard card(KindId::Libri, path);
    Notifications told;
    for (const char* button : {"cmdPrimo", "cmdIndietro", "cmdAvanti", "cmdUltimo"}) {
        messages().clear();
        card.click(button);
        QCOMPARE(messages().count(), 1);
        QCOMPARE(messages().last().text, QStringLiteral("L'archivio non contiene nessuna scheda."));
        QCOMPARE(told.take(), QStringList());
    }
}

void TestAnnouncements::quickFindMakesTheLineCurrent()
{
    QFETCH(KindId, kind);
    const SearchCase& found = kSearchCases.of(kind);
    const QString path = archivePath(folder(), kind);
    archiveOf(path, Kind::of(kind), {{{"Titolo", "Altro titolo"}}, found.card});
    OpenCard card(kind, path);
    QVERIFY(withListWindow<SearchWindow>(card, "cmdTrova", [&](SearchWindow* search) {
        click(search, QStringLiteral("btnCerca"));
        type(search, QStringLiteral("txtTrova"), found.key);
        // Enter in the key moves to "Trova", where the focus stays while it is pressed.
        QTest::keyClick(search->txtTrova, Qt::Key_Return);
        QTest::keyClick(search->btnTrova, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), search->btnTrova);
        QCOMPARE(currentLine(search->lstRecords).simplified(), found.line);

        // A key found nowhere leaves the current line as it was.
        type(search, QStringLiteral("txtTrova"), QStringLiteral("assente"));
        click(search, QStringLiteral("btnTrova"));
        QCOMPARE(currentLine(search->lstRecords).simplified(), found.line);
    }));
}

void TestAnnouncements::deweyFindMakesTheRowCurrent()
{
    OpenCard card(KindId::Libri, archivePath(folder(), KindId::Libri));
    bool opened = false;
    whenModalOpens([&](QWidget* modal) {
        auto* table = qobject_cast<TfrmCodici_Dewey*>(modal);
        if (!table)
            return;
        opened = true;
        QVERIFY(QTest::qWaitForWindowActive(table));
        auto closeAtTheEnd = qScopeGuard([table] { table->reject(); });
        child<QTimer>(table, QStringLiteral("timCarica"))->start(0);
        QTRY_COMPARE(table->lstRecords->count(), 3721);

        const struct {
            const char* key;
            const char* current;
        } presses[] = {
            {"culinaria", "641 CULINARIA"},
            {"culinaria", "641 CULINARIA. CUCINA ITALIANA"},
            {"xyzzy", "641 CULINARIA. CUCINA ITALIANA"}, // found nowhere: nothing moves
            {"extraterrestri", "999 STORIA DI MONDI EXTRATERRESTRI"},
        };
        for (const auto& press : presses) {
            type(table, QStringLiteral("txtTrova"), QLatin1String(press.key));
            QTest::keyClick(table->txtTrova, Qt::Key_Return);
            QTest::keyClick(table->btnTrova, Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), table->btnTrova);
            QCOMPARE(currentLine(table->lstRecords), QLatin1String(press.current));
        }
    });
    card.click("btnDewey");
    QVERIFY(opened);
}

CARTAVOX_TEST_MAIN(TestAnnouncements)
#include "tst_announcements.moc"
