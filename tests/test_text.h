// Helpers for table tests of the pure modules (no <windows.h>).
#pragma once
#include <string>
#include <vector>

// "<a><b><>": each piece in angle brackets, so that empty pieces and their number show.
inline std::wstring JoinPieces(const std::vector<std::wstring>& pieces)
{
    std::wstring out;
    for (const std::wstring& piece : pieces)
        out += L"<" + piece + L">";
    return out;
}
