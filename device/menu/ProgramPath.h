// The running program's own path and the files that lie beside it.
#pragma once

#include "platform.h"

const int PROGRAM_PATH_LENGTH = 255;

// Fills path (capacity units) with the program's full path; false when the
// platform gives none or it does not fit.
bool GetProgramPath(WCHAR* path, DWORD capacity);

// The program's path with its last three characters replaced by extension
// ("vga", "bmp"): the file beside the program that carries its stem. False
// when the path can't be had or is three characters or shorter.
bool GetSiblingPath(const WCHAR* extension, WCHAR path[PROGRAM_PATH_LENGTH + 1]);
