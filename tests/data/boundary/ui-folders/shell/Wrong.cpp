// A shell class that stands on the kinds.
#include "Base.h"
#include "kinds/Look.h"
