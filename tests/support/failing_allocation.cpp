#include "support/failing_allocation.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace veltrano::test {

namespace {

std::atomic<std::size_t> g_minimumBytes{0};  // 0: unarmed
std::atomic<int> g_countdown{0};
std::atomic<bool> g_failed{false};

bool shouldFail(std::size_t size)
{
    const std::size_t minimum = g_minimumBytes.load(std::memory_order_relaxed);
    if (minimum == 0 || size < minimum)
        return false;
    if (g_countdown.fetch_sub(1) != 1)
        return false;
    g_failed = true;
    return true;
}

}  // namespace

void failAllocationAt(int n, std::size_t minimumBytes)
{
    g_failed = false;
    g_countdown = n;
    g_minimumBytes = n > 0 ? minimumBytes : 0;
}

void stopFailingAllocations()
{
    g_minimumBytes = 0;
}

bool allocationFailed()
{
    return g_failed;
}

}  // namespace veltrano::test

void* operator new(std::size_t size)
{
    if (veltrano::test::shouldFail(size))
        throw std::bad_alloc();
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}

void* operator new[](std::size_t size)
{
    return ::operator new(size);
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

// The non-throwing forms (std::stable_sort's buffer, for one) must come from
// the same heap as the deletes above.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return ::operator new(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return ::operator new(size, std::nothrow);
}
