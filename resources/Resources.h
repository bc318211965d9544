#pragma once

// Registers the compiled-in images (":/images/...") and translation catalogues
// (":/translations/...") with Qt's resource system. A static library's
// resources are dropped by the linker unless this runs: call it once in main
// and in the set-up of every test that loads them. Calling it again is harmless.
void InitResources();
