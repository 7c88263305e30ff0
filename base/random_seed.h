// The seed of the library's random generator.
#pragma once
#include "base/types.h"

// The low 16 bits of the performance counter, 0 to 65535.
VELTRIA_API Qword KyRandomSeed(void);
