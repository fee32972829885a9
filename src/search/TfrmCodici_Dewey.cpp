#include "TfrmCodici_Dewey.h"

#include "app/ProgramFormats.h"

TfrmCodici_Dewey::TfrmCodici_Dewey(QWidget* opener)
    : DialogWindow(opener, QStringLiteral(" Tabella Codici Dewey"), QSize(861, 561))
{
    ProgramFormats::apply();
}
