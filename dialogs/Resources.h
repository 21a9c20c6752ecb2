#pragma once

// Registers the program's pictures and icons (":/images/..."); call once after the
// application object exists. Static libraries do not register their resources by themselves.
void initResources();
