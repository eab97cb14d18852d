// The emulated device's log: what the stand-ins were asked to do that a
// desktop must not really do, one line each, for the tests to read.
#pragma once

// "C:\devicelog.txt" in the emulator's prefix.
extern const wchar_t DEVICE_LOG_PATH[];

// Appends "<source>: <text>" as a UTF-8 line.
void DeviceLog(const wchar_t* source, const wchar_t* format, ...);
