// Fuzz target: a language table from arbitrary bytes; every section is
// selected twice and every id read to its terminator, so that an over-read
// shows under AddressSanitizer and a re-parse that differs from the first
// parse stops the run.
#include "LanguageTable.h"

#include <cstdint>
#include <cstdlib>

namespace {

// Reads a text to its end, as a control or a menu item would.
size_t Length(const TextChar* text) {
    size_t n = 0;
    if (text != NULL) {
        while (text[n] != 0)
            ++n;
    }
    return n;
}

void Check(bool condition) {
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    LanguageTable table(data, size, GetDefaultTexts());
    const int count = table.GetSectionCount();
    Check(count >= 1 && count <= MAX_SECTIONS);
    Check(table.GetSectionName(count) == NULL && table.GetSectionName(-1) == NULL);

    const TextChar* first[MAX_SECTIONS][MAX_TEXT_IDS];
    for (int round = 0; round < 2; ++round) {
        for (int s = -1; s <= count; ++s) {
            Check(table.SelectLanguage(s) == (s < count));
            if (s < 0 || s >= count) continue;
            Length(table.GetSectionName(s));
            for (int id = -1; id <= MAX_TEXT_IDS; ++id) {
                const TextChar* text = table.GetText(id);
                Check((id >= 0 && id < MAX_TEXT_IDS) || text == NULL);
                size_t n = Length(text);
                if (id < 0 || id >= MAX_TEXT_IDS) continue;
                // A text ends at its line's end.
                for (size_t i = 0; i < n; ++i)
                    Check(text[i] != '\r' && text[i] != '\n');
                if (round == 0) {
                    first[s][id] = text;
                } else {
                    Check(first[s][id] == text);
                }
            }
        }
    }
    return 0;
}
