// Any bytes as a CSV or text file to import, through CsvReader: encoding and separator found,
// headings, every row. The first byte picks the kind whose names the headings are matched with.
#include "FuzzFolder.h"
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
    const Kind& kind = *Kind::all().at(data[0] % 3);
    auto file = std::make_unique<QFile>(Fuzz::fileWith(QStringLiteral("elenco.csv"), data + 1, size - 1));
    if (!file->open(QIODevice::ReadOnly))
        std::abort();
    try {
        CsvReader reader(std::move(file));
        Fuzz::readWhole(reader, kind);
    } catch (const UserError&) {
    }
    return 0;
}
