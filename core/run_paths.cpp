#include "core/run_paths.h"
#include "fsutil/paths.h"

std::wstring IniPathForModule(std::wstring_view modulePath)
{
    size_t slash = modulePath.rfind(L'\\');
    std::wstring_view baseName;
    if (slash != std::wstring_view::npos) {
        baseName = modulePath.substr(slash + 1);
        baseName = baseName.substr(0, baseName.rfind(L'.'));
    }
    std::wstring iniPath = ParentPath(modulePath);
    if (iniPath.empty() || iniPath.back() != L'\\')
        iniPath += L'\\';
    iniPath += baseName;
    iniPath += L".ini";
    return iniPath;
}
