// The built-in English texts, handed to the language table at start-up, and
// the program's one language table.
#include "LanguageTable.h"

LanguageTable* languageTable = NULL;

namespace {

// Ids the settings templates caption themselves (31-38, 40-42, 52, 59-63,
// 71-73) have no entry here, so their controls keep the template text in English.
const DefaultText DEFAULT_TEXTS[] = {
    {0, TEXT_UNITS("----------------------")},
// The commands' labels, by their text ids.
#define COMMAND(id, name, textId, iconIndex, art, label, ...) {textId, TEXT_UNITS(label)},
#include "CommandList.h"
#undef COMMAND
    {39, TEXT_UNITS("Select file")},
    {45, TEXT_UNITS("HardReset will make you lose all the data stored on your PocketPC, are you "
                    "sure you want to HardReset ?")},
    {53, TEXT_UNITS("Main")},
    {54, TEXT_UNITS("Display")},
    {55, TEXT_UNITS("About")},
    {56, TEXT_UNITS("Color")},
    {64, TEXT_UNITS("Error")},
    // Worded exactly as the program has always shown it, spelling included.
    {65, TEXT_UNITS("Purgelle is not intalled on this device")},
    {66, TEXT_UNITS("Rotation is not supported in this device")},
    {67, TEXT_UNITS("No Colors")},
    {68, TEXT_UNITS("Custom Colors")},
    {69, TEXT_UNITS("Theme Colors")},
    {70, TEXT_UNITS("Reverse Theme Colors")},
    {-1, NULL},
};

} // namespace

const DefaultText* GetDefaultTexts() {
    return DEFAULT_TEXTS;
}
