// Any bytes as a CSV or text file to import, through CsvReader: encoding and separator found,
// headings, every row. The first byte picks the kind whose names the headings are matched with.
#include "FuzzImport.h"
#include "import/CsvReader.h"

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
        QStringLiteral("elenco.csv"), data + 1, size - 1, *Kind::all().at(data[0] % 3),
        [](std::unique_ptr<QFile> file, const QString&) { return std::make_unique<CsvReader>(std::move(file)); });
}
