// File-system operations on the real machine. None of them reports a failing Windows call
// as an error of its own: each says what it gives on failure.
#pragma once
#include <windows.h>
#include <string>

// Full path of the running executable (or of the given module); empty on failure.
std::wstring ModulePath(HMODULE module = nullptr);
