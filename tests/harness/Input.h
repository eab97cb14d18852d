// Real stylus input for the emulated Pocket PC.
#pragma once

#include <windows.h>

namespace input {

void StylusDown(POINT at);
void StylusUp(POINT at);
// The middle of a rectangle, where a tap lands squarely.
POINT Centre(const RECT& rect);
// A short tap.
void Tap(POINT at);
// Stylus down, held for holdMs, then up.
void TapAndHold(POINT at, DWORD holdMs);

} // namespace input
