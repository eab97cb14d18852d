// Text extents in the font the program labels its menu with on this screen
// (bold, 8 points), measured independently of the program.
#pragma once

#include <windows.h>

namespace device {

SIZE MenuFontExtent(const wchar_t* text);

} // namespace device
