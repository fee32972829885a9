#include "TfrmZoom.h"

#include "app/ProgramFormats.h"

TfrmZoom::TfrmZoom(QWidget* opener)
    : DialogWindow(opener, QStringLiteral(" Fai clic sulla foto per chiudere questa finestra"), {},
                   Placement::Maximised)
{
    ProgramFormats::apply();
}
