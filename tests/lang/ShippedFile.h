// The shipped "Orvalet.bin", as the build made it.
#ifndef ORVALET_TESTS_SHIPPED_FILE_H
#define ORVALET_TESTS_SHIPPED_FILE_H

#include <stddef.h>

const unsigned char* ShippedFileBytes();
size_t ShippedFileSize();

#endif
