// A shared widget that keeps to its folder and the core.
#include "../widgets/Own.h"
#include "Own.h"
#include "storage/Kind.h"
#include "tst_fine.moc"
