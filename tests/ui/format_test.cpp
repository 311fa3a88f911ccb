#include "ui/messages.h"
#include <gtest/gtest.h>

namespace {

TEST(FormatText, ReplacesEachPercentSInOrder)
{
    const struct {
        const wchar_t* format;
        std::initializer_list<std::wstring_view> arguments;
        const wchar_t* text;
    } cases[] = {
        {L"Installing %s", {L"Runtime 1.0"}, L"Installing Runtime 1.0"},
        {L"%s Setup", {L"C:\\T\\setup.exe"}, L"C:\\T\\setup.exe Setup"},
        {L"The server %s at %s requires a username and password.", {L"files", L"example.com"},
         L"The server files at example.com requires a username and password."},
        // A name is an argument, never a format: its own "%s", "%%" and "%d" stay as written.
        {L"Installing %s", {L"100% %s %% %d"}, L"Installing 100% %s %% %d"},
        {L"Installing %s", {L"%"}, L"Installing %"},
        {L"Preparing...", {}, L"Preparing..."},
        {L"Preparing...", {L"unused"}, L"Preparing..."},
        {L"%s and %s", {L"one"}, L"one and "},  // no argument left: the empty text
        {L"%%s is %s", {L"x"}, L"%s is x"},
        {L"50%", {}, L"50%"},                    // a final lone "%" stays
        {L"%d %x%s", {L"!"}, L"%d %x!"},         // other sequences are not formats
        {L"", {L"x"}, L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatText(c.format, c.arguments), c.text) << ::testing::PrintToString(std::wstring(c.format));
}

} // namespace
