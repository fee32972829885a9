#include "Help.h"

#include "help/HelpTopics.h"
#include "TfrmGuida.h"

void Help::showTopic(QWidget* opener, const QString& title)
{
    TfrmGuida window(opener);
    window.showTopic(title, HelpTopics::text(HelpTopics::paragraphs(title)));
    window.exec();
}
