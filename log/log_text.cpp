#include "log/log_text.h"

const wchar_t kLogHeader[] = L"\r\n<< Corvane (x86) Log >>\r\n";
const wchar_t kLogFooter[] = L"=====================End of Log=====================\r\n";

namespace {

// "%0*d" for the non-negative fields of a date: at least `width` digits.
void AppendPadded(std::wstring& text, int value, size_t width)
{
    std::wstring digits = std::to_wstring(value);
    if (digits.size() < width)
        text.append(width - digits.size(), L'0');
    text += digits;
}

void AppendField(std::wstring& text, const wchar_t* name, uint32_t value)
{
    text += L' ';
    text += name;
    text += L": ";
    text += std::to_wstring(value);
    text += L';';
}

} // namespace

std::wstring TimeStampText(int year, int month, int day, int hour, int minute, int second)
{
    std::wstring text;
    AppendPadded(text, year, 4);
    text += L'-';
    AppendPadded(text, month, 2);
    text += L'-';
    AppendPadded(text, day, 2);
    text += L" @";
    AppendPadded(text, hour, 2);
    text += L':';
    AppendPadded(text, minute, 2);
    text += L':';
    AppendPadded(text, second, 2);
    return text;
}

std::wstring OsVersionBlock(const OsVersionReport& report)
{
    std::wstring text = L"<< OS Version: ";
    AppendField(text, L"MajorVersion", report.major);
    AppendField(text, L"MinorVersion", report.minor);
    AppendField(text, L"BuildNumber", report.build);
    AppendField(text, L"PlatformId", report.platformId);
    text += L" CSDVersion: ";
    text += report.servicePack;
    text += L';';
    // The basic structure has no such fields: they are left out rather than shown as zeros.
    if (report.extended) {
        AppendField(text, L"ServicePackMajor", report.servicePackMajor);
        AppendField(text, L"ServicePackMinor", report.servicePackMinor);
        AppendField(text, L"SuiteMask", report.suiteMask);
        AppendField(text, L"ProductType", report.productType);
    }
    text += L" >> \r\n\r\n";
    return text;
}

const wchar_t* BoolText(bool value)
{
    return value ? L"true" : L"false";
}

std::wstring UnsignedText(uint32_t value)
{
    return std::to_wstring(value);
}
