#include "core/cleanup_rules.h"
#include "fsutil/paths.h"

std::vector<std::wstring> CleanupFileCandidates(std::wstring_view cleanupFiles, std::wstring_view root)
{
    std::vector<std::wstring> candidates;
    for (std::wstring& name : SplitString(cleanupFiles, L"\x0001")) {
        if (!name.empty() && IsRootedPath(name) && name.compare(0, root.size(), root) == 0)
            candidates.push_back(std::move(name));
    }
    return candidates;
}

std::vector<std::wstring> SelfDeleteFolders(std::wstring_view modulePath, std::wstring_view root)
{
    std::vector<std::wstring> folders;
    if (!root.empty() && root.back() == L'\\')
        root.remove_suffix(1);
    // The executable must lie below the root folder itself: the root's text followed by a
    // backslash. Each folder above it is then longer than the root until the root is reached.
    if (root.empty() || modulePath.size() <= root.size() || modulePath.substr(0, root.size()) != root ||
        modulePath[root.size()] != L'\\')
        return folders;
    for (std::wstring folder = ParentPath(modulePath); folder.size() > root.size(); folder = ParentPath(folder))
        folders.push_back(folder);
    return folders;
}

bool SelfDeleteChain::Admit(bool hasShortPath, bool isFolder, unsigned folderEntries)
{
    unsigned allowed = isFolder ? 1 : 0;
    if (!hasShortPath || folderEntries > allowed)
        broken_ = true;
    return !broken_;
}
