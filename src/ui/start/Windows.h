#pragma once

#include "storage/Kind.h"

#include <QList>

class QWidget;
class ChainWindow;
class CardWindow;
class TfrmAvvio;
class TfrmCambiaPassword;
class TfrmPassword;

// Every window of the program, created once at start-up in a fixed order; the first, the
// password window, is the main window. The chain windows are reached through here.
namespace Windows {

void createAll();
void destroyAll();

// All windows in the order they were created.
QList<QWidget*> all();

TfrmPassword* password();
TfrmCambiaPassword* cambiaPassword();
TfrmAvvio* avvio();
ChainWindow* menu(KindId kind);
ChainWindow* create(KindId kind);
ChainWindow* open(KindId kind);
CardWindow* card(KindId kind);

} // namespace Windows
