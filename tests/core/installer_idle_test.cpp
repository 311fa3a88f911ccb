#include "core/chainer_app.h"
#include <gtest/gtest.h>
#include "core/handles.h"

namespace {

// Test processes run side by side in one Wine session, where named objects are shared:
// each process holds its own mutex instead of the installer's.
const std::wstring& MutexName()
{
    static const std::wstring name = L"Local\\chainer-test-" + std::to_wstring(GetCurrentProcessId());
    return name;
}

DWORD WINAPI HoldForAWhile(void* ready)
{
    HANDLE mutex = CreateMutexW(nullptr, TRUE, MutexName().c_str());
    SetEvent(static_cast<HANDLE>(ready));
    Sleep(700);
    ReleaseMutex(mutex);
    CloseHandle(mutex);
    return 0;
}

// Runs WaitForInstallerIdle on a thread that stays alive afterwards, as the main thread of
// a run does while its setups execute.
struct Waiter {
    KernelHandle done{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    KernelHandle finish{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    int result = -7;

    static DWORD WINAPI Main(void* self)
    {
        Waiter& waiter = *static_cast<Waiter*>(self);
        waiter.result = WaitWhileMutexHeld(MutexName().c_str());
        SetEvent(waiter.done.get());
        WaitForSingleObject(waiter.finish.get(), INFINITE);
        return 0;
    }
};

TEST(WaitForInstallerIdle, NoInstallationRunning)
{
    EXPECT_EQ(WaitForInstallerIdle(), 0);
    EXPECT_EQ(WaitWhileMutexHeld(MutexName().c_str()), 0);
}

TEST(WaitWhileMutexHeld, WaitsForTheHolderAndHandsTheMutexBack)
{
    KernelHandle ready(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    KernelHandle holder(CreateThread(nullptr, 0, HoldForAWhile, ready.get(), 0, nullptr));
    ASSERT_EQ(WaitForSingleObject(ready.get(), 5000), WAIT_OBJECT_0);
    // Keeps the named mutex in existence after the holder closes its handle.
    KernelHandle observer(OpenMutexW(SYNCHRONIZE, FALSE, MutexName().c_str()));
    ASSERT_TRUE(observer);

    Waiter waiter;
    DWORD start = GetTickCount();
    KernelHandle thread(CreateThread(nullptr, 0, Waiter::Main, &waiter, 0, nullptr));
    ASSERT_EQ(WaitForSingleObject(waiter.done.get(), 10000), WAIT_OBJECT_0);
    EXPECT_EQ(waiter.result, 0);
    EXPECT_GE(GetTickCount() - start, 400u) << "returned before the holder released the mutex";

    // The waiting thread is still alive; a setup it starts must be able to take the mutex.
    EXPECT_EQ(WaitForSingleObject(observer.get(), 2000), WAIT_OBJECT_0);
    ReleaseMutex(observer.get());

    SetEvent(waiter.finish.get());
    WaitForSingleObject(thread.get(), INFINITE);
    WaitForSingleObject(holder.get(), INFINITE);
}

DWORD WINAPI TakeAndExit(void* ready)
{
    CreateMutexW(nullptr, TRUE, MutexName().c_str());  // never released: abandoned when the thread ends
    SetEvent(static_cast<HANDLE>(ready));
    return 0;
}

TEST(WaitWhileMutexHeld, AbandonedMutexStopsTheRun)
{
    KernelHandle ready(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    KernelHandle taker(CreateThread(nullptr, 0, TakeAndExit, ready.get(), 0, nullptr));
    ASSERT_EQ(WaitForSingleObject(taker.get(), 5000), WAIT_OBJECT_0);
    EXPECT_EQ(WaitWhileMutexHeld(MutexName().c_str()), 1);
    // The abandoned mutex was handed back, so the next run goes on.
    EXPECT_EQ(WaitWhileMutexHeld(MutexName().c_str()), 0);
}

} // namespace
