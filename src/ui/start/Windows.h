#pragma once

#include "storage/Kind.h"

#include <QList>

class QWidget;
class ChainWindow;
class CardWindow;
class TfrmAvvio;
class TfrmCambiaPassword;
class TfrmPassword;

// The chain windows of the program, created once at start-up in a fixed order; the first, the
// password window, is the main window. They are reached through here, with their controls made.
namespace Windows {

void createAll();
void destroyAll();

// All chain windows in the order they were created; their controls are made when they first show.
QList<QWidget*> all();

TfrmPassword* password();
TfrmCambiaPassword* cambiaPassword();
TfrmAvvio* avvio();
ChainWindow* menu(KindId kind);
ChainWindow* create(KindId kind);
ChainWindow* open(KindId kind);
CardWindow* card(KindId kind);

} // namespace Windows
