// The console task of the physics menu that runs the spin engine on its
// built-in example (a menu handler of base/console_menu.h).
#pragma once
#include "base/types.h"

LibErrorCode ConSpinSimulationTask(Long argument, void* context);
