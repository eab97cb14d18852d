// The emulated device's log: what the stand-ins were asked to do that a
// desktop must not really do, one line each, for the tests to read.
#pragma once

// "C:\devicelog.txt" in the emulator's prefix.
extern const wchar_t DEVICE_LOG_PATH[];

// Appends "<source>: <text>" as a UTF-8 line.
void DeviceLog(const wchar_t* source, const wchar_t* format, ...);

// The command line as the device hands it to a program: without the program's
// name. A desktop launch puts the name first (quoted or not, as the starter
// wrote it); a process started with a command line of its own gets that alone.
const wchar_t* DeviceCommandLine();
