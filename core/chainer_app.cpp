#include "core/chainer_app.h"
#include <windows.h>
#include "config/config.h"
#include "config/ini_file.h"
#include "config/working_folders.h"
#include "core/cleanup_rules.h"
#include "core/handles.h"
#include "core/run_paths.h"
#include "detect/system_probes.h"
#include "fsutil/files.h"
#include "fsutil/paths.h"
#include "log/setup_log.h"
#include "ui/ui_flags.h"

int ChainerApp::Run()
{
    modulePath = ModulePath();
    moduleFolder = ParentPath(modulePath);
    iniPath = IniPathForModule(modulePath);

    WIN32_FIND_DATAW found;
    {
        FindHandle find(FindFirstFileW(iniPath.c_str(), &found));
        if (!find)
            return exitCode = 0;
    }
    ReadIniFile(iniPath, found.nFileSizeLow, ini);
    ChainerConfig config;
    ParseConfig(ini, config, SystemTokens());
    PrepareCleanup(ini);
    EnableLog(ini);
    silent = IsSilent(config);
    uiEnabled = !silent;
    packageFolder.Open(modulePath);
    packageFolder.SetExtractionFolder(ExtractionFolder(config));

    // A bare drive ("C:") would name that drive's current directory, not its root.
    std::wstring currentFolder = moduleFolder;
    if (!currentFolder.empty() && currentFolder.back() == L':')
        currentFolder += L'\\';
    SetCurrentDirectoryW(currentFolder.c_str());

    if (WaitForInstallerIdle() == 1)
        return exitCode = 1;
    return exitCode = 0;
}

void ChainerApp::EnableLog(const IniFile& ini)
{
    ChainerSection section;
    if (!ReadChainerSection(ini, section) || section.logFile.empty())
        return;
    // The value exactly as written: a relative name is resolved when the first line opens the
    // file, by then against the executable's folder made current below.
    TheSetupLog().SetPath(section.logFile);
    logEnabled = true;
}

void ChainerApp::PrepareCleanup(const IniFile& document)
{
    ChainerSection section;
    if (!ReadChainerSection(document, section))
        return;
    selfDeleteEntries.clear();
    cleanupRoot = section.cleanupFolders;
    for (std::wstring& name : CleanupFileCandidates(section.cleanupFiles, cleanupRoot)) {
        if (ExistsAbsolute(name))
            cleanupFiles.push_back(std::move(name));
    }
    cleanupFiles.push_back(iniPath);
    AddSelfDeleteEntry(modulePath, false);
    // Without a root no folder is removed: every ancestor of the executable would qualify.
    for (const std::wstring& folder : SelfDeleteFolders(modulePath, cleanupRoot))
        AddSelfDeleteEntry(folder, true);
}

void ChainerApp::AddSelfDeleteEntry(const std::wstring& path, bool isFolder)
{
    for (const SelfDeleteEntry& entry : selfDeleteEntries) {
        if (entry.path == path)
            return;
    }
    SelfDeleteEntry entry;
    entry.isFolder = isFolder;
    ShortPathEntry(path, entry);
    selfDeleteEntries.push_back(std::move(entry));
}

void ChainerApp::Cleanup()
{
    for (const std::wstring& file : cleanupFiles) {
        DeleteFileW(file.c_str());
        RemoveEmptyParents(ParentPath(file), cleanupRoot);
    }
    // Each batch starts before the next entry is examined; the executable's waits for this
    // process to end, each folder's for the folder to become empty.
    SelfDeleteChain chain;
    for (const SelfDeleteEntry& entry : selfDeleteEntries) {
        if (chain.Admit(!entry.shortPathAnsi.empty(), IsExistingFolder(entry.path), CountFolderEntries(entry.path)))
            LaunchSelfDelete(entry);
    }
    selfDeleteEntries.clear();
}

int WaitForInstallerIdle()
{
    return WaitWhileMutexHeld(L"Global\\_MSIExecute");
}

int WaitWhileMutexHeld(const wchar_t* name)
{
    KernelHandle mutex(OpenMutexW(SYNCHRONIZE, FALSE, name));
    if (!mutex)
        return GetLastError() == ERROR_FILE_NOT_FOUND ? 0 : 1;
    DWORD wait = WaitForSingleObject(mutex.get(), INFINITE);
    // The wait made this thread the owner. Held on, the mutex would keep every setup that
    // this run starts later from beginning its own installation, so it is handed back at once.
    if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED)
        ReleaseMutex(mutex.get());
    return wait == WAIT_OBJECT_0 ? 0 : 1;
}
