// Brightness and battery: the first page or program of the device's maker
// that is present opens, the platform's own page otherwise.
#include "SystemActions.h"

namespace {

enum LaunchKind {
    LAUNCH_SHELL,   // ShellLaunch(file, directory, parameters)
    LAUNCH_PROCESS, // StartProcess(file, command line)
};

struct LaunchStep {
    const WCHAR* test; // the file whose presence picks this step; NULL: always
    LaunchKind kind;
    const WCHAR* file;
    const WCHAR* directory; // the command line for LAUNCH_PROCESS (NULL: none)
    const WCHAR* parameters;
};

const LaunchStep BRIGHTNESS_STEPS[] = {
    {L"\\Windows\\Brightness.exe", LAUNCH_SHELL, L"\\Windows\\Brightness.exe", L"\\Windows", L""},
    {L"\\Windows\\frontlight.cpl", LAUNCH_SHELL, L"\\Windows\\ctlpnl.exe", L"\\Windows",
     L"frontlight.cpl"},
    {L"\\Windows\\backlight.cpl", LAUNCH_SHELL, L"\\Windows\\ctlpnl.exe", L"\\Windows",
     L"backlight.cpl"},
    {L"\\Windows\\backlight.exe", LAUNCH_SHELL, L"\\Windows\\backlight.exe", L"\\Windows", L""},
    {L"\\Windows\\frontlight.exe", LAUNCH_SHELL, L"\\Windows\\frontlight.exe", L"\\Windows", L""},
    {L"\\Windows\\fjcpl.cpl", LAUNCH_SHELL, L"\\Windows\\ctlpnl.exe", L"\\windows", L"fjcpl.cpl 2"},
    {L"\\Windows\\KivoBrightness.lnk", LAUNCH_SHELL, L"\\Windows\\KivoBrightness.lnk", L"\\Windows",
     L""},
    {NULL, LAUNCH_SHELL, L"\\Windows\\ctlpnl.exe", L"\\Windows", L"cplmain.cpl 6"},
};

const LaunchStep BATTERY_STEPS[] = {
    {L"\\Windows\\Powerg.exe", LAUNCH_PROCESS, L"\\Windows\\Powerg.exe", NULL, NULL},
    {L"\\Windows\\power.cpl", LAUNCH_PROCESS, L"\\Windows\\ctlpnl.exe", L"power.cpl", NULL},
    {L"\\Windows\\powerg.cpl", LAUNCH_PROCESS, L"\\Windows\\ctlpnl.exe", L"powerg.cpl", NULL},
    {L"\\Windows\\Power.exe", LAUNCH_PROCESS, L"\\Windows\\Power.exe", L"\\Windows", NULL},
    {L"\\Windows\\KivoPower.lnk", LAUNCH_SHELL, L"\\Windows\\KivoPower.lnk", L"\\Windows", L""},
    {NULL, LAUNCH_PROCESS, L"\\Windows\\ctlpnl.exe", L"cplmain.cpl,3", NULL},
};

// Runs the first step whose file is present (the last one tests nothing).
void RunFirstPresent(const LaunchStep* steps, int count) {
    for (int i = 0; i < count; i++) {
        const LaunchStep& step = steps[i];
        if (step.test && !FileExists(step.test)) continue;
        if (step.kind == LAUNCH_SHELL)
            ShellLaunch(step.file, step.directory, step.parameters);
        else
            StartProcess(step.file, step.directory);
        return;
    }
}

} // namespace

void OpenBrightness() {
    RunFirstPresent(BRIGHTNESS_STEPS, sizeof(BRIGHTNESS_STEPS) / sizeof(BRIGHTNESS_STEPS[0]));
}

void OpenBattery() {
    RunFirstPresent(BATTERY_STEPS, sizeof(BATTERY_STEPS) / sizeof(BATTERY_STEPS[0]));
}
