// The application object: owns everything a run needs, from locating the configuration
// beside the executable to the clean-up when it is destroyed.
#pragma once
#include <string>
#include <vector>
#include "config/ini.h"
#include "fsutil/files.h"
#include "install/package_folder.h"

class ChainerApp {
public:
    ChainerApp() = default;
    // Deletes what the run listed for deletion and starts the self-deleting batch files.
    ~ChainerApp() { Cleanup(); }
    ChainerApp(const ChainerApp&) = delete;
    ChainerApp& operator=(const ChainerApp&) = delete;

    // Performs the run and returns the process exit code (0, 1 or -1), which also stays in
    // exitCode.
    int Run();

    int exitCode = 0;
    bool silent = false;  // Options holds "q"

private:
    // From PREREQ_CHAINER: the files to delete (the INI file last), the root below which
    // emptied folders go, and the executable with the folders that delete themselves. Lists
    // stay empty without the section.
    void PrepareCleanup(const IniFile& document);
    // Adds an entry unless one with the same path text exists.
    void AddSelfDeleteEntry(const std::wstring& path, bool isFolder);
    void Cleanup();
    // Turns the setup log on when PREREQ_CHAINER names a LogFile.
    void EnableLog(const IniFile& ini);

    PackageFolder packageFolder;
    std::vector<SelfDeleteEntry> selfDeleteEntries;
    std::vector<std::wstring> cleanupFiles;
    std::wstring modulePath;
    std::wstring iniPath;
    std::wstring moduleFolder;
    std::wstring cleanupRoot;
    IniFile ini;
};

// Waits while another Windows Installer installation holds "Global\_MSIExecute".
// Returns 0 to go on, 1 to stop (the mutex cannot be opened for another reason than its
// absence, or the wait did not end with a release).
int WaitForInstallerIdle();

// The same test on any named mutex: 0 when it does not exist or was released to us,
// otherwise 1. The mutex is never left owned by the calling thread.
int WaitWhileMutexHeld(const wchar_t* name);
