// The language table: every text the program shows, by text id, from the
// built-in English texts and one section of the language file "Orvalet.bin".
#ifndef ORVALET_LANGUAGE_TABLE_H
#define ORVALET_LANGUAGE_TABLE_H

#include <stddef.h>

#ifdef _WIN32
#include "platform.h"
// A UTF-16 unit as the platform's wide functions take it.
typedef wchar_t TextChar;
#define TEXT_UNITS(s) L##s
#else
// Native builds (the translator's tool, tests, fuzzing) keep the UTF-16 units.
typedef char16_t TextChar;
#define TEXT_UNITS(s) u##s
#endif

const int MAX_TEXT_IDS = 80;
const int MAX_SECTIONS = 10;

// One built-in text; a list of them ends with the id -1.
struct DefaultText {
    int id;
    const TextChar* text;
};

// The built-in English texts, ended by id -1.
const DefaultText* GetDefaultTexts();

class LanguageTable {
  public:
    // Reads fileName from the program's folder (Windows only).
    LanguageTable(const TextChar* fileName, const DefaultText* defaults);
    // Builds the table from a language file's bytes already in memory; the
    // table keeps its own zero-padded copy, split exactly as a file read from disk.
    LanguageTable(const unsigned char* fileBytes, size_t byteCount, const DefaultText* defaults);
    virtual ~LanguageTable();

    // Reads and splits the language file beside the program (Windows only).
    void LoadFile(const TextChar* fileName);
    bool SelectLanguage(int index);
    const TextChar* GetText(int id) const;
    int GetSectionCount() const;
    const TextChar* GetSectionName(int index) const;
#ifdef _WIN32
    // Relabels a dialog control (or, for control id 0, the window's title);
    // without a text for textId the control keeps its template caption.
    void SetControlText(HWND window, int controlId, int textId) const;
#endif

  private:
    // One table per program, never copied: its texts point into its own buffer.
    LanguageTable(const LanguageTable&);
    LanguageTable& operator=(const LanguageTable&);

    void TakeDefaults(const DefaultText* defaults);
    void ResetSections();
    bool AllocateFileText(size_t byteCount);
    void SplitSections();
    void SelectEnglish();

    const TextChar* currentTexts[MAX_TEXT_IDS];
    const TextChar* defaultTexts[MAX_TEXT_IDS];
    const TextChar* sectionNames[MAX_SECTIONS];
    TextChar* sectionBodies[MAX_SECTIONS];
    int currentSection;
    int sectionCount;
    TextChar* fileText;
};

extern LanguageTable* languageTable;

#endif
