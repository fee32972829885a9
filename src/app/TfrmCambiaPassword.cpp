#include "TfrmCambiaPassword.h"

#include "Windows.h"
#include "TfrmPassword.h"

TfrmCambiaPassword::TfrmCambiaPassword()
    : ChainWindow(QStringLiteral(" Cambia password"), Placement::Centred, QSize(411, 418))
{
}

void TfrmCambiaPassword::FormClose()
{
    handOverTo(Windows::password());
}
