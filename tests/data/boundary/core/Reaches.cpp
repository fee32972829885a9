// A core file that reaches into the window tree in two spellings the include root cannot stop.
#include "Own.h"
#include "../ui/Window.h"
#include <QtCore/QString>
#include <QtWidgets/QWidget>
