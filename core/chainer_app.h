// The application object: owns everything a run needs, from locating the configuration
// beside the executable to the clean-up when it is destroyed.
#pragma once
#include <string>
#include "config/ini.h"

class ChainerApp {
public:
    ChainerApp() = default;
    ChainerApp(const ChainerApp&) = delete;
    ChainerApp& operator=(const ChainerApp&) = delete;

    // Performs the run and returns the process exit code (0, 1 or -1), which also stays in
    // exitCode.
    int Run();

    int exitCode = 0;

private:
    // Turns the setup log on when PREREQ_CHAINER names a LogFile.
    void EnableLog(const IniFile& ini);

    std::wstring modulePath;
    std::wstring iniPath;
    std::wstring moduleFolder;
    IniFile ini;
};

// Waits while another Windows Installer installation holds "Global\_MSIExecute".
// Returns 0 to go on, 1 to stop (the mutex cannot be opened for another reason than its
// absence, or the wait did not end with a release).
int WaitForInstallerIdle();

// The same test on any named mutex: 0 when it does not exist or was released to us,
// otherwise 1. The mutex is never left owned by the calling thread.
int WaitWhileMutexHeld(const wchar_t* name);
