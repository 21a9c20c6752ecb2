#include "Resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must not stand inside a namespace.
static void initTarvenResources() { Q_INIT_RESOURCE(resources); }

void initResources() { initTarvenResources(); }
