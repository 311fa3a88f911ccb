#include "config/config.h"
#include <gtest/gtest.h>

namespace {

// Placeholders with made-up values: [Temp] and [Pkg] are folders, %HOST% a variable, and
// !HKLM\Key\Value! a registry value.
class FakeTokens : public TokenValues {
public:
    bool Folder(std::wstring_view name, std::wstring& path) const override
    {
        if (name == L"Temp")
            path = L"C:\\Temp\\";
        else if (name == L"Pkg")
            path = L"D:\\Pkg\\";
        else
            return false;
        return true;
    }
    std::wstring Environment(std::wstring_view name) const override
    {
        return name == L"HOST" ? L"127.0.0.1" : L"";
    }
    std::wstring Registry(std::wstring_view path) const override
    {
        return path == L"HKLM\\Key\\Value" ? L"8080" : L"";
    }
};

ChainerConfig Parse(std::wstring_view text)
{
    IniFile ini;
    ParseIniText(ini, text);
    ChainerConfig config;
    ParseConfig(ini, config, FakeTokens());
    return config;
}

std::wstring Names(const ChainerConfig& config)
{
    std::wstring names;
    for (const Prerequisite& p : config.prerequisites)
        names += L"<" + p.name + L">";
    return names;
}

TEST(ParseConfig, ListEndsAtTheFirstMissingOrIncompleteEntry)
{
    const struct {
        const wchar_t* what;
        const wchar_t* text;
        const wchar_t* names;
    } cases[] = {
        {L"no sections", L"", L""},
        {L"no PREREQUISITES", L"[App1]\r\nSetupFile=a.exe", L""},
        {L"gap in the numbering",
         L"[PREREQUISITES]\r\nApp1=One\r\nApp3=Three\r\n[App1]\r\nSetupFile=a.exe\r\n[App3]\r\nSetupFile=c.exe", L"<One>"},
        {L"missing section",
         L"[PREREQUISITES]\r\nApp1=One\r\nApp2=Two\r\nApp3=Three\r\n[App1]\r\nUrl=u\r\n[App3]\r\nUrl=u", L"<One>"},
        {L"no location key",
         L"[PREREQUISITES]\r\nApp1=One\r\nApp2=Two\r\n[App1]\r\nUrl=u\r\n[App2]\r\nCommandLine=/q", L"<One>"},
        {L"malformed search ends the list",
         L"[PREREQUISITES]\r\nApp1=One\r\nApp2=Two\r\n[App1]\r\nSearchType1=0\r\nSetupFile=a\r\n[App2]\r\nSetupFile=b",
         L""},
        {L"section named after the key, not the value",
         L"[PREREQUISITES]\r\nApp1=One\r\n[One]\r\nSetupFile=a.exe", L""},
        {L"case-sensitive keys", L"[PREREQUISITES]\r\napp1=One\r\n[app1]\r\nSetupFile=a", L""},
        {L"ten and more",
         L"[PREREQUISITES]\r\nApp1=1\r\nApp2=2\r\nApp3=3\r\nApp4=4\r\nApp5=5\r\nApp6=6\r\nApp7=7\r\nApp8=8\r\nApp9=9\r\n"
         L"App10=10\r\n[App1]\r\nUrl=u\r\n[App2]\r\nUrl=u\r\n[App3]\r\nUrl=u\r\n[App4]\r\nUrl=u\r\n[App5]\r\nUrl=u\r\n"
         L"[App6]\r\nUrl=u\r\n[App7]\r\nUrl=u\r\n[App8]\r\nUrl=u\r\n[App9]\r\nUrl=u\r\n[App10]\r\nUrl=u",
         L"<1><2><3><4><5><6><7><8><9><10>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Names(Parse(c.text)), c.names) << c.what;
}

TEST(ParseConfig, LocationPrecedenceAndExpansion)
{
    const struct {
        const wchar_t* keys;
        SourceKind kind;
        const wchar_t* location;
    } cases[] = {
        {L"Url=http://x/a.exe\r\nSetupFile=[Pkg]a.exe\r\nOpenSite=http://site", SourceKind::SetupFile, L"[Pkg]a.exe"},
        {L"Url=http://x/a.exe\r\nOpenSite=http://%HOST%/", SourceKind::OpenSite, L"http://127.0.0.1/"},
        {L"Url=http://%HOST%:!HKLM\\Key\\Value!/[Pkg]a.exe", SourceKind::Url, L"http://127.0.0.1:8080/D:\\Pkg\\a.exe"},
        {L"SetupFile=", SourceKind::SetupFile, L""},
    };
    for (const auto& c : cases) {
        ChainerConfig config = Parse(std::wstring(L"[PREREQUISITES]\r\nApp1=A\r\n[App1]\r\n") + c.keys);
        ASSERT_EQ(config.prerequisites.size(), 1u) << c.keys;
        EXPECT_EQ(config.prerequisites[0].sourceKind, c.kind) << c.keys;
        EXPECT_EQ(config.prerequisites[0].location, c.location) << c.keys;
    }
}

TEST(ParseConfig, PrerequisiteFields)
{
    ChainerConfig config = Parse(
        L"[PREREQUISITES]\r\nApp1=Runtime %HOST%\r\nApp2=Child\r\n"
        L"[App1]\r\nSetupFile=%HOST%\\setup.exe\r\nVerMin=1.0\r\nVerMax=2.0\r\nCommandLine=/c\r\n"
        L"BasicUiCommandLine=/b [Pkg]\r\nNoUiCommandLine=/q\r\nOptions=mxri\r\nMD5=ABC\r\nExactSize=  1234x\r\n"
        L"Folder=sub\\\r\nRetValPropName=Rt\r\nWin9xVersions=Windows 9x/ME\r\nWinNTVersions=Windows XP x86\r\n"
        L"WinNT64Versions=Windows 7 x64\r\nLanguageList=1033\r\nOperator=1\r\n"
        L"[App2]\r\nUrl=u\r\nParentPrereq=Runtime %HOST%\r\nLanguageList=1033;1031;\r\nOptions=m\r\n");
    ASSERT_EQ(config.prerequisites.size(), 2u);
    const Prerequisite& p = config.prerequisites[0];
    EXPECT_EQ(p.name, L"Runtime %HOST%");
    EXPECT_EQ(p.location, L"%HOST%\\setup.exe");  // SetupFile is never expanded here
    EXPECT_EQ(p.verMin, L"1.0");
    EXPECT_EQ(p.verMax, L"2.0");
    EXPECT_EQ(p.commandLine, L"/c");
    EXPECT_EQ(p.basicUiCommandLine, L"/b [Pkg]");  // command lines are expanded at launch
    EXPECT_EQ(p.noUiCommandLine, L"/q");
    EXPECT_EQ(p.options, L"mxri");
    EXPECT_TRUE(p.noDetection);
    EXPECT_EQ(p.md5, L"ABC");
    EXPECT_EQ(p.exactSize, 1234);
    EXPECT_EQ(p.folder, L"sub\\");
    EXPECT_EQ(p.retValPropName, L"Rt");
    EXPECT_EQ(p.win9xVersions, L"Windows 9x/ME");
    EXPECT_EQ(p.winNTVersions, L"Windows XP x86");
    EXPECT_EQ(p.winNT64Versions, L"Windows 7 x64");
    EXPECT_EQ(p.languageList, L"1033;");
    EXPECT_EQ(p.searchOperator, 1);
    EXPECT_EQ(p.action, PrereqAction::Undefined);
    EXPECT_FALSE(p.selected);
    EXPECT_FALSE(p.downloaded);

    const Prerequisite& child = config.prerequisites[1];
    EXPECT_EQ(child.parentPrereq, L"Runtime %HOST%");
    EXPECT_EQ(child.languageList, L"1033;1031;");
    EXPECT_FALSE(child.noDetection);
    EXPECT_EQ(child.exactSize, 0);       // absent: no size test
    EXPECT_EQ(child.searchOperator, 0);  // absent: every search must match
}

TEST(ParseConfig, LanguageListCompletion)
{
    const struct {
        const wchar_t* value;
        const wchar_t* completed;
    } cases[] = {{L"1033", L"1033;"}, {L"1033;", L"1033;"}, {L"", L""}, {L"1033;1031", L"1033;1031;"}};
    for (const auto& c : cases) {
        ChainerConfig config =
            Parse(std::wstring(L"[PREREQUISITES]\r\nApp1=A\r\n[App1]\r\nUrl=u\r\nLanguageList=") + c.value);
        ASSERT_EQ(config.prerequisites.size(), 1u);
        EXPECT_EQ(config.prerequisites[0].languageList, c.completed) << c.value;
    }
}

TEST(ParseConfig, SearchesNumberedFromOne)
{
    ChainerConfig config = Parse(
        L"[PREREQUISITES]\r\nApp1=A\r\nApp2=B\r\n"
        L"[App1]\r\nUrl=u\r\nSearchType1=2\r\nSearchString1=HKLM\\K\\V\r\nVerMin1=1.0\r\nVerMax1=2.0\r\n"
        L"RefContent1=M1\r\nSearchCmdLine1=/x\r\nSearchType2= -+9\r\nSearchString2=\r\nSearchType4=3\r\nSearchString4=s\r\n"
        L"[App2]\r\nUrl=u\r\nSearchType2=3\r\nSearchString2={guid}\r\n");
    ASSERT_EQ(config.prerequisites.size(), 2u);
    const std::vector<PrereqSearch>& searches = config.prerequisites[0].searches;
    ASSERT_EQ(searches.size(), 2u);  // SearchType3 is absent: SearchType4 is never read
    EXPECT_EQ(searches[0].type, 2);
    EXPECT_EQ(searches[0].searchString, L"HKLM\\K\\V");
    EXPECT_EQ(searches[0].verMin, L"1.0");
    EXPECT_EQ(searches[0].verMax, L"2.0");
    EXPECT_EQ(searches[0].refContent, L"M1");
    EXPECT_EQ(searches[0].searchCmdLine, L"/x");
    EXPECT_EQ(searches[1].type, -9);
    EXPECT_EQ(searches[1].searchString, L"");
    EXPECT_EQ(searches[1].verMin, L"");
    EXPECT_TRUE(config.prerequisites[1].searches.empty());  // numbering must start at 1
}

TEST(ReadGeneralOptions, Fields)
{
    ChainerConfig config = Parse(
        L"[GeneralOptions]\r\nOptions=qb\r\nDownloadFolder=[Temp]dl\r\nExtractionFolder=C:\\Pkg. \\\r\n"
        L"KeepFiles=prereqs\r\nDefaultProdCode={X}\r\nMainAppCmdLine=ignored\r\n");
    EXPECT_EQ(config.options.uiOptions, L"qb");
    EXPECT_TRUE(IsSilent(config));
    EXPECT_TRUE(IsBasicUi(config));
    EXPECT_EQ(config.options.downloadFolder, L"[Temp]dl");  // completed on first use
    EXPECT_EQ(config.options.extractionFolder, L"C:\\Pkg\\");
    EXPECT_EQ(config.options.keepFiles, KeepFiles::Prereqs);
    EXPECT_EQ(config.options.defaultProductCode, L"{X}");

    ChainerConfig none = Parse(L"");
    EXPECT_EQ(none.options.uiOptions, L"");
    EXPECT_FALSE(IsSilent(none));
    EXPECT_FALSE(IsBasicUi(none));
    EXPECT_EQ(none.options.extractionFolder, L"");
    EXPECT_EQ(none.options.keepFiles, KeepFiles::None);
}

TEST(ReadGeneralOptions, KeepFilesExactValues)
{
    const struct {
        const wchar_t* value;
        KeepFiles keep;
    } cases[] = {{L"complete", KeepFiles::Complete}, {L"minimum", KeepFiles::Minimum}, {L"prereqs", KeepFiles::Prereqs},
                 {L"Complete", KeepFiles::None},     {L"", KeepFiles::None},           {L"completely", KeepFiles::None}};
    for (const auto& c : cases)
        EXPECT_EQ(Parse(std::wstring(L"[GeneralOptions]\r\nKeepFiles=") + c.value).options.keepFiles, c.keep) << c.value;
}

TEST(ReadChainerSection, PresentAbsentAndEmpty)
{
    IniFile ini;
    ChainerSection section;
    section.logFile = L"sentinel";
    ParseIniText(ini, L"[GeneralOptions]\r\nLogFile=x");
    EXPECT_FALSE(ReadChainerSection(ini, section));
    EXPECT_EQ(section.logFile, L"sentinel");

    ParseIniText(ini, L"[PREREQ_CHAINER]\r\nCleanupFiles=C:\\a\x01" L"C:\\b\r\nCleanupFolders=C:\\T\r\nLogFile=setup.log");
    ASSERT_TRUE(ReadChainerSection(ini, section));
    EXPECT_EQ(section.cleanupFiles, L"C:\\a\x01" L"C:\\b");
    EXPECT_EQ(section.cleanupFolders, L"C:\\T");
    EXPECT_EQ(section.logFile, L"setup.log");

    ParseIniText(ini, L"[PREREQ_CHAINER]");
    ASSERT_TRUE(ReadChainerSection(ini, section));
    EXPECT_EQ(section.cleanupFiles, L"");
    EXPECT_EQ(section.logFile, L"");
}

TEST(CompleteWorkingFolder, Table)
{
    const struct {
        const wchar_t* value;
        const wchar_t* temp;
        const wchar_t* code;
        const wchar_t* completed;
    } cases[] = {
        {L"", L"C:\\Users\\u\\Temp\\", L"X", L"C:\\Users\\u\\Temp\\X\\"},
        {L"", L"C:\\Users\\u\\Temp\\", L"", L"C:\\Users\\u\\Temp\\"},
        {L"", L"", L"", L""},  // no temporary folder either
        {L"C:\\Pkg. \\", L"C:\\T\\", L"X", L"C:\\Pkg\\"},
        {L"[Temp]\\dl.", L"C:\\T\\", L"X", L"C:\\Temp\\dl\\"},
        {L"[Unknown]\\dl", L"C:\\T\\", L"X", L"[Unknown]dl\\"},
        {L"%HOST%\\x", L"C:\\T\\", L"X", L"127.0.0.1\\x\\"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CompleteWorkingFolder(c.value, c.temp, c.code, FakeTokens()), c.completed) << c.value;
}

} // namespace
