#include "SearchWindow.h"

#include "app/ProgramFormats.h"

SearchWindow::SearchWindow(const Kind& kind, QWidget* opener)
    : DialogWindow(opener, kind.search.caption, QSize(862, 560)), m_kind(kind)
{
    ProgramFormats::apply();
}
