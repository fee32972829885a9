// Shows each window of the program with sample content and saves a picture of it, so a
// developer can look at every window without clicking through the program:
//   QT_QPA_PLATFORM=offscreen ./cartavox-gallery OUTDIR [WINDOW...]
// or under xvfb-run for the real window system.
#include "cards/CardWindow.h"
#include "cards/TfrmAllegaCartella.h"
#include "cards/TfrmZoom.h"
#include "catalogues/CreateWindow.h"
#include "folder/CoverPhotos.h"
#include "folder/ProgramFolder.h"
#include "help/HelpTopics.h"
#include "output/ExportWindow.h"
#include "search/TfrmCodici_Dewey.h"
#include "shell/Application.h"
#include "shell/ChainWindow.h"
#include "shell/DialogWindow.h"
#include "start/TfrmGuida.h"
#include "start/Windows.h"
#include "storage/CatalogueFile.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

namespace {
// A landscape cover photo: a sky, a field and a sun, enough to see how a picture sits in its box.
QImage samplePhoto()
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

void fillSampleArchive(const Kind& kind, const QString& path)
{
    if (QFile::exists(path))
        return; // already filled for another window
    CatalogueFile file(kind.layout);
    file.open(path);
    for (int n = 1; n <= 3; ++n) {
        Record record(kind.layout);
        for (const FieldSpec& field : kind.layout.fields())
            if (field.role == FieldSpec::Role::Text)
                record.setText(field.name, field.caption.chopped(1) + QStringLiteral(" della scheda %1").arg(n));
        record.setText(QStringLiteral("Titolo"), QStringLiteral("Il nome della rosa, volume %1").arg(n));
        file.appendCard(record);
    }
    file.close();
}

// A few empty archives of every kind, so the open windows have a list to show.
void addSampleArchives()
{
    for (const Kind* kind : Kind::all())
        for (const char* name : {"Biblioteca di casa", "Ufficio", "Regali di Natale 2023"})
            QFile(ProgramFolder::file(QLatin1String(name) + kind->extension)).open(QIODevice::WriteOnly);
}

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
    addSampleArchives();
    for (QWidget* widget : Windows::all()) {
        if (!wanted.isEmpty() && !wanted.contains(widget->objectName()))
            continue;
        if (auto* dialog = qobject_cast<DialogWindow*>(widget)) {
            // The start-up instance of a dialog is never shown by the program; here it is shown
            // without a modal loop, just long enough to be looked at.
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
                const QString path = ProgramFolder::file(QStringLiteral("Esempio") + kind.extension);
                fillSampleArchive(kind, path);
                CardHandoff card(kind);
                card.archivePath = path;
                exporter->setCard(card);
            }
            if (auto* zoom = qobject_cast<TfrmZoom*>(dialog)) {
                CardHandoff card(Kind::libri());
                card.photo = CoverPicture(samplePhoto());
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
            const QString path = ProgramFolder::file(QStringLiteral("Esempio") + card->kind().extension);
            fillSampleArchive(card->kind(), path);
            CoverPhotos::save(card->kind(), QStringLiteral("Esempio"), QStringLiteral("1"),
                              CoverPicture(samplePhoto()));
            window->present();
            card->setArchive(path, QStringLiteral("Esempio"));
            card->cmdAvantiClick();
        } else if (qobject_cast<CreateWindow*>(window)) {
            window->present();
            window->findChild<QLineEdit*>(QStringLiteral("txtFile"))->setText(QStringLiteral("Biblioteca di casa"));
        } else {
            window->present();
        }
        save(window, out);
        window->hide();
    }
    Windows::destroyAll();
    return 0;
}
