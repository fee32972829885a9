#include "TfrmSplash.h"

TfrmSplash::TfrmSplash(QWidget* opener)
    : DialogWindow(opener, QStringLiteral(" Cartavox - Cartavox Software"), QSize(661, 467), Placement::CentredOnOpener)
{
}
