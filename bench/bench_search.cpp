// The search window on archives of 100,000 and a million book cards: a selective search and a search with no
// criterion, each from the click on Cerca to the list painted, against one plain sequential read
// of the same file in the same run; then the quick find over all the lines, scrolling, sorting by
// a column's heading, and the opening of a listed card in the card window.
//   cmake --build build --target bench_search && build/bench/bench_search [cards]
#include "BenchArchive.h"
#include "cards/CardWindow.h"
#include "folder/ProgramFolder.h"
#include "lists/CardSearch.h"
#include "search/ResultList.h"
#include "search/SearchWindow.h"
#include "shell/Application.h"
#include "start/WindowClasses.h"
#include "start/Windows.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>

namespace {
// Elapsed time and the processor time of this thread (the user interface's, where all the work
// runs): on a machine shared with other work the second shows what the first would be alone.
struct Time {
    double wall = 1e9;
    double cpu = 1e9;
};

double threadCpu()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + now.tv_nsec / 1e9;
}

Time seconds(const std::function<void()>& work)
{
    QElapsedTimer timer;
    const double cpu = threadCpu();
    timer.start();
    work();
    return {timer.nsecsElapsed() / 1e9, threadCpu() - cpu};
}

Time best(int runs, const std::function<Time()>& measure)
{
    Time result;
    for (int i = 0; i < runs; ++i) {
        const Time time = measure();
        result.wall = std::min(result.wall, time.wall);
        result.cpu = std::min(result.cpu, time.cpu);
    }
    return result;
}

void report(const char* what, Time time, const QString& note = {})
{
    std::printf("%-50s %8.4f s %8.4f s  %s\n", what, time.wall, time.cpu, qPrintable(note));
}

// A fresh search window over the card window, shown as the program shows it, with the criteria
// typed in. The click itself is timed by the caller.
std::unique_ptr<SearchWindow> openSearch(CardWindow* card, const QString& field, const QString& text)
{
    auto search = WindowClasses::createDialog<SearchWindow>(WindowRole::Search, KindId::Libri, card);
    search->lblMemory->setText(QStringLiteral("libri"));
    search->setCard(card->handoff());
    QObject::connect(search.get(), &SearchWindow::cardChosen, card, &CardWindow::showFoundCard);
    search->show();
    QApplication::processEvents();
    if (!field.isEmpty())
        search->criterion(field)->setText(text);
    return search;
}

// From the click on Cerca to the result panel painted.
Time searchToList(SearchWindow* search)
{
    return seconds([&] {
        search->btnCercaClick();
        search->repaint();
    });
}

// The whole run on an archive of `cards` cards; false when a listed card opened the wrong card.
bool measure(int cards)
{
    const Kind& kind = Kind::libri();
    // One card in a hundred by the author searched for.
    const QString path = BenchArchive::cached(kind, QStringLiteral("Ricerca"), cards, [](Record& record, int n) {
        if (n % 100 == 0)
            record.setText(u"Autore", QStringLiteral("Alessandro Manzoni"));
    });
    BenchArchive::plainRead(path); // into the page cache, as an archive in daily use

    CardWindow* card = Windows::card(KindId::Libri);
    card->setArchive(path, QStringLiteral("Bench"));
    card->present();

    std::printf("\nSearch window on %d book cards (%.0f MB)\n\n", cards, QFile(path).size() / 1048576.0);
    std::printf("%-50s %10s %10s\n", "", "elapsed", "cpu");
    const Time plain = best(3, [&] { return seconds([&] { BenchArchive::plainRead(path); }); });
    report("plain read, 1 MiB blocks", plain);

    int listed = 0;
    const Time selective = best(3, [&] {
        auto search = openSearch(card, QStringLiteral("Autore"), QStringLiteral("manzoni"));
        const Time time = searchToList(search.get());
        listed = search->lstRecords->count();
        return time;
    });
    report("selective search, click to list shown", selective,
           QStringLiteral("%1 listed; %2x plain elapsed, %3x cpu (target 3x)")
               .arg(listed)
               .arg(selective.wall / plain.wall, 0, 'f', 2)
               .arg(selective.cpu / plain.cpu, 0, 'f', 2));

    FoundCards found;
    const Time reading = seconds([&] { found = CardSearch::find(kind, path, {}); });
    const Time sorting = seconds([&] { CardSearch::sortInListOrder(found); });
    auto all = openSearch(card, {}, {});
    const Time everything = searchToList(all.get());
    ResultList* list = all->lstRecords;
    report("no criterion, click to list shown", everything,
           QStringLiteral("%1 listed (target %2 s)").arg(list->count()).arg(cards > 100000 ? 4 : 1));
    report("  the same without a window (read, lines, order)", reading);
    report("  sorting the lines again", sorting);

    // Quick find: a key on no line scans every line; a frequent key stops soon.
    all->txtTrova->setText(QStringLiteral("nessuna riga"));
    const Time findNone = best(5, [&] {
        return seconds([&] {
            all->btnTrovaClick();
            all->repaint();
        });
    });
    all->txtTrova->setText(QStringLiteral("manzoni"));
    all->btnTrovaClick();
    const Time findNext = best(5, [&] {
        return seconds([&] {
            all->btnTrovaClick();
            all->repaint();
        });
    });
    report("quick find, a key on no line (every line read)", findNone, QStringLiteral("target 0.05 s"));
    report("  of which painting the window", best(5, [&] { return seconds([&] { all->repaint(); }); }));
    report("quick find, on to the next line", findNext);

    const Time scroll = seconds([&] {
        list->verticalScrollBar()->setValue(list->verticalScrollBar()->maximum());
        list->horizontalScrollBar()->setValue(list->horizontalScrollBar()->maximum());
        all->repaint();
    });
    report("scroll to the last line and its end, painted", scroll);

    // A click on a heading: the author column, with many ties, then the same column reversed.
    const Time byAuthor = seconds([&] {
        list->horizontalHeader()->setSortIndicator(1, Qt::AscendingOrder);
        all->repaint();
    });
    report("sort by the author's heading, painted", byAuthor);
    const Time reversed = seconds([&] {
        list->horizontalHeader()->setSortIndicator(1, Qt::DescendingOrder);
        all->repaint();
    });
    report("  the same reversed", reversed);

    const int row = list->count() / 2;
    list->selectRow(row);
    const int number = list->numberAt(row);
    const Time open = seconds([&] {
        all->lstRecordsDblClick();
        card->repaint();
    });
    const bool right = card->findChild<QLabel*>(QStringLiteral("lblPosizione"))->text() == QString::number(number);
    report("double-click to the card shown in the card window", open,
           right ? QStringLiteral("the listed card") : QStringLiteral("WRONG CARD"));

    return right;
}
} // namespace

int main(int argc, char** argv)
{
    Application app(argc, argv);
    ProgramFolder::setOverride(BenchArchive::cacheFolder());
    Windows::createAll();
    bool right = true;
    for (const int cards : BenchArchive::sizes(argc, argv))
        right = measure(cards) && right;
    Windows::destroyAll();
    return right ? 0 : 1;
}
