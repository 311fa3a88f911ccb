// Memory and error paths of the C++ runtime for the shipped executable. The standard
// library's own versions would pull the whole exception machinery into a program built
// without exceptions (about 200 KB). Here running out of memory, or a string or container
// asked for an impossible size or position, ends the process at once with
// ERROR_NOT_ENOUGH_MEMORY (8).
#include <windows.h>
#include <cstddef>
#include <new>

namespace {
[[noreturn]] void EndProcess()
{
    ExitProcess(ERROR_NOT_ENOUGH_MEMORY);
}

void* Allocate(std::size_t size)
{
    void* block = HeapAlloc(GetProcessHeap(), 0, size ? size : 1);
    if (!block)
        EndProcess();
    return block;
}

void Free(void* block)
{
    if (block)
        HeapFree(GetProcessHeap(), 0, block);
}
} // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return HeapAlloc(GetProcessHeap(), 0, size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept
{
    return operator new(size, tag);
}
void operator delete(void* block) noexcept { Free(block); }
void operator delete[](void* block) noexcept { Free(block); }
void operator delete(void* block, std::size_t) noexcept { Free(block); }
void operator delete[](void* block, std::size_t) noexcept { Free(block); }

namespace std {
void __throw_bad_alloc() { EndProcess(); }
void __throw_bad_array_new_length() { EndProcess(); }
void __throw_length_error(const char*) { EndProcess(); }
void __throw_logic_error(const char*) { EndProcess(); }
void __throw_out_of_range(const char*) { EndProcess(); }
void __throw_out_of_range_fmt(const char*, ...) { EndProcess(); }
void __throw_invalid_argument(const char*) { EndProcess(); }
void __throw_bad_function_call() { EndProcess(); }
} // namespace std
