// A paste into a field of the archives' code page: a character the code page lacks becomes "?", as
// the archive will store it, the rest goes in as pasted, and the status line says what happened.
// Every way of pasting, in the three places where cards are typed: a card's field, a document's
// description, a cell of the export grid.
#include "CardArchiveBytes.h"
#include "OpenCard.h"
#include "TestSupport.h"

#include <QAbstractItemView>
#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTableView>
#include <QTest>

namespace {
enum class Place { CardField, Description, GridCell };
enum class Way { CtrlV, ShiftInsert, MenuPaste, Drop };

const QString kTwoReplaced =
    QStringLiteral("Testo incollato: 2 caratteri che l'archivio non può conservare sono stati sostituiti con \"?\".");
const QString kOneReplaced =
    QStringLiteral("Testo incollato: 1 carattere che l'archivio non può conservare è stato sostituito con \"?\".");

void pasteInto(QLineEdit* field, Way way, const QString& text)
{
    field->setFocus();
    QApplication::clipboard()->setText(text);
    switch (way) {
    case Way::CtrlV:
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        return;
    case Way::ShiftInsert:
        QTest::keyClick(field, Qt::Key_Insert, Qt::ShiftModifier);
        return;
    case Way::MenuPaste: {
        QContextMenuEvent asked(QContextMenuEvent::Keyboard, QPoint(4, 4), field->mapToGlobal(QPoint(4, 4)));
        QApplication::sendEvent(field, &asked);
        auto* menu = field->findChild<QMenu*>();
        QVERIFY(menu);
        // The menu's entry that names Ctrl+V, "Incolla" in Italian.
        QAction* paste = nullptr;
        for (QAction* action : menu->actions())
            if (action->text().endsWith(QLatin1String("\tCtrl+V")))
                paste = action;
        QVERIFY(paste);
        paste->trigger();
        menu->close();
        return;
    }
    case Way::Drop: {
        // A drag comes in over the field, then drops there.
        QMimeData dragged;
        dragged.setText(text);
        const QPoint at(field->width() - 4, field->height() / 2);
        QDragEnterEvent enter(at, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(field, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(field, &drop);
        return;
    }
    }
}
} // namespace

Q_DECLARE_METATYPE(Place)
Q_DECLARE_METATYPE(Way)

class CodePagePastesTest : public WindowTest {
    Q_OBJECT

private slots:
    void pasteGoesInWithQuestionMarks_data();
    void pasteGoesInWithQuestionMarks();
};

void CodePagePastesTest::pasteGoesInWithQuestionMarks_data()
{
    QTest::addColumn<Place>("place");
    QTest::addColumn<Way>("way");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<QString>("said"); // by the status line; empty: it is left as it was
    const QString walesa = QStringLiteral("Lech Wałęsa");
    const QString kept = QStringLiteral("Lech Wa??sa");
    QTest::newRow("card field, Ctrl+V") << Place::CardField << Way::CtrlV << walesa << kept << kTwoReplaced;
    QTest::newRow("card field, Shift+Insert") << Place::CardField << Way::ShiftInsert << walesa << kept << kTwoReplaced;
    QTest::newRow("card field, the menu's paste")
        << Place::CardField << Way::MenuPaste << walesa << kept << kTwoReplaced;
    QTest::newRow("card field, a drop") << Place::CardField << Way::Drop << walesa << kept << kTwoReplaced;
    QTest::newRow("card field, one character")
        << Place::CardField << Way::CtrlV << QStringLiteral("Wałbrzych") << QStringLiteral("Wa?brzych") << kOneReplaced;
    QTest::newRow("card field, a character outside the basic plane")
        << Place::CardField << Way::CtrlV << QStringLiteral("Libri 📚") << QStringLiteral("Libri ?") << kOneReplaced;
    QTest::newRow("card field, all in the code page") << Place::CardField << Way::CtrlV << QStringLiteral("Città “5 €”")
                                                      << QStringLiteral("Città “5 €”") << QString();
    QTest::newRow("description, Ctrl+V") << Place::Description << Way::CtrlV << walesa << kept << kTwoReplaced;
    QTest::newRow("description, the menu's paste")
        << Place::Description << Way::MenuPaste << walesa << kept << kTwoReplaced;
    QTest::newRow("grid cell, Ctrl+V") << Place::GridCell << Way::CtrlV << walesa << kept << kTwoReplaced;
    QTest::newRow("grid cell, a drop") << Place::GridCell << Way::Drop << walesa << kept << kTwoReplaced;
}

void CodePagePastesTest::pasteGoesInWithQuestionMarks()
{
    QFETCH(Place, place);
    QFETCH(Way, way);
    QFETCH(QString, pasted);
    QFETCH(QString, kept);
    QFETCH(QString, said);
    const QString archive = folder().file(QStringLiteral("Prova.lib"));
    writeFileBytes(archive, recordBytes(Kind::libri(), sampleCard(Kind::libri(), 1)));
    OpenCard card(KindId::Libri, archive);
    card.click("cmdPrimo");

    QString text;
    QString status;
    // Pastes into `field`; the status line that should speak is that of `speaking`.
    const auto pasteHere = [&](QWidget* speaking, QLineEdit* field) {
        auto* statusLine = child<QLabel>(speaking, QStringLiteral("panInfo"));
        statusLine->setText(QStringLiteral("Pronto."));
        field->clear();
        pasteInto(field, way, pasted);
        text = field->text();
        status = statusLine->text();
    };
    const auto inDialog = [&](const char* opener, const std::function<void(QWidget*)>& act) {
        bool opened = false;
        whenModalOpens([&](QWidget* dialog) {
            opened = dialog != nullptr;
            if (!dialog)
                return;
            act(dialog);
            dialog->close();
        });
        card.click(opener);
        QVERIFY(opened);
    };
    switch (place) {
    case Place::CardField:
        pasteHere(card.window, card.field(QStringLiteral("Titolo")));
        break;
    case Place::Description:
        // The attachment window has no status line: the card's, beneath it, speaks.
        inDialog("cmdFile", [&](QWidget* attachments) {
            pasteHere(card.window, child<QLineEdit>(attachments, QStringLiteral("txtDesc01")));
        });
        break;
    case Place::GridCell:
        inDialog("cmdEsporta", [&](QWidget* exportWindow) {
            auto* view = child<QTableView>(exportWindow, QStringLiteral("grdRecords"));
            const QModelIndex cell = view->model()->index(0, 7); // one the user may correct
            view->setCurrentIndex(cell);
            view->edit(cell);
            auto* editor = qobject_cast<QLineEdit*>(view->indexWidget(cell));
            QVERIFY(editor);
            pasteHere(exportWindow, editor);
        });
        break;
    }
    QCOMPARE(text, kept);
    QCOMPARE(status, said.isEmpty() ? QStringLiteral("Pronto.") : said);
}

CARTAVOX_TEST_MAIN(CodePagePastesTest)
#include "tst_code_page_pastes.moc"
