#pragma once

// Replaces the global operator new of the test executable that includes this
// header (include it from exactly one file) with one that counts calls, so a
// test can check that a stretch of code allocates nothing.

#include <atomic>
#include <cstdlib>
#include <new>

namespace allocation {

inline std::atomic<long>& counter()
{
    static std::atomic<long> count{0};
    return count;
}

inline long count()
{
    return counter().load();
}

} // namespace allocation

// The pairing is malloc/free throughout; GCC only sees the inlined halves.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size)
{
    allocation::counter().fetch_add(1);
    if (void* memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}

void* operator new[](std::size_t size)
{
    return ::operator new(size);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    allocation::counter().fetch_add(1);
    return std::malloc(size == 0 ? 1 : size);
}

void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept
{
    return ::operator new(size, tag);
}

void operator delete(void* memory, const std::nothrow_t&) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory, const std::nothrow_t&) noexcept
{
    std::free(memory);
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory, std::size_t) noexcept
{
    std::free(memory);
}

#pragma GCC diagnostic pop
