// Writes the PDF manual beside the executable at build time:
//   QT_QPA_PLATFORM=offscreen cartavox-manual PROGRAM_DIR/Guida.pdf
#include "help/ManualPdf.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.pdf\n", argv[0]);
        return 2;
    }
    if (!ManualPdf::write(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
