#include "Bitmap.h"

namespace device {

std::string MakeBitmapFile(int width, int height, const std::function<COLORREF(int, int)>& pixel) {
    int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + stride * height;
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    std::string bytes((const char*)&file, sizeof(file));
    bytes.append((const char*)&info, sizeof(info));
    for (int row = height - 1; row >= 0; row--) {
        std::string line(stride, '\0');
        for (int x = 0; x < width; x++) {
            COLORREF colour = pixel(x, row);
            line[x * 3] = (char)GetBValue(colour);
            line[x * 3 + 1] = (char)GetGValue(colour);
            line[x * 3 + 2] = (char)GetRValue(colour);
        }
        bytes += line;
    }
    return bytes;
}

} // namespace device
