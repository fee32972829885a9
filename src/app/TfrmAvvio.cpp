#include "TfrmAvvio.h"

#include "ProgramFormats.h"

#include <QApplication>

TfrmAvvio::TfrmAvvio() : ChainWindow(QStringLiteral(" Cartavox"), Placement::Maximised)
{
    ProgramFormats::apply();
}

void TfrmAvvio::FormClose()
{
    // The start window is where the program ends, whatever else is merely hidden.
    QApplication::quit();
}
