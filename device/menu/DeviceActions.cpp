// The resets and the power key (commands 1 to 3).
#include "SystemActions.h"

// Restarts the device at once.
void SoftReset() {
    KernelIoControl(IOCTL_HAL_REBOOT, NULL, 0, NULL, 0, NULL);
}

// Asks first: the clean boot discards the object store, all the user's data.
void HardReset(const CommandRow& row) {
    int answer = ShowCommandMessage(row, MB_YESNO | MB_ICONQUESTION);
    if (answer != IDYES) return;
    // The flag is read by the start that the reboot brings.
    SetCleanRebootFlag();
    SoftReset();
}

// A press and a release of the power key: the device suspends as if its
// button had been pressed.
void PowerOff() {
    keybd_event(VK_OFF, 0, 0, 0);
    keybd_event(VK_OFF, 0, KEYEVENTF_KEYUP, 0);
}
