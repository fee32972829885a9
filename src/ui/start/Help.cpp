#include "Help.h"

#include "TfrmGuida.h"
#include "help/HelpTopics.h"

void Help::showTopic(QWidget* opener, const QString& title)
{
    TfrmGuida window(opener);
    window.showTopic(title, HelpTopics::text(HelpTopics::paragraphs(title)));
    window.exec();
}
