// Running a program of the machine that hosts the emulated device (xdotool,
// ImageMagick's import) from a test inside it.
#pragma once

#include <string>

namespace device {

// Runs a shell command line on the host and waits until it has finished (at
// most timeoutMs); false when it did not finish in time.
bool RunOnHost(const std::string& command, unsigned timeoutMs = 10000);

// The emulated device's path (drive Z:) of a host path.
std::wstring HostPath(const std::string& unixPath);

} // namespace device
