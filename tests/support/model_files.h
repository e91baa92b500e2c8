// A way back to empty model pools between tests.
#pragma once

#include "render/model_loader.h"

// Gives back every slot's pool ranges (and display lists, when a GL context made them).
inline void clearModelPools() {
  for (int slot = 0; slot < kModelSlots; ++slot) releaseModel(slot);
}
