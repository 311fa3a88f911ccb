#include "log/setup_log.h"
#include "core/run_paths.h"
#include "detect/system_probes.h"
#include "fsutil/files.h"
#include "log/log_text.h"

bool logEnabled = false;

namespace {

class Locked {
public:
    explicit Locked(CRITICAL_SECTION& section) : section(section) { EnterCriticalSection(&section); }
    ~Locked() { LeaveCriticalSection(&section); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

private:
    CRITICAL_SECTION& section;
};

// A namespace-scope object: the C runtime constructs it before wWinMain and destroys it
// after wWinMain has returned, which is when the footer is written.
SetupLog theLog;

} // namespace

SetupLog::SetupLog()
{
    InitializeCriticalSection(&lock);
}

SetupLog::~SetupLog()
{
    Close();
    DeleteCriticalSection(&lock);
}

void SetupLog::SetPath(const std::wstring& newPath)
{
    Locked locked(lock);
    if (!file)
        path = newPath;
}

void SetupLog::WriteLine(std::wstring_view message)
{
    Locked locked(lock);
    if (!closed)
        WriteLineLocked(message);
}

void SetupLog::Close()
{
    Locked locked(lock);
    if (closed)
        return;
    if (logEnabled)
        WriteLineLocked(kLogFooter);
    file.reset();
    path.clear();
    // Without this a late line would open the file again, or the default one beside the
    // executable once the path is gone.
    closed = true;
}

void SetupLog::WriteLineLocked(std::wstring_view message)
{
    if (!file && !OpenLocked())
        return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    Write(TimeStampText(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond));
    Write(L"-");
    Write(message);
    Write(L"\r\n");
}

bool SetupLog::OpenLocked()
{
    if (path.empty()) {
        std::wstring modulePath = ModulePath();
        if (modulePath.empty())
            return false;
        path = PathBesideModule(modulePath, L".log");
    }
    FileHandle opened(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!opened)
        return false;
    bool isNew;
    switch (GetLastError()) {
    case ERROR_SUCCESS:
        isNew = true;
        break;
    case ERROR_ALREADY_EXISTS: {
        // An existing empty file (created ahead of the run, or left by a run that could not
        // write) gets its byte-order mark too, so that the log reads as UTF-16.
        LARGE_INTEGER size;
        isNew = GetFileSizeEx(opened.get(), &size) && size.QuadPart == 0;
        SetFilePointer(opened.get(), 0, nullptr, FILE_END);
        break;
    }
    default:
        return false;
    }
    file = std::move(opened);
    if (isNew)
        Write(L"\xFEFF");
    Write(kLogHeader);
    Write(OsVersionBlock(QueryOsVersion()));
    return true;
}

// Each piece is flushed at once: the file on disk is complete up to the last line even when
// the process dies. Failures of the write and the flush are not reported.
void SetupLog::Write(std::wstring_view text)
{
    DWORD written = 0;
    WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &written, nullptr);
    FlushFileBuffers(file.get());
}

SetupLog& TheSetupLog()
{
    return theLog;
}

void Log(std::wstring_view message)
{
    if (logEnabled)
        theLog.WriteLine(message);
}
