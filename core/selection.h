// Selecting prerequisites for installation, with the log line of every change.
#pragma once
#include <cstddef>
#include "config/config.h"

// Changes the selection of prerequisite `index` with its parents and children (see
// PropagateSelection) and logs "Prerequisite selected for install:" with the name of every
// prerequisite whose flag changed, whichever way it changed.
void SetSelected(ChainerConfig& config, size_t index, bool value);
