// The optional setup log: a UTF-16 file of time-stamped lines, one per process, opened on the
// first line and appended to across runs. It never reports its own failures.
#pragma once
#include <windows.h>
#include <string>
#include <string_view>
#include "core/handles.h"

// Set once by the run control, before any other thread exists; never cleared.
extern bool logEnabled;

class SetupLog {
public:
    SetupLog();
    ~SetupLog();  // Close()
    SetupLog(const SetupLog&) = delete;
    SetupLog& operator=(const SetupLog&) = delete;

    // Replaces the path while no file is open; ignored afterwards. A relative path is taken
    // against the current directory of the moment the file is opened.
    void SetPath(const std::wstring& path);
    // One line: time stamp, "-", the message, CR LF. Does not test logEnabled. Opens the file
    // first when it is not open; when that fails the line is lost and the next line tries again.
    void WriteLine(std::wstring_view message);
    // The footer when logEnabled, then the file is closed. Runs at process end; lines that
    // arrive afterwards (and a second Close) are dropped.
    void Close();

private:
    // The callers hold the lock.
    bool OpenLocked();
    void WriteLineLocked(std::wstring_view message);
    void Write(std::wstring_view text);

    // Whole lines are written under it: lines come from the main thread, the progress
    // dialog's worker and the download threads.
    CRITICAL_SECTION lock;
    std::wstring path;   // empty until set: the file beside the executable is used then
    FileHandle file;
    bool closed = false;
};

// The process-wide log, constructed before the entry point runs and closed (footer included)
// after it has returned.
SetupLog& TheSetupLog();

// Writes the line when logEnabled is set; callers build the message only through this.
void Log(std::wstring_view message);
