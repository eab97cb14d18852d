#include "Input.h"

namespace input {
namespace {

void SendMouse(POINT at, DWORD flags) {
    INPUT event = {};
    event.type = INPUT_MOUSE;
    event.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    event.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    event.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | flags;
    SendInput(1, &event, sizeof(event));
}

} // namespace

void StylusDown(POINT at) {
    SendMouse(at, 0);
    Sleep(30);
    SendMouse(at, MOUSEEVENTF_LEFTDOWN);
}

void StylusUp(POINT at) { SendMouse(at, MOUSEEVENTF_LEFTUP); }

void Tap(POINT at) {
    StylusDown(at);
    Sleep(40);
    StylusUp(at);
}

void TapAndHold(POINT at, DWORD holdMs) {
    StylusDown(at);
    Sleep(holdMs);
    StylusUp(at);
}

} // namespace input
