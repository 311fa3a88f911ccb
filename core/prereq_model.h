// The rules that tie prerequisites together: action texts, selection with parents and
// children, and whether anything needs installing.
#pragma once
#include <cstddef>
#include <vector>
#include "core/prerequisite.h"

// The log text of an action ("An acceptable version was found.", ...); "Undefined" for 8 and
// for any value outside the table.
const wchar_t* ActionText(PrereqAction action);

// Actions that need something done: install from the package, download or open a site.
bool NeedsInstalling(PrereqAction action);

// Sets the selection of prerequisite `index` and propagates it: selecting selects the
// children that still need installing (and clears the other children) and the parent unless
// it is installed or excluded; clearing clears every child. Excluded prerequisites are never
// reached as children. Returns the prerequisites whose flag changed, in the order the changes
// happened (each change is one log line).
std::vector<size_t> PropagateSelection(std::vector<Prerequisite>& prerequisites, size_t index, bool value);

// True when at least one prerequisite's action is 1, 2 or 3.
bool AnyToInstall(const std::vector<Prerequisite>& prerequisites);
