// The display's size and the scale every pixel measure of the program goes by.
#pragma once

// 2 when the display is exactly 640 pixels wide or high, 1 otherwise; asked of
// the display once per run.
int GetScreenScale();

int GetScreenWidth();
int GetScreenHeight();
