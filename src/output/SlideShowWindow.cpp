#include "SlideShowWindow.h"

#include "app/ProgramFormats.h"

SlideShowWindow::SlideShowWindow(const Kind& kind, QWidget* opener)
    : DialogWindow(opener, kind.slideShow.caption, {}, Placement::Maximised), m_kind(kind)
{
    ProgramFormats::apply();
}
