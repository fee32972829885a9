// Any bytes as a spreadsheet kept as HTML, through HtmlTableReader and libxml2's HTML parser: the
// first table's headings and every row. The first byte picks the kind whose names the headings
// are matched with.
#include "FuzzFolder.h"
#include "FuzzImport.h"
#include "import/HtmlTableReader.h"

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
    auto file = std::make_unique<QFile>(Fuzz::fileWith(QStringLiteral("Catalogo_Libri.xls"), data + 1, size - 1));
    if (!file->open(QIODevice::ReadOnly))
        std::abort();
    try {
        HtmlTableReader reader(std::move(file));
        Fuzz::readWhole(reader, kind);
    } catch (const UserError&) {
    }
    return 0;
}
