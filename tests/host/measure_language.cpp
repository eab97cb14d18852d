// Measures the language table on a language file: instructions (under
// callgrind, one dump per step) and allocations (counted here) to construct
// the table and to select each language. Run by measure-language.sh.
#include "CountingHeap.h"
#include "LanguageTable.h"

#include <valgrind/callgrind.h>

#include <cstdio>
#include <cstdlib>
#include <new>

namespace {
unsigned char fileBytes[1 << 20];
} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: measure_language Orvalet.bin\n");
        return 2;
    }
    FILE* file = std::fopen(argv[1], "rb");
    if (file == NULL) return 1;
    size_t size = std::fread(fileBytes, 1, sizeof fileBytes, file);
    std::fclose(file);

    // The same construction without a file: the fixed part of the cost.
    CALLGRIND_START_INSTRUMENTATION;
    CALLGRIND_ZERO_STATS;
    delete new (std::nothrow) LanguageTable(fileBytes, 0, GetDefaultTexts());
    CALLGRIND_DUMP_STATS_AT("no file");

    CALLGRIND_ZERO_STATS;
    heapAllocations = 0;
    heapAllocatedBytes = 0;
    LanguageTable* table = new (std::nothrow) LanguageTable(fileBytes, size, GetDefaultTexts());
    CALLGRIND_DUMP_STATS_AT("construct");
    std::printf("construct: %d allocations, %zu bytes (file %zu bytes)\n", heapAllocations,
                heapAllocatedBytes, size);
    if (table == NULL) return 1;

    const int count = table->GetSectionCount();
    // Each language from English, then back to English.
    for (int i = 1; i <= count; ++i) {
        int index = i < count ? i : 0;
        char name[32];
        std::snprintf(name, sizeof name, "select %d", index);
        heapAllocations = 0;
        CALLGRIND_ZERO_STATS;
        bool selected = table->SelectLanguage(index);
        CALLGRIND_DUMP_STATS_AT(name);
        std::printf("%s: %s, %d allocations\n", name, selected ? "ok" : "refused", heapAllocations);
        if (index != 0) {
            table->SelectLanguage(0);
        }
    }
    CALLGRIND_STOP_INSTRUMENTATION;
    delete table;
    return 0;
}
