#include "BitmapFile.h"

namespace {

const DWORD HEADERS_SIZE = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
static_assert(HEADERS_SIZE == 54, "the file's headers take 14 + 40 bytes");

bool WriteAll(HANDLE file, const void* data, DWORD size) {
    DWORD written = 0;
    return WriteFile(file, data, size, &written, NULL) && written == size;
}

} // namespace

DWORD BitmapStride(int width) {
    return ((DWORD)width * 3 + 3) & ~3u;
}

void DescribeBitmap(BITMAPINFOHEADER* header, int width, int height) {
    ZeroMemory(header, sizeof(*header));
    header->biSize = sizeof(*header);
    header->biWidth = width;
    header->biHeight = height; // positive: the bottom row comes first
    header->biPlanes = 1;
    header->biBitCount = 24;
    header->biCompression = BI_RGB;
    header->biSizeImage = BitmapStride(width) * height;
}

bool WriteBitmapFile(HANDLE file, int width, int height, BYTE* bits) {
    BITMAPINFOHEADER info;
    DescribeBitmap(&info, width, height);
    // The section's padding bytes are whatever its memory held; the file's are zero.
    DWORD used = (DWORD)width * 3, stride = BitmapStride(width);
    for (int row = 0; row < height && used < stride; row++)
        ZeroMemory(bits + row * stride + used, stride - used);

    BYTE headers[HEADERS_SIZE];
    BITMAPFILEHEADER fileHeader;
    ZeroMemory(&fileHeader, sizeof(fileHeader));
    fileHeader.bfType = 0x4D42; // "BM"
    fileHeader.bfSize = HEADERS_SIZE + info.biSizeImage;
    fileHeader.bfOffBits = HEADERS_SIZE;
    memcpy(headers, &fileHeader, sizeof(fileHeader));
    memcpy(headers + sizeof(fileHeader), &info, sizeof(info));
    return WriteAll(file, headers, HEADERS_SIZE) && WriteAll(file, bits, info.biSizeImage);
}
