// Measuring and painting the owner-drawn items of the popup menu: icon column,
// label, separators, the header banner, and the colours of the four modes.
#pragma once

#include "platform.h"

// The value of "Custom Colors".
enum ColorMode { NoColors = 0, CustomColors = 1, ThemeColors = 2, ReverseThemeColors = 3 };

enum MenuColorRole { IconBackground = 0, MenuBackground = 1, MenuText = 2 };

// The colour of a role in a mode; the theme modes read the device theme afresh
// at every call.
COLORREF GetMenuColor(int mode, MenuColorRole role);

// The label font, made on first use and kept for the whole run.
HFONT GetMenuFont();

// The label's extent in the menu font, widened for the icon column (or for the
// left margin when icons are off).
void MeasureLabel(const WCHAR* text, SIZE* size);

// Fills in the item's size; answers 1.
LRESULT MeasureMenuItem(MEASUREITEMSTRUCT* item);

// Paints the item; answers 1 for the header item, 0 for others.
LRESULT DrawMenuItem(const DRAWITEMSTRUCT* item);

// The header item: banner, "Orvalet" and the "Opt" box. Answers 1.
LRESULT DrawHeaderItem(const DRAWITEMSTRUCT* item);

// The header item's size: "Orvalet" and "OPT" in the menu font.
void MeasureHeaderItem(MEASUREITEMSTRUCT* item);

// A font from the stock system font's description, height in points at the
// given vertical pixels per inch (points in tenths), rounded to the nearest pixel.
HFONT CreateSystemFont(int weight, int tenthsOfPoint, int pixelsPerInch);
