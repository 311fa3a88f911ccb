// Once-only initialisation of process-wide caches that several threads may ask for first.
// The product is built without thread-safe local statics, and InitOnceExecuteOnce does not
// exist before Windows Vista, so the flag is a plain interlocked word: the first caller
// runs the initialiser, later callers wait until it has finished. Keep the cached values at
// namespace scope (constructed before any thread starts) and fill them in the initialiser.
#pragma once
#include <windows.h>

class OnceFlag {
public:
    constexpr OnceFlag() = default;
    OnceFlag(const OnceFlag&) = delete;
    OnceFlag& operator=(const OnceFlag&) = delete;

    template <typename Init>
    void Run(Init&& init)
    {
        if (InterlockedCompareExchange(&state_, kDone, kDone) == kDone)
            return;
        if (InterlockedCompareExchange(&state_, kRunning, kNotStarted) == kNotStarted) {
            init();
            InterlockedExchange(&state_, kDone);
            return;
        }
        while (InterlockedCompareExchange(&state_, kDone, kDone) != kDone)
            Sleep(1);
    }

private:
    static constexpr LONG kNotStarted = 0;
    static constexpr LONG kRunning = 1;
    static constexpr LONG kDone = 2;
    volatile LONG state_ = kNotStarted;
};
