// What a run deletes at its end, decided from the PREREQ_CHAINER values and from facts about
// the disk that the caller gathers. Nothing here touches the file system.
#pragma once
#include <string>
#include <string_view>
#include <vector>

// The CleanupFiles names that may be deleted, in order: the pieces between U+0001 separators
// (runs and ends of separators give no empty piece) that begin with a backslash or hold a
// colon, and that begin with the root (a case-sensitive text test; an empty root admits
// every such piece). Whether a name exists is the caller's question.
std::vector<std::wstring> CleanupFileCandidates(std::wstring_view cleanupFiles, std::wstring_view root);

// The folders that delete themselves after the run, from the executable's folder upwards:
// every folder strictly below the root (given with or without a trailing backslash). None when
// the root is empty or the executable does not lie in a folder below it, so that neither the
// root nor a folder that only shares the root's first letters (C:\Tools for C:\T) is removed.
std::vector<std::wstring> SelfDeleteFolders(std::wstring_view modulePath, std::wstring_view root);

// Decides entry by entry, in the order of the run's self-delete list (the executable first,
// then its folders upwards), which entries get their batch file. An entry is admitted when it
// has a short path and holds nothing but what the entries before it will remove: a folder at
// most one entry (its child in the chain), a file or a missing path none. Once an entry is
// refused, every entry after it is refused too: the folders above one that stays could never
// become empty, and their batch files would loop hidden for ever.
class SelfDeleteChain {
public:
    bool Admit(bool hasShortPath, bool isFolder, unsigned folderEntries);

private:
    bool broken_ = false;
};
