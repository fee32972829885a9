#pragma once
// A window folder may stand on the three.
#include "kinds/Look.h"
#include "shell/Base.h"
#include "widgets/Own.h"
