#include "log/setup_log.h"
#include <gtest/gtest.h>
#include <cwctype>
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

const size_t kStampLength = 21;

// "2012-07-26 @11:01:23-" at the position.
bool IsStampAt(const std::wstring& text, size_t at)
{
    const std::wstring_view pattern = L"dddd-dd-dd @dd:dd:dd-";
    if (text.size() < at + pattern.size())
        return false;
    for (size_t i = 0; i < pattern.size(); ++i)
        if (pattern[i] == L'd' ? !std::iswdigit(text[at + i]) : text[at + i] != pattern[i])
            return false;
    return true;
}

// The text holds the header and the OS version block, then exactly these messages, each
// after a time stamp and followed by CR LF.
::testing::AssertionResult HasLines(const std::wstring& text, std::initializer_list<std::wstring_view> messages)
{
    std::wstring opening = Opening();
    if (text.compare(0, opening.size(), opening) != 0)
        return ::testing::AssertionFailure() << "no header and OS version block at " << ::testing::PrintToString(text);
    size_t at = opening.size();
    for (std::wstring_view message : messages) {
        if (!IsStampAt(text, at) || text.compare(at + kStampLength, message.size(), message) != 0 ||
            text.compare(at + kStampLength + message.size(), 2, L"\r\n") != 0)
            return ::testing::AssertionFailure() << "expected the line " << ::testing::PrintToString(std::wstring(message))
                                                 << " at " << ::testing::PrintToString(text.substr(at));
        at += kStampLength + message.size() + 2;
    }
    if (at != text.size())
        return ::testing::AssertionFailure() << "more text: " << ::testing::PrintToString(text.substr(at));
    return ::testing::AssertionSuccess();
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
        EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
        EXPECT_TRUE(HasLines(ReadText(path), {L"Searching for:Runtime"}));
        log.WriteLine(L"");
    }
    // logEnabled is off: closing wrote no footer.
    EXPECT_TRUE(HasLines(ReadText(path), {L"Searching for:Runtime", L""}));
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
    EXPECT_EQ(ReadBytes(path).substr(0, 2), "\xFF\xFE");
    std::wstring text = ReadText(path);
    EXPECT_EQ(Count(text, L"\xFEFF"), 0u) << "a second byte-order mark in the middle";
    size_t second = text.find(Opening(), 1);
    ASSERT_NE(second, std::wstring::npos);
    EXPECT_TRUE(HasLines(text.substr(0, second), {L"first run"}));
    EXPECT_TRUE(HasLines(text.substr(second), {L"second run"}));
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
    EXPECT_TRUE(HasLines(ReadText(path), {L"line"}));
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
    EXPECT_TRUE(HasLines(ReadText(folder / L"first.log"), {L"one", L"two"}));
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
    EXPECT_TRUE(HasLines(ReadText(path), {L"kept"}));
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
    // The footer's own CR LF and the line's make it end with two.
    EXPECT_TRUE(HasLines(ReadText(path), {L"line", kLogFooter}));
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
    EXPECT_TRUE(HasLines(ReadText(path), {kLogFooter}));
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
    std::wstring text = ReadText(path);
    EXPECT_TRUE(DeleteFileW(path.c_str()));
    EXPECT_TRUE(HasLines(text, {L"default"}));
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
    EXPECT_TRUE(HasLines(ReadText(path), {L"enabled", kLogFooter}));
}

// Writers on several threads: the lock must keep each line's writes together.
struct Writer {
    SetupLog* log;
    int id;
    static constexpr int kLines = 60;

    // Lines of different lengths, so that a torn line cannot pass for another one.
    static std::wstring Message(int id, int n)
    {
        return L"writer " + std::to_wstring(id) + L" line " + std::to_wstring(n) + L" " + std::wstring(id * 7 % 40, L'x');
    }

    static DWORD WINAPI Main(void* self)
    {
        Writer& writer = *static_cast<Writer*>(self);
        for (int n = 0; n < kLines; ++n)
            writer.log->WriteLine(Message(writer.id, n));
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
    std::wstring text = ReadText(path);
    std::wstring opening = Opening();
    ASSERT_EQ(text.compare(0, opening.size(), opening), 0) << "the file was not opened once, first";
    // Each writer's lines appear whole and in its own order, interleaved only line by line.
    std::vector<int> nextOf(writerCount, 0);
    for (size_t at = opening.size(); at < text.size();) {
        size_t end = text.find(L"\r\n", at);
        ASSERT_TRUE(IsStampAt(text, at) && end != std::wstring::npos) << ::testing::PrintToString(text.substr(at));
        std::wstring message = text.substr(at + kStampLength, end - at - kStampLength);
        int id = 0;
        while (id < writerCount && (nextOf[id] == Writer::kLines || message != Writer::Message(id, nextOf[id])))
            ++id;
        ASSERT_LT(id, writerCount) << "torn or out-of-order line: " << ::testing::PrintToString(message);
        ++nextOf[id];
        at = end + 2;
    }
    for (int id = 0; id < writerCount; ++id)
        EXPECT_EQ(nextOf[id], Writer::kLines) << "writer " << id;
}

} // namespace
