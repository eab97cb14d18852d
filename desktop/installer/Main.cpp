// The desktop installer of Orvalet: it carries the device package in its
// resources, writes it beside the desktop's application manager and hands it
// over; the manager copies it to the connected device.
#include "Install.h"
#include "Installer.h"
#include "Pages.h"
#include "resource.h"

namespace {

HINSTANCE instance;

} // namespace

HINSTANCE Instance() {
    return instance;
}

int WINAPI WinMain(HINSTANCE program, HINSTANCE, LPSTR, int) {
    instance = program;
    ShowPage(IDD_WELCOME);
    ShowPage(IDD_AGREEMENT);
    InstallPackage();
    ShowPage(IDD_PRODUCTS_FIRST);
    ShowPage(IDD_PRODUCTS_SECOND);
    return 0;
}
