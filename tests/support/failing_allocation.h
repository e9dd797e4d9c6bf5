#pragma once
// Running out of memory anywhere, not only in a file read: while armed, the
// n-th allocation (1-based, counted from arming, in any thread) of at least
// minimumBytes throws std::bad_alloc. Linking this replaces the program's
// global operator new; unarmed, it only passes to malloc.

#include <cstddef>

namespace veltrano::test {

void failAllocationAt(int n, std::size_t minimumBytes);
void stopFailingAllocations();
// Whether the armed allocation has failed since failAllocationAt.
bool allocationFailed();

}  // namespace veltrano::test
