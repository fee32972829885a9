#include "TfrmGuida.h"

TfrmGuida::TfrmGuida(QWidget* opener) : DialogWindow(opener, QStringLiteral(" Guida all'utilizzo del software"), QSize(670, 572)) {}
