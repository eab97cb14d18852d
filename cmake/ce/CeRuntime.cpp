// What a CE program takes from its toolchain's static runtime library rather
// than from an export of a CE module: the registration of static destructors
// and the C++ runtime's nothrow tag. The fidelity image links this in its
// place. The image is linked to prove its imports and is never started, so
// nothing here runs; it only gives the names the same home they have on the
// device, where they would otherwise show up as calls CE lacks.
#include <stddef.h>

#include <new>

namespace std {
const nothrow_t nothrow{};
} // namespace std

namespace {

typedef void (*ExitFunction)(void);

// Recorded only: the image never runs, let alone exits.
ExitFunction exitFunctions[32];
size_t exitFunctionCount;

} // namespace

extern "C" int atexit(ExitFunction function) {
    if (exitFunctionCount == sizeof(exitFunctions) / sizeof(exitFunctions[0])) return -1;
    exitFunctions[exitFunctionCount++] = function;
    return 0;
}
