// Every operator new of a host test program, counted (the memory still comes
// from malloc, so AddressSanitizer keeps checking it).
#pragma once

#include <cstddef>

extern int heapAllocations;
extern std::size_t heapAllocatedBytes;
