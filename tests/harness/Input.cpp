#include "Input.h"
#include "Unix.h"

#include <string>

namespace input {
namespace {

// The stylus is the X server's pointer: xdotool moves and presses it, so the
// emulated device sees exactly what a user's input would give. The emulated
// screen sits at the X screen's origin, so device and X coordinates agree.
void Xdotool(const std::string& arguments) {
    device::RunOnHost("xdotool " + arguments);
}

std::string MoveTo(POINT at) {
    return "mousemove " + std::to_string(at.x) + " " + std::to_string(at.y) + " ";
}

} // namespace

// Two presses closer than the double-tap time would make the second a double
// tap; every press here is a fresh one.
void WaitOutDoubleTap() {
    static DWORD lastPress;
    DWORD since = GetTickCount() - lastPress;
    DWORD needed = GetDoubleClickTime() + 100;
    if (lastPress && since < needed) Sleep(needed - since);
    lastPress = GetTickCount();
}

void StylusDown(POINT at) {
    WaitOutDoubleTap();
    Xdotool(MoveTo(at) + "mousedown 1");
}

void StylusUp(POINT at) {
    Xdotool(MoveTo(at) + "mouseup 1");
}

POINT Centre(const RECT& rect) {
    POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    return centre;
}

void Tap(POINT at) {
    WaitOutDoubleTap();
    Xdotool(MoveTo(at) + "click 1");
}

void Hover(POINT at) {
    Xdotool(MoveTo(at));
}

void Keys(const std::string& names) {
    Xdotool("key " + names);
}

void TapAndHold(POINT at, DWORD holdMs) {
    StylusDown(at);
    Sleep(holdMs);
    StylusUp(at);
}

} // namespace input
