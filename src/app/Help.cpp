#include "Help.h"

#include "TfrmGuida.h"

void Help::showTopic(QWidget* opener, const QString& title)
{
    TfrmGuida window(opener);
    window.setWindowTitle(window.windowTitle());
    Q_UNUSED(title);
    window.exec();
}
