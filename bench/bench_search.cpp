// The search window on an archive of 100,000 book cards: a selective search and a search with no
// criterion, each from the click on Cerca to the list painted, against one plain sequential read
// of the same file in the same run; then the quick find over all the lines, scrolling, and the
// opening of a listed card in the card window.
//   cmake --build build --target bench_search && build/bench/bench_search [cards]
#include "BenchArchive.h"
#include "app/Application.h"
#include "app/ProgramFolder.h"
#include "app/Windows.h"
#include "cards/CardWindow.h"
#include "search/ResultList.h"
#include "search/SearchWindow.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <memory>

namespace {
double seconds(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e9;
}

double best(int runs, const std::function<double()>& measure)
{
    double result = 1e9;
    for (int i = 0; i < runs; ++i)
        result = std::min(result, measure());
    return result;
}

// A fresh search window over the card window, shown as the program shows it, with the criteria
// typed in. The click itself is timed by the caller.
std::unique_ptr<SearchWindow> openSearch(CardWindow* card, const QString& field, const QString& text)
{
    std::unique_ptr<SearchWindow> search(SearchWindow::create(KindId::Libri, card));
    search->lblMemory->setText(QStringLiteral("libri"));
    search->show();
    QApplication::processEvents();
    if (!field.isEmpty())
        search->criterion(field)->setText(text);
    return search;
}

// From the click on Cerca to the result panel painted.
double searchToList(SearchWindow* search)
{
    return seconds([&] {
        search->btnCercaClick();
        search->repaint();
    });
}
} // namespace

int main(int argc, char** argv)
{
    Application app(argc, argv);
    const int cards = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    QTemporaryDir folder;
    ProgramFolder::setOverride(folder.path());
    Windows::createAll();

    const Kind& kind = Kind::libri();
    const QString path = folder.filePath(QStringLiteral("Bench.lib"));
    // One card in a hundred by the author searched for.
    BenchArchive::generate(kind, path, cards, [](Record& record, int n) {
        if (n % 100 == 0)
            record.setText(u"Autore", QStringLiteral("Alessandro Manzoni"));
    });
    BenchArchive::plainRead(path); // into the page cache, as an archive in daily use

    CardWindow* card = Windows::card(KindId::Libri);
    card->setArchive(path, QStringLiteral("Bench"));
    card->present();

    std::printf("Search window on %d book cards (%.0f MB)\n\n", cards, QFile(path).size() / 1048576.0);
    const double plain = best(3, [&] { return BenchArchive::plainRead(path); });

    int listed = 0;
    const double selective = best(3, [&] {
        auto search = openSearch(card, QStringLiteral("Autore"), QStringLiteral("manzoni"));
        const double time = searchToList(search.get());
        listed = search->lstRecords->count();
        return time;
    });
    std::printf("%-52s %9.3f s\n", "plain read, 1 MiB blocks", plain);
    std::printf("%-52s %9.3f s  %5.2fx plain  (%d listed)\n", "selective search, click to list shown", selective,
                selective / plain, listed);

    auto all = openSearch(card, {}, {});
    const double everything = searchToList(all.get());
    ResultList* list = all->lstRecords;
    std::printf("%-52s %9.3f s  (%d listed)\n", "no criterion, click to list shown", everything, list->count());

    // Quick find: a key on no line scans every line; a frequent key stops soon.
    all->txtTrova->setText(QStringLiteral("nessuna riga"));
    const double findNone = best(5, [&] {
        return seconds([&] {
            all->btnTrovaClick();
            all->repaint();
        });
    });
    all->txtTrova->setText(QStringLiteral("manzoni"));
    all->btnTrovaClick();
    const double findNext = best(5, [&] {
        return seconds([&] {
            all->btnTrovaClick();
            all->repaint();
        });
    });
    std::printf("%-52s %9.4f s\n", "quick find, press with a key on no line", findNone);
    std::printf("%-52s %9.4f s\n", "quick find, press to the next line", findNext);

    const double scroll = seconds([&] {
        list->verticalScrollBar()->setValue(list->verticalScrollBar()->maximum());
        list->horizontalScrollBar()->setValue(list->horizontalScrollBar()->maximum());
        all->repaint();
    });
    std::printf("%-52s %9.4f s\n", "scroll to the last line and its end, painted", scroll);

    const int row = list->count() / 2;
    list->selectRow(row);
    const int number = list->numberAt(row);
    const double open = seconds([&] {
        all->lstRecordsDblClick();
        card->repaint();
    });
    const bool right = card->findChild<QLabel*>(QStringLiteral("lblPosizione"))->text() == QString::number(number);
    std::printf("%-52s %9.4f s  (%s)\n", "double-click to the card shown in the card window", open,
                right ? "the listed card" : "WRONG CARD");

    all.reset();
    Windows::destroyAll();
    return right ? 0 : 1;
}
