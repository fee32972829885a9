#include "CreateWindow.h"

#include "app/ProgramFormats.h"

CreateWindow::CreateWindow(const Kind& kind) : ChainWindow(kind.createCaption, Placement::Maximised), m_kind(kind)
{
    ProgramFormats::apply();
}
