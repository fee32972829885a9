// A shell class on the widgets, as it may be.
#include "../widgets/Own.h"
#include "Base.h"
#include "widgets/Own.h"
