#pragma once

// The platform-free calculation core: number and time text under the regional format settings,
// and the recalculation over two cell grids.

#include "calc/cell_grid.h"
#include "calc/errors.h"
#include "calc/extended.h"
#include "calc/grid_shape.h"
#include "calc/number_text.h"
#include "calc/recalc.h"
#include "calc/regional.h"
#include "calc/time_text.h"
