#include "TfrmRiepFumettiMancanti.h"

#include "app/ProgramFormats.h"

TfrmRiepFumettiMancanti::TfrmRiepFumettiMancanti(QWidget* opener)
    : DialogWindow(opener, QStringLiteral(" Riepilogo albi mancanti"), QSize(862, 560))
{
    ProgramFormats::apply();
}
