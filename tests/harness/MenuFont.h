// Text in the font the program labels its menu with on this screen (the stock
// system font's face, bold, 8 points), measured independently of the program.
#pragma once

#include <windows.h>

#include <string>

namespace device {

SIZE MenuFontExtent(const wchar_t* text);
// The face the device draws that font in: "Tahoma" on a Pocket PC.
std::wstring MenuFontFace();

} // namespace device
