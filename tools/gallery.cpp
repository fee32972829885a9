// Shows each window of the program with sample content and saves a picture of it, so a
// developer can look at every window without clicking through the program:
//   QT_QPA_PLATFORM=offscreen ./cartavox-gallery OUTDIR [WINDOW...]
// or under xvfb-run for the real window system.
#include "SampleContent.h"
#include "cards/CardWindow.h"
#include "cards/TfrmAllegaCartella.h"
#include "cards/TfrmZoom.h"
#include "catalogues/CreateWindow.h"
#include "catalogues/ImportWindow.h"
#include "export/ExportRows.h"
#include "export/SpreadsheetWriter.h"
#include "folder/ProgramFolder.h"
#include "help/HelpTopics.h"
#include "output/ExportWindow.h"
#include "search/TfrmCodici_Dewey.h"
#include "shell/Application.h"
#include "shell/ChainWindow.h"
#include "shell/DialogWindow.h"
#include "shell/FileDialog.h"
#include "start/TfrmGuida.h"
#include "start/WindowClasses.h"
#include "start/Windows.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {
void save(QWidget* window, const QString& folder)
{
    QTest::qWait(150);
    window->grab().save(folder + u'/' + window->objectName() + QStringLiteral(".png"));
}
} // namespace

int main(int argc, char** argv)
{
    Application::requestSoftwareRendering();
    Application app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("gallery");
    QStringList wanted;
    for (int i = 2; i < argc; ++i)
        wanted << QString::fromLocal8Bit(argv[i]);
    QDir().mkpath(out);
    QTemporaryDir folder;
    ProgramFolder::setOverride(folder.path());

    Windows::createAll();
    SampleContent::writeArchives();
    QList<QWidget*> chainWindows = Windows::all();
    for (const WindowClasses::StartUpStep& step : WindowClasses::startUpOrder()) {
        // Start-up makes the chain windows; a dialog is made here, with no opener.
        const std::unique_ptr<QWidget> made(step.chain ? nullptr : WindowClasses::make(step));
        QWidget* widget = step.chain ? chainWindows.takeFirst() : made.get();
        if (!wanted.isEmpty() && !wanted.contains(widget->objectName()))
            continue;
        if (auto* dialog = qobject_cast<DialogWindow*>(widget)) {
            // Shown without a modal loop, just long enough to be looked at.
            if (auto* help = qobject_cast<TfrmGuida*>(dialog))
                help->showTopic(HelpTopics::kStartTitle,
                                HelpTopics::text(HelpTopics::paragraphs(HelpTopics::kStartTitle)));
            if (auto* attachments = qobject_cast<TfrmAllegaCartella*>(dialog)) {
                CardHandoff card(Kind::libri());
                card.card.setText(u"File01", QStringLiteral("Manuale d'uso.pdf"));
                card.card.setText(u"Desc01", QStringLiteral("Istruzioni del produttore"));
                card.card.setText(u"File02", QStringLiteral("Ricevuta.jpg"));
                card.card.setText(u"Desc02", QStringLiteral("Ricevuta d'acquisto"));
                attachments->setCard(card);
            }
            if (auto* exporter = qobject_cast<ExportWindow*>(dialog)) {
                const Kind& kind = exporter->kind();
                CardHandoff card(kind);
                card.archivePath = SampleContent::archivePath(kind);
                exporter->setCard(card);
            }
            if (auto* zoom = qobject_cast<TfrmZoom*>(dialog)) {
                CardHandoff card(Kind::libri());
                card.photo = CoverPicture(SampleContent::landscape());
                zoom->setCard(card);
                zoom->setGeometry(zoom->screen()->availableGeometry());
            }
            dialog->show();
            // The Dewey table as the user sees it a second later, loaded.
            if (auto* dewey = qobject_cast<TfrmCodici_Dewey*>(dialog))
                dewey->timCaricaTimer();
            save(dialog, out);
            dialog->hide();
            continue;
        }
        auto* window = qobject_cast<ChainWindow*>(widget);
        if (!window)
            continue;
        if (auto* card = qobject_cast<CardWindow*>(window)) {
            window->present();
            card->setArchive(SampleContent::archivePath(card->kind()), SampleContent::kArchiveName);
            card->cmdAvantiClick();
        } else if (qobject_cast<CreateWindow*>(window)) {
            window->present();
            window->findChild<QLineEdit*>(QStringLiteral("txtFile"))->setText(QStringLiteral("Collezione del nonno"));
        } else {
            window->present();
        }
        save(window, out);
        window->hide();
    }
    // The import window is made at each opening only: one of each kind with a file chosen and a name
    // typed, the books' a spreadsheet's list, the others' the program's own export of their sample
    // archive.
    for (const Kind* kind : Kind::all()) {
        const auto import = WindowClasses::createDialog<ImportWindow>(WindowRole::Import, kind->id, nullptr);
        if (!wanted.isEmpty() && !wanted.contains(import->objectName()))
            continue;
        QString list;
        if (kind->id == KindId::Libri) {
            list = SampleContent::writeBooksToImport();
        } else {
            ExportRows rows(*kind);
            list = ProgramFolder::file(kind->spreadsheet.fileName);
            if (!rows.load(SampleContent::archivePath(*kind)) || !SpreadsheetWriter::save(list, rows))
                qFatal("cannot export the sample archive");
        }
        FileDialog::setResponder([&list](const FileDialog::Request&) { return list; });
        import->show();
        import->btnScegliClick();
        import->txtNome->setText(QStringLiteral("Importato"));
        FileDialog::setResponder({});
        save(import.get(), out);
    }
    Windows::destroyAll();
    return 0;
}
