// Any bytes as a Tellico file, through TellicoReader: a .tc zip read by libzip, or the plain XML,
// read by QXmlStreamReader in pieces; the fields, every entry and the entries' pictures, in the zip
// or beside the file. The first byte picks the form (bit 0: zip) and the kind (the rest, modulo 3):
// a collection of another kind is refused, as a user meets it.
#include "FuzzImport.h"
#include "import/TellicoReader.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    Fuzz::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const bool zipped = data[0] & 1;
    const Kind& kind = *Kind::all().at((data[0] >> 1) % 3);
    return Fuzz::importFile(zipped ? QStringLiteral("collezione.tc") : QStringLiteral("tellico.xml"), data + 1,
                            size - 1, kind, [&](std::unique_ptr<QFile> file, const QString& path) {
                                return std::make_unique<TellicoReader>(std::move(file), path, zipped, kind);
                            });
}
