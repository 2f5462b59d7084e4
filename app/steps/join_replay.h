#pragma once
// The join engine set up to replay the application's stored join definition on
// its data grid: the join step and the basic page's replay share it.

#include "edittools/join/addcsv_join.h"

// Grids, definition, additional CSV paths and names, column kinds and previews
// from theApp; the caller runs the join.
void PrepareJoinReplay(CAddcsvJoin& join);
