// A core file that reaches into the window tree in two spellings the include root cannot stop.
#include "../ui/Window.h"
#include "Own.h"
#include <QtCore/QString>
#include <QtWidgets/QWidget>
