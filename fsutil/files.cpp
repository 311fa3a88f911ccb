#include "fsutil/files.h"

std::wstring ModulePath(HMODULE module)
{
    // The buffer grows until the name fits: GetModuleFileNameW truncates silently.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(module, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0)
            return std::wstring();
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}
