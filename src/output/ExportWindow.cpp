#include "ExportWindow.h"

ExportWindow::ExportWindow(const Kind& kind, QWidget* opener)
    : DialogWindow(opener, kind.spreadsheet.caption, QSize(862, 560)), m_kind(kind)
{
}
