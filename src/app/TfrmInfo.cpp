#include "TfrmInfo.h"

TfrmInfo::TfrmInfo(QWidget* opener) : DialogWindow(opener, QStringLiteral(" Informazioni su Cartavox"), QSize(473, 579)) {}
