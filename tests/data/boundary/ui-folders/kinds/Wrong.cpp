// The look of the kinds, reaching a window folder by a relative path.
#include "../cards/Card.h"
#include "Look.h"
