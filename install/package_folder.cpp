#include "install/package_folder.h"
#include "fsutil/files.h"
#include "fsutil/paths.h"

DWORD PackageFolder::Open(const std::wstring& path)
{
    std::wstring bound = path.empty() ? ModulePath() : path;
    if (bound.empty())
        return 4;
    packagePath = bound;
    packageFolder = ParentPath(packagePath);
    EnsureTrailingBackslash(packageFolder);
    return 0;
}

void PackageFolder::SetExtractionFolder(const std::wstring& folder)
{
    extractionFolder = folder;
}

std::wstring PackageFolder::ResolveSetupFile(const std::wstring& setupFile) const
{
    if (IsAbsolutePath(setupFile))
        return setupFile;
    std::wstring path = extractionFolder.empty() ? ParentPath(packagePath) : extractionFolder;
    EnsureTrailingBackslash(path);
    return path + setupFile;
}
