// Real stylus input for the emulated Pocket PC.
#pragma once

#include <windows.h>

#include <string>

namespace input {

void StylusDown(POINT at);
void StylusUp(POINT at);
// The middle of a rectangle, where a tap lands squarely.
POINT Centre(const RECT& rect);
// A short tap.
void Tap(POINT at);
// Stylus down, held for holdMs, then up.
void TapAndHold(POINT at, DWORD holdMs);
// The pointer moved to at, nothing pressed (what a mouse's hover gives).
void Hover(POINT at);
// Keys pressed and released in turn, by their X names ("Return", "Escape",
// "Next" for Page Down), to the window that has the keyboard focus.
void Keys(const std::string& names);

} // namespace input
