#include "CardPrintWindow.h"

#include "app/ProgramFormats.h"

CardPrintWindow::CardPrintWindow(const Kind& kind, Action action, QWidget* opener)
    : DialogWindow(opener,
                   action == Action::Print ? QStringLiteral(" Stampa scheda") : QStringLiteral(" Anteprima di stampa"),
                   QSize(364, 287), Placement::CentredOnOpener),
      m_kind(kind), m_action(action)
{
    ProgramFormats::apply();
}
