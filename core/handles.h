// Owning wrappers for Windows handles: one type per kind of handle, each knowing its own
// "empty" value and the one function that closes it. Move-only, no implicit conversion.
#pragma once
#include <windows.h>

template <typename Traits>
class UniqueHandle {
public:
    using pointer = typename Traits::pointer;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(pointer handle) noexcept : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    pointer get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Traits::Empty(); }

    // Gives up ownership without closing.
    pointer release() noexcept
    {
        pointer handle = handle_;
        handle_ = Traits::Empty();
        return handle;
    }

    // Closes the held handle (if any) before taking the new one.
    void reset(pointer handle = Traits::Empty()) noexcept
    {
        if (handle_ != Traits::Empty())
            Traits::Close(handle_);
        handle_ = handle;
    }

    // For out parameters: closes the held handle and exposes the slot.
    pointer* put() noexcept
    {
        reset();
        return &handle_;
    }

private:
    pointer handle_ = Traits::Empty();
};

struct KernelHandleTraits {   // events, threads, processes, mutexes: NULL when empty
    using pointer = HANDLE;
    static pointer Empty() { return nullptr; }
    static void Close(pointer h) { ::CloseHandle(h); }
};
struct FileHandleTraits {     // CreateFileW reports failure with INVALID_HANDLE_VALUE
    using pointer = HANDLE;
    static pointer Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(pointer h) { ::CloseHandle(h); }
};
struct FindHandleTraits {
    using pointer = HANDLE;
    static pointer Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(pointer h) { ::FindClose(h); }
};
struct RegKeyTraits {         // opened keys only; predefined roots are never closed
    using pointer = HKEY;
    static pointer Empty() { return nullptr; }
    static void Close(pointer h) { ::RegCloseKey(h); }
};
struct ModuleTraits {         // modules this process loaded itself
    using pointer = HMODULE;
    static pointer Empty() { return nullptr; }
    static void Close(pointer h) { ::FreeLibrary(h); }
};

using KernelHandle = UniqueHandle<KernelHandleTraits>;
using FileHandle = UniqueHandle<FileHandleTraits>;
using FindHandle = UniqueHandle<FindHandleTraits>;
using RegKey = UniqueHandle<RegKeyTraits>;
using LoadedModule = UniqueHandle<ModuleTraits>;
