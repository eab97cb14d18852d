// The shipped language file, built into the test program so that a test can
// lay it beside the program wherever the program runs.
#include "ShippedFile.h"

// SHIPPED_LANGUAGE_FILE is the build's out/Orvalet.bin, as a string literal.
asm(".section .rdata,\"dr\"\n"
    ".globl _shippedFileStart\n"
    "_shippedFileStart:\n"
    ".incbin \"" SHIPPED_LANGUAGE_FILE "\"\n"
    ".globl _shippedFileEnd\n"
    "_shippedFileEnd:\n"
    ".text\n");

extern "C" const unsigned char shippedFileStart[];
extern "C" const unsigned char shippedFileEnd[];

const unsigned char* ShippedFileBytes() {
    return shippedFileStart;
}

size_t ShippedFileSize() {
    return static_cast<size_t>(shippedFileEnd - shippedFileStart);
}
