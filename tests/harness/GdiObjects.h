// How many GDI objects a process of the device holds.
#pragma once

#include <windows.h>

namespace device {

// The process's GDI object count (GetGuiResources); where the platform leaves
// that unanswered, the live entries of the process's GDI handle table. -1 when
// neither can be read.
long CountGdiObjects(HANDLE process);

} // namespace device
