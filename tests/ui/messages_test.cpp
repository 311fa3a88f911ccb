#include "ui/messages.h"
#include <gtest/gtest.h>
#include "ui/resource_ids.h"

namespace {

TEST(LoadText, EveryEntryOfTheStringTable)
{
    const struct {
        unsigned id;
        const wchar_t* text;
    } cases[] = {
        {IDS_INSTALLING, L"Installing %s"},
        {IDS_SETUP_CAPTION, L"%s Setup"},
        {IDS_OPENING_SITE, L"Opening site of %s"},
        {IDS_DOWNLOADING, L"Downloading %s"},
        {IDS_REBOOT_QUESTION,
         L"You must reboot your computer in order to continue the installation. Press Yes to restart now or press "
         L"No to abort the installation and manually restart later."},
        {IDS_CONFIRMATION, L"Confirmation"},
        {IDS_PREPARING, L"Preparing..."},
        {IDS_SEARCHING, L"Searching for prerequisites..."},
        {IDS_CONNECT_TO, L"Connect to %s"},
        {IDS_CREDENTIALS_PROMPT, L"The server %s at %s requires a username and password. Please enter them below."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LoadText(c.id), c.text) << "id " << c.id;
    // The table's numbers are fixed; the resource script must not have drifted from them.
    EXPECT_EQ(IDS_INSTALLING, 153);
    EXPECT_EQ(IDS_SETUP_CAPTION, 161);
    EXPECT_EQ(IDS_OPENING_SITE, 198);
    EXPECT_EQ(IDS_DOWNLOADING, 199);
    EXPECT_EQ(IDS_REBOOT_QUESTION, 216);
    EXPECT_EQ(IDS_CONFIRMATION, 217);
    EXPECT_EQ(IDS_PREPARING, 220);
    EXPECT_EQ(IDS_SEARCHING, 223);
    EXPECT_EQ(IDS_CONNECT_TO, 245);
    EXPECT_EQ(IDS_CREDENTIALS_PROMPT, 246);
}

TEST(LoadText, MissingEntriesAreEmpty)
{
    // 152 and 154 share string blocks with real entries; 0 and 65535 do not.
    for (unsigned id : {0u, 152u, 154u, 200u, 65535u})
        EXPECT_EQ(LoadText(id), L"") << "id " << id;
}

TEST(LoadText, KeepsAtMost1299Characters)
{
    // Entries 4000-4002 hold the digits 0-9 repeated, 1299, 1300 and 1400 characters long.
    std::wstring digits;
    for (int i = 0; i < 140; ++i)
        digits += L"0123456789";
    EXPECT_EQ(LoadText(4000), digits.substr(0, 1299));
    EXPECT_EQ(LoadText(4001), digits.substr(0, 1299));
    EXPECT_EQ(LoadText(4002), digits.substr(0, 1299));
}

} // namespace
