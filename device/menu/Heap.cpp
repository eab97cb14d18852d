// The program's heap is the process heap of the platform (LocalAlloc). These
// replace the C++ runtime's allocation operators, which would otherwise bring
// the runtime's threading and exception support into a program that uses
// neither. Allocation failure answers null: the program is built without
// exceptions and checks every allocation.
#include "platform.h"

#include <new>

void* operator new(size_t size) {
    return LocalAlloc(LMEM_FIXED, size ? size : 1);
}
void* operator new[](size_t size) {
    return LocalAlloc(LMEM_FIXED, size ? size : 1);
}
void* operator new(size_t size, const std::nothrow_t&) noexcept {
    return operator new(size);
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
    return operator new[](size);
}

void operator delete(void* block) noexcept {
    if (block) LocalFree(block);
}
void operator delete[](void* block) noexcept {
    operator delete(block);
}
void operator delete(void* block, size_t) noexcept {
    operator delete(block);
}
void operator delete[](void* block, size_t) noexcept {
    operator delete(block);
}
