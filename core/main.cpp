// Entry point. The command line is not read: everything comes from the INI file that lies
// beside the executable.
#include <windows.h>
#include <objbase.h>
#include "core/chainer_app.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    HRESULT com = CoInitialize(nullptr);
    DefWindowProcW(nullptr, WM_NULL, 0, 0);
    int exitCode;
    {
        ChainerApp app;
        exitCode = app.Run();
    }
    if (com == S_OK)
        CoUninitialize();
    return exitCode;
}
