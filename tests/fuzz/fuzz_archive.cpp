// An archive of any bytes, read the way the card window and the searches read one: open it,
// count its cards, read each card and every field of it as text. The first byte of the input
// picks the kind; the rest is the file.
#include "FuzzFolder.h"

#include "storage/CatalogueFile.h"
#include "storage/Kind.h"
#include "storage/Text.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    Fuzz::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const Kind& kind = *Kind::all().at(data[0] % 3);
    const RecordLayout& layout = kind.layout;
    const QString path = Fuzz::fileWith(QStringLiteral("archivio") + kind.extension, data + 1, size - 1);

    CatalogueFile archive(layout);
    try {
        archive.open(path);
        const int count = archive.recordCount();
        if (count != int((size - 1) / std::size_t(layout.recordSize())))
            std::abort(); // bytes after the last whole card are not a card
        for (int number = 1; number <= count; ++number) {
            const Record card = archive.readCard(number);
            for (int field = 0; field < layout.fieldCount(); ++field) {
                const QString text = card.text(field);
                if (text.size() > layout.field(field).capacity || Text::trimmed(text) != text)
                    std::abort();
                // What a field shows is what saving it again stores.
                Record again(layout);
                again.setText(field, text);
                if (again.text(field) != text)
                    std::abort();
            }
        }
        for (const int outside : {0, count + 1}) {
            try {
                archive.readCard(outside);
                std::abort();
            } catch (const ArchiveError&) {
            }
        }
    } catch (const ArchiveError&) {
        // An unreadable archive ends the action with the access error: nothing to check.
    }
    return 0;
}
