// The optional setup log: a UTF-16 file of time-stamped lines, one per process, opened on the
// first line and appended to across runs. It never reports its own failures.
#pragma once
#include <windows.h>
#include <string>
#include <string_view>

// Set once by the run control, before any other thread exists; never cleared.
extern bool logEnabled;

class SetupLog {
public:
    SetupLog();
    ~SetupLog();  // Close()
    SetupLog(const SetupLog&) = delete;
    SetupLog& operator=(const SetupLog&) = delete;

    // Replaces the path while no file is open; ignored afterwards.
    void SetPath(const std::wstring& path);
    // One line: time stamp, "-", the message, CR LF. Does not test logEnabled.
    void WriteLine(std::wstring_view message);
    // The footer when logEnabled, then the file is closed. Runs at process end.
    void Close();
};

// The process-wide log.
SetupLog& TheSetupLog();

// Writes the line when logEnabled is set; callers build the message only through this.
void Log(std::wstring_view message);
