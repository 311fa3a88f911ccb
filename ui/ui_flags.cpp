#include "ui/ui_flags.h"

bool uiEnabled = false;
