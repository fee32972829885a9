#include "QtItalian.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {
// The print dialog's options page names its double-sided printing in English in Qt's own Italian
// translation (Qt 6.4); asked after that translation and before the source texts.
class MissingTexts final : public QTranslator {
public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }

    QString translate(const char* context, const char* source, const char*, int) const override
    {
        struct Text {
            const char* source;
            const char* italian;
        };
        static constexpr Text kPrintOptions[] = {
            {"Double Sided Printing", "Stampa fronte-retro"},
            {"Off", "No"},
            {"Long side binding", "Rilegatura sul lato lungo"},
            {"Short side binding", "Rilegatura sul lato corto"},
            {"Pages", "Pagine"},
        };
        if (qstrcmp(context, "QPrintSettingsOutput") != 0)
            return {};
        for (const Text& text : kPrintOptions)
            if (qstrcmp(source, text.source) == 0)
                return QString::fromUtf8(text.italian);
        return {};
    }
};
} // namespace

void QtItalian::install(QCoreApplication& application)
{
    auto* translation = new QTranslator(&application);
    if (translation->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translation);
    // Installed last, asked first: it answers only for what the translation lacks.
    QCoreApplication::installTranslator(new MissingTexts(&application));
}
