#include "OpenWindow.h"

#include "app/ProgramFormats.h"

OpenWindow::OpenWindow(const Kind& kind) : ChainWindow(kind.openCaption, Placement::Maximised), m_kind(kind)
{
    ProgramFormats::apply();
}
