// A device out of memory, for the one allocation a test names: the program's
// next LocalAlloc of that many bytes fails.
#pragma once

#include <windows.h>

void RefuseNextAllocation(SIZE_T bytes);
