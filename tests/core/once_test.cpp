#include "core/once.h"
#include <gtest/gtest.h>
#include "core/handles.h"

namespace {

// Several threads ask at the same moment while the first one is still filling the value:
// the initialiser runs once, and nobody returns before it has finished.
struct Shared {
    OnceFlag once;
    KernelHandle start{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    volatile LONG runs = 0;
    volatile LONG value = 0;
    volatile LONG sawUnfinished = 0;
};

DWORD WINAPI AskForValue(void* context)
{
    Shared& shared = *static_cast<Shared*>(context);
    WaitForSingleObject(shared.start.get(), INFINITE);
    shared.once.Run([&] {
        InterlockedIncrement(&shared.runs);
        Sleep(300);
        InterlockedExchange(&shared.value, 42);
    });
    if (InterlockedCompareExchange(&shared.value, 0, 0) != 42)
        InterlockedIncrement(&shared.sawUnfinished);
    return 0;
}

TEST(OnceFlag, RunsTheInitialiserOnceAndMakesLaterCallersWait)
{
    Shared shared;
    KernelHandle threads[6];
    for (KernelHandle& thread : threads) {
        thread.reset(CreateThread(nullptr, 0, AskForValue, &shared, 0, nullptr));
        ASSERT_TRUE(thread);
    }
    SetEvent(shared.start.get());
    for (KernelHandle& thread : threads)
        ASSERT_EQ(WaitForSingleObject(thread.get(), 10000), WAIT_OBJECT_0);
    EXPECT_EQ(shared.runs, 1);
    EXPECT_EQ(shared.sawUnfinished, 0);

    shared.once.Run([&] { InterlockedIncrement(&shared.runs); });
    EXPECT_EQ(shared.runs, 1);
}

} // namespace
