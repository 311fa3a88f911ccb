// FormatText: the one formatting rule of user texts, kept free of Windows.
#include "ui/messages.h"

std::wstring FormatText(std::wstring_view format, std::initializer_list<std::wstring_view> arguments)
{
    std::wstring text;
    const std::wstring_view* next = arguments.begin();
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == L'%' && i + 1 < format.size()) {
            if (format[i + 1] == L's') {
                if (next != arguments.end())
                    text += *next++;
                ++i;
                continue;
            }
            if (format[i + 1] == L'%') {
                text += L'%';
                ++i;
                continue;
            }
        }
        // Any other "%" sequence is kept as written: the table's entries use only "%s".
        text += format[i];
    }
    return text;
}
