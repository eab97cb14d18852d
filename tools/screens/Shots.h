// What the picture programs share: naming and saving a picture of the
// emulated screen, and waiting until a part of it has been painted.
#pragma once
#include <windows.h>

#include <string>

namespace shots {

// "240x320": the screen's size as the pictures are named after it.
std::string ScreenName();
// Saves the screen as FOLDER/SCREEN-NAME.png (its size as it is now); false
// when the picture could not be taken.
bool Shot(const std::string& folder, const std::string& name);
// Waits until area (the whole screen by default) stops changing.
bool WaitStill(const RECT* area = NULL, int stillRounds = 3, DWORD timeoutMs = 8000);

} // namespace shots
