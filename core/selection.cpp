#include "core/selection.h"
#include "core/prereq_model.h"
#include "log/setup_log.h"

void SetSelected(ChainerConfig& config, size_t index, bool value)
{
    for (size_t changed : PropagateSelection(config.prerequisites, index, value))
        Log(L"Prerequisite selected for install:" + config.prerequisites[changed].name);
}
