#include "Screen.h"
#include "platform.h"

int GetScreenScale() {
    static int scale = 0;
    if (scale == 0) scale = (GetScreenWidth() == 640 || GetScreenHeight() == 640) ? 2 : 1;
    return scale;
}

int GetScreenWidth() {
    return DisplayCaps(HORZRES);
}

int GetScreenHeight() {
    return DisplayCaps(VERTRES);
}
