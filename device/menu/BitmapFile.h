// The screen capture's file: a bottom-up 24-bit .bmp.
#pragma once

#include "platform.h"

// The row stride of a 24-bit picture: width x 3 bytes rounded up to 4.
DWORD BitmapStride(int width);

// Describes a bottom-up 24-bit uncompressed picture of width x height.
void DescribeBitmap(BITMAPINFOHEADER* header, int width, int height);

// Writes file header, info header and the rows of bits (laid out as a 24-bit
// DIB section lays them out); the padding of each row is zeroed first. False
// when a write failed.
bool WriteBitmapFile(HANDLE file, int width, int height, BYTE* bits);
