// The platform half of the language table: finding the language file beside
// the program, reading it into the table's one buffer, and relabelling controls.
#include "LanguageTable.h"
#include "ProgramPath.h"

namespace {

size_t TextLength(const TextChar* s) {
    size_t n = 0;
    while (s[n] != 0)
        ++n;
    return n;
}

// path = the program's folder (up to and including its last backslash)
// followed by fileName. False when the program's path can't be had or when
// the result would not fit: the table then offers English alone.
bool MakeSiblingPath(const TextChar* fileName, TextChar* path, size_t pathUnits) {
    if (!GetProgramPath(path, PROGRAM_PATH_LENGTH + 1)) return false;
    size_t length = TextLength(path);
    if (length == 0) return false;
    // The first unit is not examined: a path without another backslash keeps it.
    size_t slash = length - 1;
    while (slash > 0 && path[slash] != '\\')
        --slash;
    size_t nameLength = TextLength(fileName);
    if (slash + 1 + nameLength >= pathUnits) return false;
    for (size_t i = 0; i <= nameLength; ++i)
        path[slash + 1 + i] = fileName[i];
    return true;
}

} // namespace

LanguageTable::LanguageTable(const TextChar* fileName, const DefaultText* defaults) {
    TakeDefaults(defaults);
    LoadFile(fileName);
    SelectEnglish();
}

void LanguageTable::LoadFile(const TextChar* fileName) {
    // "English" is there before anything can fail.
    ResetSections();
    TextChar path[MAX_PATH];
    if (fileName == NULL || !MakeSiblingPath(fileName, path, MAX_PATH)) return;

    delete[] fileText;
    fileText = NULL;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return;

    DWORD sizeHigh = 0;
    DWORD size = GetFileSize(file, &sizeHigh);
    // 0xFFFFFFFF is the failure answer (and no size a language file has).
    bool read = size != 0xFFFFFFFF && sizeHigh == 0 && AllocateFileText(size);
    // ReadFile may hand over less than asked; a file that shrank meanwhile
    // leaves zeros after what it still held.
    DWORD total = 0;
    while (read && total < size) {
        DWORD chunk = 0;
        if (!ReadFile(file, reinterpret_cast<BYTE*>(fileText) + total, size - total, &chunk,
                      NULL)) {
            read = false;
        } else if (chunk == 0) {
            break;
        }
        total += chunk;
    }
    CloseHandle(file);
    if (!read) {
        // Unreadable is treated as absent.
        delete[] fileText;
        fileText = NULL;
        return;
    }
    SplitSections();
}

void LanguageTable::SetControlText(HWND window, int controlId, int textId) const {
    const TextChar* text = GetText(textId);
    if (text == NULL) return;
    if (controlId == 0) {
        SetWindowTextW(window, text);
    } else {
        SetDlgItemTextW(window, controlId, text);
    }
}
