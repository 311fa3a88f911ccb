#include "ui/messages.h"
#include <windows.h>

std::wstring LoadText(unsigned id)
{
    // LoadStringW copies at most the buffer size less one and terminates the text; it returns
    // 0 for an identifier without an entry.
    wchar_t buffer[1300];
    int length = LoadStringW(GetModuleHandleW(nullptr), id, buffer, 1300);
    return std::wstring(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}
