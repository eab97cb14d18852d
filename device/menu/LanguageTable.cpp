// The platform-free half of the language table: splitting the file text into
// sections, parsing the selected section and answering texts by id. It works
// on UTF-16 units in the one buffer the table owns and calls no platform
// function, so the translator's tool and the fuzzer build it natively.
#include "LanguageTable.h"

#include <new>

namespace {

const TextChar ENGLISH_NAME[] = TEXT_UNITS("English");

// The next unit c at or after p, stopping at the terminator; none if absent.
TextChar* FindUnit(TextChar* p, TextChar c) {
    for (; *p != 0; ++p) {
        if (*p == c) return p;
    }
    return NULL;
}

// The next "IX" at or after p; p[1] is read only while p[0] is no terminator.
TextChar* FindEntryMark(TextChar* p) {
    for (; *p != 0; ++p) {
        if (p[0] == 'I' && p[1] == 'X') return p;
    }
    return NULL;
}

bool IsBlank(TextChar c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Reads a signed decimal number after blanks, as the C library's wide
// conversion does. Long digit runs saturate instead of overflowing: any value
// that large is out of the id range anyway.
bool ReadTextId(const TextChar* p, int* id) {
    while (IsBlank(*p))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    if (*p < '0' || *p > '9') return false;
    int value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        if (value < 100000) value = value * 10 + (*p - '0');
    }
    *id = negative ? -value : value;
    return true;
}

} // namespace

LanguageTable::LanguageTable(const unsigned char* fileBytes, size_t byteCount,
                             const DefaultText* defaults) {
    TakeDefaults(defaults);
    ResetSections();
    if ((fileBytes != NULL || byteCount == 0) && AllocateFileText(byteCount)) {
        // Little-endian units, whatever the build machine's order; an odd
        // last byte lands in the low half of a unit, as a raw read leaves it.
        size_t units = byteCount / 2;
        for (size_t i = 0; i < units; ++i) {
            fileText[i] = static_cast<TextChar>(fileBytes[2 * i] | fileBytes[2 * i + 1] << 8);
        }
        if (byteCount % 2 != 0) fileText[units] = fileBytes[byteCount - 1];
        SplitSections();
    }
    SelectEnglish();
}

LanguageTable::~LanguageTable() {
    delete[] fileText;
}

// Sets the built-in texts and clears everything else; fileText is none.
void LanguageTable::TakeDefaults(const DefaultText* defaults) {
    fileText = NULL;
    currentSection = 0;
    sectionCount = 0;
    for (int i = 0; i < MAX_TEXT_IDS; ++i) {
        currentTexts[i] = NULL;
        defaultTexts[i] = NULL;
    }
    for (int i = 0; i < MAX_SECTIONS; ++i) {
        sectionNames[i] = NULL;
        sectionBodies[i] = NULL;
    }
    // Only ids 0 to 79 are taken; a later pair for the same id wins.
    for (const DefaultText* d = defaults; d != NULL && d->id != -1; ++d) {
        if (d->id >= 0 && d->id < MAX_TEXT_IDS) defaultTexts[d->id] = d->text;
    }
}

// Leaves "English" as the only section, before anything is read.
void LanguageTable::ResetSections() {
    currentSection = 0;
    sectionCount = 0;
    for (int i = 0; i < MAX_TEXT_IDS; ++i)
        currentTexts[i] = NULL;
    for (int i = 0; i < MAX_SECTIONS; ++i) {
        sectionNames[i] = NULL;
        sectionBodies[i] = NULL;
    }
    sectionNames[0] = ENGLISH_NAME;
    sectionCount = 1;
}

// Replaces fileText by a zeroed buffer of byteCount / 2 + 3 units: the data
// fills at most byteCount / 2 + 1 of them, so at least two zero units always
// follow it and end the last line even without a line break. False when the
// size cannot be represented or allocated (a file that large is no language file).
bool LanguageTable::AllocateFileText(size_t byteCount) {
    delete[] fileText;
    fileText = NULL;
    size_t units = byteCount / 2 + 3;
    if (units > static_cast<size_t>(-1) / sizeof(TextChar)) return false;
    fileText = new (std::nothrow) TextChar[units];
    if (fileText == NULL) return false;
    for (size_t i = 0; i < units; ++i)
        fileText[i] = 0;
    return true;
}

// Cuts fileText in place into section names and bodies. A "[" anywhere opens
// a header; the unit before the next "[" ends the previous body.
void LanguageTable::SplitSections() {
    if (fileText == NULL) return;
    TextChar* p = fileText;
    for (;;) {
        TextChar* open = FindUnit(p, '[');
        if (open == NULL) return;
        *open = 0;
        sectionNames[sectionCount] = open + 1;
        // A header without its "]" is not counted, and splitting ends there.
        TextChar* close = FindUnit(open + 1, ']');
        if (close == NULL) return;
        *close = 0;
        sectionBodies[sectionCount] = close + 1;
        ++sectionCount;
        // The last section then runs to the end of the file, later headers and all.
        if (sectionCount == MAX_SECTIONS) return;
        TextChar* next = FindUnit(close + 1, '[');
        if (next == NULL) return;
        // next lies after close, so next - 1 is at worst the "]" just cut.
        next[-1] = 0;
        p = next;
    }
}

// Construction ends with English in force; -1 makes that selection happen.
void LanguageTable::SelectEnglish() {
    currentSection = -1;
    SelectLanguage(0);
}

bool LanguageTable::SelectLanguage(int index) {
    if (index >= sectionCount) return false;
    if (index == currentSection) return true;
    currentSection = index;
    if (index == 0) {
        for (int i = 0; i < MAX_TEXT_IDS; ++i)
            currentTexts[i] = defaultTexts[i];
        return true;
    }
    for (int i = 0; i < MAX_TEXT_IDS; ++i)
        currentTexts[i] = NULL;
    // A negative index (nothing chosen in the settings) lets English show through.
    if (index < 0) return true;

    TextChar* q = sectionBodies[index];
    for (;;) {
        TextChar* mark = FindEntryMark(q);
        if (mark == NULL) return true;
        int id;
        if (!ReadTextId(mark + 2, &id)) {
            q = mark + 2;
            continue;
        }
        // The first "=" after "IX", even on a later line: an entry that lacks
        // its own takes the next entry's text.
        TextChar* equals = FindUnit(mark + 2, '=');
        if (equals == NULL) return true;
        TextChar* text = equals + 1;
        if (id < 0 || id >= MAX_TEXT_IDS) {
            q = text;
            continue;
        }
        currentTexts[id] = text;
        // Resuming after the line end keeps an "IX" inside a text from starting
        // an entry. A re-parse finds the terminators this parse writes where
        // the line ends were and steps over them the same way. Stepping past a
        // section's own end is safe: the unit after it is always zero too (the
        // cut "[" of the next header, or the buffer's padding).
        TextChar* end = text;
        while (*end != 0 && *end != '\r' && *end != '\n')
            ++end;
        *end = 0;
        q = end + 1;
    }
}

const TextChar* LanguageTable::GetText(int id) const {
    if (id < 0 || id >= MAX_TEXT_IDS) return NULL;
    return currentTexts[id] != NULL ? currentTexts[id] : defaultTexts[id];
}

int LanguageTable::GetSectionCount() const {
    return sectionCount;
}

const TextChar* LanguageTable::GetSectionName(int index) const {
    if (index < 0 || index >= sectionCount) return NULL;
    return sectionNames[index];
}
