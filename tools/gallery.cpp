// Shows each window of the program with sample content and saves a picture of it, so a
// developer can look at every window without clicking through the program:
//   QT_QPA_PLATFORM=offscreen ./cartavox-gallery OUTDIR [WINDOW...]
// or under xvfb-run for the real window system.
#include "app/Application.h"
#include "app/ChainWindow.h"
#include "app/DialogWindow.h"
#include "app/HelpTopics.h"
#include "app/ProgramFolder.h"
#include "app/TfrmGuida.h"
#include "app/Windows.h"
#include "cards/CardWindow.h"
#include "storage/CatalogueFile.h"
#include "storage/CreateWindow.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

namespace {
void fillSampleArchive(const Kind& kind, const QString& path)
{
    CatalogueFile file(kind.layout);
    file.open(path);
    for (int n = 1; n <= 3; ++n) {
        Record record(kind.layout);
        for (const FieldSpec& spec : kind.layout.fields())
            if (spec.role == FieldSpec::Role::Text)
                record.setText(spec.name, spec.caption.chopped(1) + QStringLiteral(" della scheda %1").arg(n));
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
                help->showTopic(HelpTopics::kStartTitle, HelpTopics::text(HelpTopics::paragraphs(HelpTopics::kStartTitle)));
            dialog->show();
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
