#include "CountingHeap.h"

#include <cstdlib>
#include <new>

int heapAllocations = 0;
std::size_t heapAllocatedBytes = 0;

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    ++heapAllocations;
    heapAllocatedBytes += size;
    return std::malloc(size > 0 ? size : 1);
}
void* operator new(std::size_t size) {
    void* p = operator new(size, std::nothrow);
    if (p == NULL) throw std::bad_alloc();
    return p;
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
