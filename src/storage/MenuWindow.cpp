#include "MenuWindow.h"

#include "app/ProgramFormats.h"

MenuWindow::MenuWindow(const Kind& kind) : ChainWindow(kind.menuCaption, Placement::Maximised), m_kind(kind)
{
    ProgramFormats::apply();
}
