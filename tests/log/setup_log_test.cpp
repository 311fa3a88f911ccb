#include "log/setup_log.h"
#include <gtest/gtest.h>
#include <cwctype>
#include <set>
#include <vector>
#include "core/run_paths.h"
#include "detect/system_probes.h"
#include "fsutil/files.h"
#include "log/log_text.h"
#include "tests/win_support.h"

namespace {

// The file as text, without its byte-order mark (checked separately by the callers).
std::wstring ReadText(const std::wstring& path)
{
    std::string bytes = ReadBytes(path);
    std::wstring text;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        text += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8);
    if (!text.empty() && text[0] == 0xFEFF)
        text.erase(0, 1);
    return text;
}

size_t Count(const std::wstring& text, const std::wstring& piece)
{
    size_t count = 0;
    for (size_t at = text.find(piece); at != std::wstring::npos; at = text.find(piece, at + 1))
        ++count;
    return count;
}

// What opening the file writes before the first line.
std::wstring Opening()
{
    return kLogHeader + OsVersionBlock(QueryOsVersion());
}

// "2012-07-26 @11:01:23-" followed by the message.
bool IsLine(const std::wstring& line, const std::wstring& message)
{
    const std::wstring pattern = L"dddd-dd-dd @dd:dd:dd-";
    if (line.size() != pattern.size() + message.size())
        return false;
    for (size_t i = 0; i < pattern.size(); ++i)
        if (pattern[i] == L'd' ? !std::iswdigit(line[i]) : line[i] != pattern[i])
            return false;
    return line.compare(pattern.size(), std::wstring::npos, message) == 0;
}

std::vector<std::wstring> LinesAfterOpening(const std::wstring& text)
{
    std::vector<std::wstring> lines;
    std::wstring opening = Opening();
    if (text.compare(0, opening.size(), opening) != 0) {
        ADD_FAILURE() << "the file does not begin with the header and the OS version block";
        return lines;
    }
    size_t at = opening.size();
    while (at < text.size()) {
        size_t end = text.find(L"\r\n", at);
        if (end == std::wstring::npos) {
            ADD_FAILURE() << "the last line has no CR LF";
            break;
        }
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

TEST(SetupLog, NewFileHasMarkHeaderVersionBlockAndLines)
{
    ScratchFolder folder;
    std::wstring path = folder / L"setup.log";
    {
        SetupLog log;
        log.SetPath(path);
        EXPECT_FALSE(FileExists(path)) << "the file is opened by the first line, not by the path";
        log.WriteLine(L"Searching for:Runtime");
        // Every line is flushed: the file is complete while the log is still open.
        std::string bytes = ReadBytes(path);
        ASSERT_GE(bytes.size(), 2u);
        EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
        EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\xFE'), 1) << "one byte-order mark only";
        log.WriteLine(L"");
    }
    std::vector<std::wstring> lines = LinesAfterOpening(ReadText(path));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(IsLine(lines[0], L"Searching for:Runtime")) << ::testing::PrintToString(lines[0]);
    EXPECT_TRUE(IsLine(lines[1], L"")) << ::testing::PrintToString(lines[1]);
    // logEnabled is off: closing wrote no footer.
    EXPECT_EQ(Count(ReadText(path), L"End of Log"), 0u);
}

TEST(SetupLog, ExistingFileIsAppendedWithANewHeader)
{
    ScratchFolder folder;
    std::wstring path = folder / L"setup.log";
    for (const wchar_t* message : {L"first run", L"second run"}) {
        SetupLog log;
        log.SetPath(path);
        log.WriteLine(message);
    }
    std::string bytes = ReadBytes(path);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    std::wstring text = ReadText(path);
    EXPECT_EQ(Count(text, L"\xFEFF"), 0u) << "a second byte-order mark in the middle";
    std::wstring opening = Opening();
    size_t second = text.find(opening, 1);
    ASSERT_NE(second, std::wstring::npos);
    EXPECT_EQ(Count(text, kLogHeader), 2u);
    std::vector<std::wstring> first = LinesAfterOpening(text.substr(0, second));
    std::vector<std::wstring> next = LinesAfterOpening(text.substr(second));
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(next.size(), 1u);
    EXPECT_TRUE(IsLine(first[0], L"first run"));
    EXPECT_TRUE(IsLine(next[0], L"second run"));
}

TEST(SetupLog, ExistingEmptyFileGetsTheMark)
{
    ScratchFolder folder;
    std::wstring path = folder / L"setup.log";
    WriteBytes(path, "");
    {
        SetupLog log;
        log.SetPath(path);
        log.WriteLine(L"line");
    }
    EXPECT_EQ(ReadBytes(path).substr(0, 2), "\xFF\xFE");
    std::vector<std::wstring> lines = LinesAfterOpening(ReadText(path));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(IsLine(lines[0], L"line"));
}

TEST(SetupLog, PathIsFixedOnceTheFileIsOpen)
{
    ScratchFolder folder;
    SetupLog log;
    log.SetPath(folder / L"replaced.log");
    log.SetPath(folder / L"first.log");  // nothing open yet: replaces
    log.WriteLine(L"one");
    log.SetPath(folder / L"second.log");  // ignored
    log.WriteLine(L"two");
    log.Close();
    EXPECT_FALSE(FileExists(folder / L"replaced.log"));
    EXPECT_FALSE(FileExists(folder / L"second.log"));
    std::vector<std::wstring> lines = LinesAfterOpening(ReadText(folder / L"first.log"));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(IsLine(lines[0], L"one"));
    EXPECT_TRUE(IsLine(lines[1], L"two"));
}

TEST(SetupLog, FailedOpenLosesTheLineAndTheNextLineTriesAgain)
{
    ScratchFolder folder;
    std::wstring path = folder / L"missing\\setup.log";
    SetupLog log;
    log.SetPath(path);
    log.WriteLine(L"lost");
    EXPECT_FALSE(FileExists(folder / L"missing")) << "the log must not create folders";
    ASSERT_TRUE(CreateDirectoryW((folder / L"missing").c_str(), nullptr));
    log.WriteLine(L"kept");
    log.Close();
    std::vector<std::wstring> lines = LinesAfterOpening(ReadText(path));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(IsLine(lines[0], L"kept"));
}

struct LogEnabledForThisTest {
    LogEnabledForThisTest() { logEnabled = true; }
    ~LogEnabledForThisTest() { logEnabled = false; }
};

TEST(SetupLog, CloseWritesTheFooterOnceAndEndsTheLog)
{
    ScratchFolder folder;
    std::wstring path = folder / L"setup.log";
    {
        LogEnabledForThisTest enabled;
        SetupLog log;
        log.SetPath(path);
        log.WriteLine(L"line");
        log.Close();
        log.WriteLine(L"too late");
        log.Close();
    }  // and the destructor closes again
    std::vector<std::wstring> lines = LinesAfterOpening(ReadText(path));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(IsLine(lines[0], L"line"));
    EXPECT_TRUE(IsLine(lines[1], std::wstring(21, L'=') + L"End of Log" + std::wstring(21, L'=')));
    EXPECT_EQ(lines[2], L"") << "the footer ends with two CR LF";
}

TEST(SetupLog, FooterAloneOpensTheFile)
{
    ScratchFolder folder;
    std::wstring path = folder / L"setup.log";
    {
        LogEnabledForThisTest enabled;
        SetupLog log;
        log.SetPath(path);
    }
    std::vector<std::wstring> lines = LinesAfterOpening(ReadText(path));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(IsLine(lines[0], std::wstring(21, L'=') + L"End of Log" + std::wstring(21, L'=')));
}

TEST(SetupLog, WithoutAPathTheFileLiesBesideTheExecutable)
{
    std::wstring path = PathBesideModule(ModulePath(), L".log");
    ASSERT_NE(path, L"\\.log");
    DeleteFileW(path.c_str());
    {
        SetupLog log;
        log.WriteLine(L"default");
    }
    std::vector<std::wstring> lines = LinesAfterOpening(ReadText(path));
    EXPECT_TRUE(DeleteFileW(path.c_str()));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(IsLine(lines[0], L"default"));
}

TEST(SetupLog, ProcessLogWritesOnlyWhenEnabled)
{
    ScratchFolder folder;
    std::wstring path = folder / L"process.log";
    TheSetupLog().SetPath(path);
    Log(L"not enabled");
    EXPECT_FALSE(FileExists(path));
    {
        LogEnabledForThisTest enabled;
        Log(L"enabled");
        TheSetupLog().Close();  // as at process end; releases the file for the scratch folder
    }
    std::vector<std::wstring> lines = LinesAfterOpening(ReadText(path));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(IsLine(lines[0], L"enabled"));
    EXPECT_TRUE(IsLine(lines[1], std::wstring(21, L'=') + L"End of Log" + std::wstring(21, L'=')));
}

// Writers on several threads: the lock must keep each line's four writes together.
struct Writer {
    SetupLog* log;
    int id;
    static constexpr int kLines = 60;

    static DWORD WINAPI Main(void* self)
    {
        Writer& writer = *static_cast<Writer*>(self);
        for (int n = 0; n < kLines; ++n)
            writer.log->WriteLine(L"writer " + std::to_wstring(writer.id) + L" line " + std::to_wstring(n) +
                                  L" " + std::wstring(writer.id * 7 % 40, L'x'));
        return 0;
    }
};

TEST(SetupLog, ConcurrentWritersNeverInterleaveLines)
{
    ScratchFolder folder;
    std::wstring path = folder / L"setup.log";
    const int writerCount = 6;
    {
        SetupLog log;
        log.SetPath(path);
        std::vector<Writer> writers;
        for (int id = 0; id < writerCount; ++id)
            writers.push_back(Writer{&log, id});
        std::vector<HANDLE> threads;
        for (Writer& writer : writers)
            threads.push_back(CreateThread(nullptr, 0, Writer::Main, &writer, 0, nullptr));
        ASSERT_EQ(WaitForMultipleObjects(writerCount, threads.data(), TRUE, 50000), WAIT_OBJECT_0);
        for (HANDLE thread : threads)
            CloseHandle(thread);
    }
    std::vector<std::wstring> lines = LinesAfterOpening(ReadText(path));
    ASSERT_EQ(lines.size(), size_t(writerCount * Writer::kLines));
    std::vector<int> nextOf(writerCount, 0);
    for (const std::wstring& line : lines) {
        bool matched = false;
        for (int id = 0; id < writerCount && !matched; ++id) {
            std::wstring expected = L"writer " + std::to_wstring(id) + L" line " + std::to_wstring(nextOf[id]) +
                                    L" " + std::wstring(id * 7 % 40, L'x');
            if (IsLine(line, expected)) {
                ++nextOf[id];
                matched = true;
            }
        }
        EXPECT_TRUE(matched) << "torn or out-of-order line: " << ::testing::PrintToString(line);
    }
    for (int id = 0; id < writerCount; ++id)
        EXPECT_EQ(nextOf[id], Writer::kLines) << "writer " << id;
    EXPECT_EQ(Count(ReadText(path), kLogHeader), 1u) << "the file was opened more than once";
}

} // namespace
