#include "TfrmAllegaCartella.h"

TfrmAllegaCartella::TfrmAllegaCartella(QWidget* opener)
    : DialogWindow(opener, QStringLiteral(" Allega file"), QSize(480, 560))
{
}
