// Any bytes as a spreadsheet kept as HTML, through HtmlTableReader and libxml2's HTML parser: the
// first table's headings and every row. The first byte picks the kind whose names the headings
// are matched with.
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
    return Fuzz::importFile(
        QStringLiteral("Catalogo_Libri.xls"), data + 1, size - 1, *Kind::all().at(data[0] % 3),
        [](std::unique_ptr<QFile> file, const QString&) { return std::make_unique<HtmlTableReader>(std::move(file)); });
}
