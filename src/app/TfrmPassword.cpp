#include "TfrmPassword.h"

#include <QApplication>

TfrmPassword::TfrmPassword() : ChainWindow(QStringLiteral(" Cartavox - Accesso"), Placement::Centred, QSize(388, 405))
{
}

void TfrmPassword::FormClose()
{
    // Closing the main window ends the program.
    QApplication::quit();
}
