// A shared widget that stands on a shell class.
#include "Own.h"
#include "shell/Base.h"
