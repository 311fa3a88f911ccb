#include "core/run_paths.h"
#include "fsutil/paths.h"

std::wstring IniPathForModule(std::wstring_view modulePath)
{
    return PathBesideModule(modulePath, L".ini");
}

std::wstring PathBesideModule(std::wstring_view modulePath, std::wstring_view extension)
{
    size_t slash = modulePath.rfind(L'\\');
    std::wstring_view baseName;
    if (slash != std::wstring_view::npos) {
        baseName = modulePath.substr(slash + 1);
        baseName = baseName.substr(0, baseName.rfind(L'.'));
    }
    std::wstring path = ParentPath(modulePath);
    if (path.empty() || path.back() != L'\\')
        path += L'\\';
    path += baseName;
    path += extension;
    return path;
}
