#pragma once

// False in silent runs, where no window is ever shown. Written once by the run control, on
// the main thread, before any other thread exists.
extern bool uiEnabled;
