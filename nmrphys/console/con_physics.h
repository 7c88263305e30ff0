// Text-mode menus over the physics layer: the NMR calculator, the nuclide
// information loop and the physics category menu tree, drawn with ConMenu.
// Every handler has the ConMenu form (argument, context) -> LibErrorCode.
#pragma once
#include "base/console_menu.h"
#include "base/types.h"

// The NMR calculator menu (screen cleared before each display).
LibErrorCode ConMenuNmrCalculator(Long argument, void* context);
// Asks for nuclides and prints their data until one is not found; then 13.
LibErrorCode ConNuclideInfo(Long argument, void* context);
// Asks for temperatures and prints the self-diffusion coefficient of water.
LibErrorCode ConSelfDifCoefWater(Long argument, void* context);

// The root table of the physics category menu, for ConMenu.
extern const ConMenuItem kConPhysicsMenu[];
