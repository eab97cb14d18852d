// The shipped language file, built into the test program so that a test can
// lay it beside the program wherever the program runs.
#include "ShippedFile.h"

// SHIPPED_LANGUAGE_FILE is the build's out/Orvalet.bin, as a string literal.
// The symbols carry assembler names of their own, so that neither side
// depends on the target's C symbol prefix.
asm(".section .rdata,\"dr\"\n"
    ".globl shipped_file_start\n"
    "shipped_file_start:\n"
    ".incbin \"" SHIPPED_LANGUAGE_FILE "\"\n"
    ".globl shipped_file_end\n"
    "shipped_file_end:\n"
    ".text\n");

extern "C" const unsigned char shippedFileStart[] asm("shipped_file_start");
extern "C" const unsigned char shippedFileEnd[] asm("shipped_file_end");

const unsigned char* ShippedFileBytes() {
    return shippedFileStart;
}

size_t ShippedFileSize() {
    return static_cast<size_t>(shippedFileEnd - shippedFileStart);
}
