// The built-in English texts, handed to the language table at start-up, and
// the program's one language table.
#include "LanguageTable.h"

LanguageTable* languageTable = NULL;

namespace {

// Ids the settings templates caption themselves (31-38, 40-42, 52, 59-63,
// 71-73) have no entry here, so their controls keep the template text in English.
const DefaultText DEFAULT_TEXTS[] = {
    {0, TEXT_UNITS("----------------------")},
    {1, TEXT_UNITS("Soft Reset")},
    {2, TEXT_UNITS("Hard Reset")},
    {3, TEXT_UNITS("Power Off")},
    {4, TEXT_UNITS("Brightness")},
    {5, TEXT_UNITS("Memory")},
    {6, TEXT_UNITS("Battery Level")},
    {7, TEXT_UNITS("Today Themes")},
    {8, TEXT_UNITS("Today Plugins")},
    {9, TEXT_UNITS("Clock")},
    {10, TEXT_UNITS("Start Menu")},
    {11, TEXT_UNITS("Uninstall Programs")},
    {12, TEXT_UNITS("Sound Settings")},
    {13, TEXT_UNITS("Hardware Buttons")},
    {14, TEXT_UNITS("Running Programs")},
    {15, TEXT_UNITS("Input Methods")},
    {16, TEXT_UNITS("Today Screen")},
    {17, TEXT_UNITS("Network Connection")},
    {18, TEXT_UNITS("Phone Settings")},
    {19, TEXT_UNITS("Purgelle")},
    {20, TEXT_UNITS("Purgelle Cleaner")},
    {21, TEXT_UNITS("Rotate Screen (L)")},
    {22, TEXT_UNITS("Rotate Screen (R)")},
    {23, TEXT_UNITS("Flip Screen")},
    {24, TEXT_UNITS("Screen OFF")},
    {25, TEXT_UNITS("Refresh today screen")},
    {26, TEXT_UNITS("IP Helper")},
    {27, TEXT_UNITS("Screen Capture")},
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
